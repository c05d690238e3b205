#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace voltaro {

// Works on a stream in blocks on several cores and gives the blocks back in their order, so that
// what is made of them can be written in order. The calling thread fills a job, hands it in, and
// takes the jobs back oldest first; at most `most` are out at once, so memory stays bounded. With no
// workers a job runs on the calling thread when it is handed in.
//
// Jobs handed in but not yet started when the object goes are dropped; those running are finished.
template <class Job>
class OrderedWork {
public:
    OrderedWork(unsigned workers, std::size_t most, std::function<void(Job&)> run)
        : run_(std::move(run)), jobs_(std::max<std::size_t>(most, 1)), done_(jobs_.size(), false) {
        for (unsigned i = 0; i < workers; ++i) threads_.emplace_back([this] { work(); });
    }
    ~OrderedWork() {
        {
            std::lock_guard lock(mutex_);
            closing_ = true;
        }
        queued_.notify_all();
        for (std::thread& thread : threads_) thread.join();
    }
    OrderedWork(const OrderedWork&) = delete;
    OrderedWork& operator=(const OrderedWork&) = delete;

    // The next job to fill, or nullptr while every slot is out (take the oldest back first).
    Job* vacant() { return handedIn_ - takenBack_ == jobs_.size() ? nullptr : &jobs_[handedIn_ % jobs_.size()]; }
    // Hands in the job vacant() gave.
    void submit() {
        const std::size_t slot = handedIn_ % jobs_.size();
        if (threads_.empty()) {
            run_(jobs_[slot]);
            done_[slot] = true;
            ++handedIn_;
            return;
        }
        {
            std::lock_guard lock(mutex_);
            done_[slot] = false;
            ++handedIn_;
        }
        queued_.notify_one();
    }
    // The oldest job handed in, once it has run; nullptr when none is out.
    Job* oldest() {
        if (takenBack_ == handedIn_) return nullptr;
        const std::size_t slot = takenBack_ % jobs_.size();
        std::unique_lock lock(mutex_);
        finished_.wait(lock, [&] { return static_cast<bool>(done_[slot]); });
        return &jobs_[slot];
    }
    // Gives the job oldest() returned back, to be filled again.
    void recycle() { ++takenBack_; }

    // Workers for a job that keeps a core busy: one per core, but none where there is only one.
    static unsigned workersForCores(unsigned most) {
        const unsigned cores = std::thread::hardware_concurrency();
        return cores <= 1 ? 0 : std::min(cores, most);
    }

private:
    void work() {
        std::unique_lock lock(mutex_);
        for (;;) {
            queued_.wait(lock, [&] { return closing_ || started_ < handedIn_; });
            if (closing_) return;
            const std::size_t slot = started_++ % jobs_.size();
            lock.unlock();
            run_(jobs_[slot]);
            lock.lock();
            done_[slot] = true;
            finished_.notify_all();
        }
    }

    std::function<void(Job&)> run_;
    std::vector<Job> jobs_;
    std::vector<bool> done_;  // guarded by mutex_, as are handedIn_ and started_ for the workers
    std::size_t handedIn_ = 0;
    std::size_t takenBack_ = 0;
    std::size_t started_ = 0;
    bool closing_ = false;
    std::mutex mutex_;
    std::condition_variable queued_;
    std::condition_variable finished_;
    std::vector<std::thread> threads_;
};

}  // namespace voltaro
