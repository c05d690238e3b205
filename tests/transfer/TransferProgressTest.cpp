#include <gtest/gtest.h>

#include "support/ManualClock.h"
#include "transfer/TransferProgress.h"

namespace voltaro {
namespace {

using namespace std::chrono_literals;

TEST(TransferProgressText, CountsPercentAndTimeLeftFromThePaceSoFar) {
    const struct {
        std::uint64_t done, total;
        MonotonicClock::Duration elapsed;
        std::string expected;
    } cases[] = {
        {0, 65536, 5s, "0 of 65,536 bytes (0%)"},  // no pace yet
        {12345, 65536, 900ms, "12,345 of 65,536 bytes (18%)"},  // too early to say
        {16384, 65536, 4s, "16,384 of 65,536 bytes (25%), 0:12 left"},
        {1000, 1234567, 10s, "1,000 of 1,234,567 bytes (0%), 3:25:36 left"},
        {65536, 65536, 17s, "65,536 of 65,536 bytes (100%)"},
        {0, 0, 0s, "0 of 0 bytes (100%)"},
        {130, 100, 2s, "130 of 100 bytes (100%)"},  // a text file's framing is counted too
    };
    for (const auto& c : cases)
        EXPECT_EQ(TransferProgressText(c.done, c.total, c.elapsed), c.expected) << c.done << " of " << c.total;
}

class Shown final : public ProgressObserver {
public:
    void progress(const std::string& line, std::uint64_t, std::uint64_t) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

TEST(TransferProgress, PassesOnTheStartTheEndAndAtMostTenUpdatesASecond) {
    test::ManualClock clock;
    Shown shown;
    TransferProgress progress(clock, shown);
    progress.progress("A.BIN", 0, 1000);
    clock.advance(50ms);
    progress.progress("A.BIN", 100, 1000);  // too soon after the start
    clock.advance(60ms);
    progress.progress("A.BIN", 200, 1000);
    progress.progress("A.BIN", 1000, 1000);  // the end always shows
    progress.progress("B.CSV", 0, 10);       // a new file starts its own clock
    EXPECT_EQ(shown.lines, (std::vector<std::string>{"A.BIN   0 of 1,000 bytes (0%)",
                                                     "A.BIN   200 of 1,000 bytes (20%)",
                                                     "A.BIN   1,000 of 1,000 bytes (100%)",
                                                     "B.CSV   0 of 10 bytes (0%)"}));
}

}  // namespace
}  // namespace voltaro
