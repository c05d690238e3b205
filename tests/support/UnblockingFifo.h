#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>

namespace voltaro::test {

// A FIFO that cannot hang a test. A program that waits on it (in a blocking open, or in a read
// once it has opened it) is freed after a few seconds: a writer comes and goes, which ends the
// open and makes the read find the end. The FIFO remembers whether it had to, and goes with it.
class UnblockingFifo {
public:
    explicit UnblockingFifo(const std::filesystem::path& path) : path_(path.string()) {
        ::mkfifo(path_.c_str(), 0600);
        watch_ = std::jthread([this](std::stop_token stop) {
            std::mutex mutex;
            std::condition_variable_any wake;
            std::unique_lock lock(mutex);
            while (!wake.wait_for(lock, stop, std::chrono::seconds(3), [&stop] { return stop.stop_requested(); })) {
                // Opening the writing end without waiting succeeds only while someone reads.
                const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd < 0) continue;
                hadToUnblock_ = true;
                ::close(fd);
            }
        });
    }

    ~UnblockingFifo() {
        watch_.request_stop();
        watch_.join();
        ::unlink(path_.c_str());
    }
    UnblockingFifo(const UnblockingFifo&) = delete;
    UnblockingFifo& operator=(const UnblockingFifo&) = delete;

    const std::string& path() const { return path_; }
    bool hadToUnblock() const { return hadToUnblock_; }

private:
    std::string path_;
    std::atomic<bool> hadToUnblock_ = false;
    std::jthread watch_;
};

}  // namespace voltaro::test
