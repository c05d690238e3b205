#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "app/OrderedWork.h"

namespace voltaro {
namespace {

struct Job {
    int number = 0;
    long result = 0;
    std::thread::id ranOn;
};

// A job that takes longer the lower its number's last digit, so that later jobs often finish first.
void Work(Job& job) {
    long sum = 0;
    for (int i = 0; i < (10 - job.number % 10) * 20000; ++i) sum += i % 7;
    job.result = job.number * 1000L + sum % 7;
    job.ranOn = std::this_thread::get_id();
}

long Expected(int number) {
    Job job;
    job.number = number;
    Work(job);
    return job.result;
}

// However many workers, the jobs come back in the order they went in, each run once, and no more
// than the slots are ever out at once.
TEST(OrderedWork, GivesJobsBackInTheOrderTheyWentIn) {
    for (const unsigned workers : {0U, 1U, 3U}) {
        SCOPED_TRACE(workers);
        std::atomic<int> runs = 0;
        OrderedWork<Job> work(workers, 4, [&](Job& job) {
            ++runs;
            Work(job);
        });
        int next = 0, taken = 0;
        while (taken < 200) {
            int out = next - taken;
            for (Job* job; next < 200 && (job = work.vacant()) != nullptr; ++next, ++out) {
                job->number = next;
                work.submit();
            }
            EXPECT_LE(out, 4);
            Job* job = work.oldest();
            ASSERT_NE(job, nullptr);
            EXPECT_EQ(job->number, taken);
            EXPECT_EQ(job->result, Expected(taken));
            EXPECT_EQ(job->ranOn == std::this_thread::get_id(), workers == 0);
            work.recycle();
            ++taken;
        }
        EXPECT_EQ(work.oldest(), nullptr);
        EXPECT_EQ(runs, 200);
    }
}

// Left with jobs out, it finishes those running and goes without waiting for the rest.
TEST(OrderedWork, GoesWithJobsStillOut) {
    std::atomic<int> runs = 0;
    {
        OrderedWork<Job> work(2, 6, [&](Job& job) {
            ++runs;
            Work(job);
        });
        for (Job* job; (job = work.vacant()) != nullptr;) work.submit();
        ASSERT_NE(work.oldest(), nullptr);
    }
    EXPECT_GE(runs, 1);
    EXPECT_LE(runs, 6);
}

}  // namespace
}  // namespace voltaro
