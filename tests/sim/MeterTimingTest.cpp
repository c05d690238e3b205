#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>

#include "sim/PacedOutput.h"
#include "sim/SimulatedLine.h"

namespace voltaro {
namespace {

using namespace std::chrono_literals;
using sim::MeterFaults;
using sim::PacedOutput;
using test::SimulatedLine;
using TimePoint = PacedOutput::TimePoint;

constexpr TimePoint kStart{1h};

struct Arrival {
    int baud;
    std::chrono::nanoseconds after;
    std::size_t arrived;  // of a 3-byte block sent at kStart
};

void PrintTo(const Arrival& row, std::ostream* out) {
    *out << row.baud << " bit/s after " << row.after.count() << " ns";
}

class PacingTest : public testing::TestWithParam<Arrival> {};

// A byte is 10 bit times: at 1200 bit/s one every 8 333 333 ns (rounded down from the start).
TEST_P(PacingTest, BytesArriveOneByteTimeApart) {
    PacedOutput output(GetParam().baud);
    output.send("abc", kStart);
    EXPECT_EQ(output.available(kStart + GetParam().after), GetParam().arrived);
}

INSTANTIATE_TEST_SUITE_P(Rates, PacingTest,
                         testing::Values(Arrival{0, 0ns, 3}, Arrival{1200, 8'333'332ns, 0},
                                         Arrival{1200, 8'333'333ns, 1}, Arrival{1200, 25'000'000ns, 3},
                                         Arrival{38400, 520'832ns, 1}, Arrival{38400, 781'249ns, 2}));

TEST(PacedOutput, ABlockWaitsForTheOneBeforeIt) {
    PacedOutput output(9600);
    EXPECT_EQ(output.send("ab", kStart), kStart + 2'083'333ns);
    // Queued at once, it starts when "b" has arrived: "c" comes one byte time later.
    EXPECT_EQ(output.send("c", kStart), kStart + 2'083'333ns + 1'041'666ns);
    // Queued later than that, it starts when it was queued.
    EXPECT_EQ(output.send("d", kStart + 1s), kStart + 1s + 1'041'666ns);
}

TEST(PacedOutput, TakesOnlyWhatHasArrivedAndSaysWhenTheNextByteComes) {
    PacedOutput output(1200);
    EXPECT_EQ(output.nextByteTime(), std::nullopt);
    output.send("abc", kStart);
    std::array<char, 8> taken{};
    EXPECT_EQ(output.take(taken.data(), taken.size(), kStart + 20ms), 2u);
    EXPECT_EQ(std::string(taken.data(), 2), "ab");
    EXPECT_EQ(output.nextByteTime(), kStart + 25ms);
    EXPECT_EQ(output.take(taken.data(), 1, kStart + 1s), 1u);
    EXPECT_EQ(taken[0], 'c');
    EXPECT_EQ(output.nextByteTime(), std::nullopt);
}

TEST(PacedOutput, TakeStopsAtTheCapacityAcrossBlocks) {
    PacedOutput output;
    output.send("ab", kStart);
    output.send("cd", kStart);
    std::array<char, 3> taken{};
    EXPECT_EQ(output.take(taken.data(), taken.size(), kStart), 3u);
    EXPECT_EQ(std::string(taken.data(), 3), "abc");
    EXPECT_EQ(output.available(kStart), 1u);
}

// "*IDN?" is answered with 39 bytes (37 characters and CR LF).
constexpr std::size_t kIdentityBytes = 39;

TEST(MeterTiming, AReplyAtALineRateTakesTenBitTimesAByte) {
    MeterFaults faults;
    faults.baud = 9600;
    SimulatedLine line(faults);
    const auto asked = line.clock.now();
    ASSERT_TRUE(line.ask("*IDN?"));
    EXPECT_EQ(line.clock.now() - asked, std::chrono::nanoseconds(kIdentityBytes * 10 * 1'000'000'000LL / 9600));
}

TEST(MeterTiming, ASplitReplyComesInPiecesWithGapsBetween) {
    MeterFaults faults;
    faults.splitBytes = 4;
    faults.splitGap = 300ms;
    SimulatedLine line(faults);
    const auto asked = line.clock.now();
    line.tell("*IDN?");
    EXPECT_EQ(line.takeWaiting().size(), 4u);
    EXPECT_EQ(line.meter.nextOutputTime(), asked + 300ms);
    const auto reply = line.receiveLine();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->size() + 2, kIdentityBytes - 4);
    // Ten pieces, nine gaps.
    EXPECT_EQ(line.clock.now() - asked, 9 * 300ms);
}

TEST(InMemorySerialPort, AWaitEndsWhenTheFirstByteArrives) {
    MeterFaults faults;
    faults.baud = 1000;
    SimulatedLine line(faults);
    const auto start = line.clock.now();
    line.tell(":HOLD?");
    EXPECT_FALSE(line.port.waitForInput(5ms));
    EXPECT_TRUE(line.port.waitForInput(5s));
    EXPECT_EQ(line.clock.now() - start, 10ms);
    std::array<char, 16> taken{};
    EXPECT_EQ(line.port.read(taken.data(), taken.size()), 1u);
}

TEST(InMemorySerialPort, AnOpeningFailureGivesTheTextItWasGiven) {
    SimulatedLine line;
    line.port.close();
    line.port.failOpenWith("No such file or directory");
    std::string error;
    EXPECT_FALSE(line.port.open({.device = "/dev/ttyS9"}, error));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_FALSE(line.port.isOpen());
    EXPECT_FALSE(line.port.write("*IDN?\r\n", 1s));

    line.port.failOpenWith(std::nullopt);
    EXPECT_TRUE(line.port.open({.device = "/dev/ttyS9", .baud = 19200}, error));
    EXPECT_EQ(line.port.settings().baud, 19200);
    EXPECT_TRUE(line.port.write("*IDN?\r\n", 1s));
    EXPECT_TRUE(line.receiveLine());
}

}  // namespace
}  // namespace voltaro
