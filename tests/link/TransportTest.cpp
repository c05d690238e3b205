#include <gtest/gtest.h>

#include "link/CommPortSettings.h"
#include "link/Link.h"
#include "link/PortNames.h"
#include "support/ScriptedLink.h"

namespace voltaro {
namespace {

using namespace std::chrono_literals;
using Seconds = std::chrono::duration<double>;

struct Transport : ::testing::Test, test::ScriptedLink {
    Transport() {
        clock.advance(1h);  // some way into the clock's life
        ctx.MsgTitle = "Setting";
    }
    double secondsSince(MonotonicClock::TimePoint start) const { return Seconds(clock.now() - start).count(); }
};

TEST_F(Transport, RepliesAreAssembledAcrossPiecesAndKeepWhatFollowsTheirEnd) {
    // Gaps of 4 s each: the time-out bounds the silence, not the reply (12 s in all).
    port.arrive("3P", 0s);
    port.arrive("4W", 4s);
    port.arrive("\r", 8s);
    port.arrive("\nMEAS\r\n\r\n", 12s);
    std::string reply;
    ASSERT_EQ(link.ReceiveResponse(reply), 0);
    EXPECT_EQ(reply, "3P4W");
    ASSERT_EQ(link.ReceiveResponse(reply), 0);  // what followed the LF was kept
    EXPECT_EQ(reply, "MEAS");
    ASSERT_EQ(link.ReceiveResponse(reply), 0);  // CR LF alone is an empty reply
    EXPECT_EQ(reply, "");
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(Transport, SilenceEndsTheReceiveWithOneMessageAfterTheTimeOut) {
    const struct {
        int timeout;
        double lastPiece;  // seconds after the start; negative: nothing at all
        double atLeast, atMost;
    } cases[] = {
        {5, -1, 4, 5}, {5, 2.7, 2.7 + 4, 2.7 + 5}, {-3, -1, 0, 1},
    };
    for (const auto& c : cases) {
        messages.boxes.clear();
        clock.advance(std::chrono::milliseconds(137));  // start off a whole second
        const auto start = clock.now();
        if (c.lastPiece >= 0)
            port.arrive("PART", std::chrono::duration_cast<MonotonicClock::Duration>(Seconds(c.lastPiece)));
        std::string reply;
        EXPECT_EQ(link.ReceiveResponse(reply, c.timeout), -1);
        EXPECT_GE(secondsSince(start), c.atLeast) << c.timeout << " " << c.lastPiece;
        EXPECT_LE(secondsSince(start), c.atMost) << c.timeout << " " << c.lastPiece;
        EXPECT_EQ(texts(), std::vector<std::string>{"Communication failed."});
        EXPECT_EQ(messages.boxes[0].title, "Setting");
    }
}

TEST_F(Transport, CommandsEndInCrLfAndAStuckLineIsReported) {
    EXPECT_EQ(link.SendCommand(":WIRI?"), 0);
    EXPECT_EQ(port.written, std::vector<std::string>{":WIRI?\r\n"});
    port.acceptWrites = false;
    EXPECT_EQ(link.SendCommand(":BEEP 0"), -1);
    EXPECT_EQ(texts(), std::vector<std::string>{"Communication failed."});
}

TEST_F(Transport, WaitSecondsWaitsWholeSeconds) {
    clock.advance(300ms);
    const auto start = clock.now();
    link.WaitSeconds(2);
    EXPECT_GE(secondsSince(start), 1.0);
    EXPECT_LE(secondsSince(start), 2.0);
}

TEST(CommPortSettings, LineSettingsFollowTheSetupListsAndTheirOddHandshakingOrder) {
    PcSettings pc;
    pc.CommPort = {1, 3, 8, 2, 1, 0};
    EXPECT_EQ(SettingsText(pc.CommPort), "9600,N,8,1");
    EXPECT_EQ(LineSettings(pc).device, "/dev/ttyS0");
    pc.CommPort = {4, 5, 7, 1, 2, 2};
    EXPECT_EQ(SettingsText(pc.CommPort), "38400,E,7,2");
    // OFF/OFF, XON/XON, XON/RS (RTS + XON), CS/RS (RTS)
    EXPECT_EQ((std::array{HandshakingCode(0), HandshakingCode(1), HandshakingCode(2), HandshakingCode(3)}),
              (std::array{0, 1, 3, 2}));
    pc.PcPortName = "/dev/pts/7";
    const SerialLineSettings line = LineSettings(pc);
    EXPECT_EQ(line.device, "/dev/pts/7");
    EXPECT_EQ((std::tuple{line.baud, line.parity, line.handshaking}), (std::tuple{38400, 'E', 3}));
    EXPECT_GE(line.inputBufferBytes, 4096u);
}

TEST_F(Transport, OpeningReportsTheSystemTextOnceAndReopensAnOpenPort) {
    PcSettings pc;
    pc.CommPort = {2, 3, 8, 2, 1, 0};
    ASSERT_EQ(link.OpenCommPort(pc), 0);
    ASSERT_EQ(link.OpenCommPort(pc), 0);  // already open: closed and opened again
    EXPECT_EQ(port.opened.size(), 2u);
    EXPECT_TRUE(port.isOpen());
    link.CloseCommPort();
    EXPECT_FALSE(port.isOpen());
    port.openError = "Permission denied";
    EXPECT_EQ(link.OpenCommPort(pc), -1);
    EXPECT_EQ(texts(), std::vector<std::string>{"Permission denied"});
    EXPECT_EQ(messages.boxes[0].icon, MessageIcon::Stop);
}

TEST(PortNamesTest, ComNamesStandForTheirPortsAndEverythingElseIsAPath) {
    for (const auto& [name, port] : {std::pair{"COM1", 1}, {"com10", 10}, {"Com3", 3}})
        EXPECT_EQ(DeviceForPortName(name), DeviceForComPort(port)) << name;
    for (const char* path : {"COM0", "COM-1", "COM", "COM2x", "COM99999999999", "/dev/pts/7"})
        EXPECT_EQ(DeviceForPortName(path), path);
#ifndef _WIN32
    EXPECT_EQ(DeviceForComPort(1), "/dev/ttyS0");
    EXPECT_EQ(DeviceForComPort(10), "/dev/ttyS9");
#endif
}

}  // namespace
}  // namespace voltaro
