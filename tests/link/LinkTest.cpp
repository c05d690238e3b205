// The link: replies, time-outs and commands on the line, the line's settings and port names,
// and the checks made on a meter before the setting is exchanged.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "link/CommPortSettings.h"
#include "link/Link.h"
#include "link/MeterChecks.h"
#include "link/PortNames.h"
#include "support/ScriptedLink.h"

namespace voltaro {
namespace {

using namespace std::chrono_literals;
using Seconds = std::chrono::duration<double>;
using Texts = std::vector<std::string>;

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
        EXPECT_EQ(texts(), Texts{"Communication failed."});
        EXPECT_EQ(messages.boxes[0].title, "Setting");
    }
}

// A device that trickles characters without ever ending its line fails by the reply's deadline,
// and a reply longer than any the meter sends fails as soon as it is.
TEST_F(Transport, ATricklingOrOverlongReplyFailsByItsDeadlineOrItsLength) {
    PcSettings pc;
    pc.CommPort = {1, 3, 8, 2, 1, 0};  // 9600 bit/s, 8N1
    ASSERT_EQ(link.OpenCommPort(pc), 0);
    for (int i = 0; i < 2000; ++i) port.arrive("x", i * 300ms);  // ten minutes of it
    const auto start = clock.now();
    std::string reply;
    EXPECT_EQ(link.ReceiveResponse(reply), -1);
    EXPECT_LE(secondsSince(start), 20.0);
    EXPECT_EQ(texts(), Texts{"Communication failed."});

    for (const std::size_t length : {kLongestReplyLine, kLongestReplyLine + 1}) {
        ASSERT_EQ(link.OpenCommPort(pc), 0);
        port.reset();
        messages.boxes.clear();
        port.arrive(std::string(length, 'y') + "\r\n");
        const bool fits = length == kLongestReplyLine;
        EXPECT_EQ(link.ReceiveResponse(reply), fits ? 0 : -1) << length;
        EXPECT_EQ(texts(), fits ? Texts{} : Texts{"Communication failed."});
    }
    // A flood is taken from the port a chunk at a time.
    ASSERT_EQ(link.OpenCommPort(pc), 0);
    port.arrive(std::string(4 * Link::kInputChunk, 'z'));
    ASSERT_EQ(link.AwaitInput(kReplyTimeoutSeconds), 0);
    EXPECT_LE(link.pendingInput().size(), Link::kInputChunk);
}

TEST_F(Transport, CommandsEndInCrLfAndAStuckLineIsReported) {
    EXPECT_EQ(link.SendCommand(":WIRI?"), 0);
    EXPECT_EQ(port.written, Texts{":WIRI?\r\n"});
    port.acceptWrites = false;
    EXPECT_EQ(link.SendCommand(":BEEP 0"), -1);
    EXPECT_EQ(texts(), Texts{"Communication failed."});
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
    // A port that cannot be opened is named with the system's text, the COMn entry by its device.
    port.openError = "Permission denied";
    EXPECT_EQ(link.OpenCommPort(pc), -1);
    pc.PcPortName = "/dev/ttyUSB0";
    EXPECT_EQ(link.OpenCommPort(pc), -1);
    EXPECT_EQ(texts(),
              (Texts{"Cannot open /dev/ttyS1: Permission denied", "Cannot open /dev/ttyUSB0: Permission denied"}));
    EXPECT_EQ(messages.boxes[0].icon, MessageIcon::Stop);
    EXPECT_EQ(ctx.ErrorDescription, "Cannot open /dev/ttyUSB0: Permission denied");
}

// A line that dies under an exchange says so below the usual words, at once rather than after
// the time-out; a line that merely stays silent does not.
TEST_F(Transport, ALostLineIsNamedUnderCommunicationFailed) {
    const std::string lost = "Communication failed.\nThe line to /dev/pts/7 was lost: Input/output error";
    PcSettings pc;
    pc.PcPortName = "/dev/pts/7";
    const struct {
        const char* what;
        std::function<std::int16_t()> exchange;
    } cases[] = {
        {"send", [&] { return link.SendCommand(":WIRI?"); }},
        {"receive",
         [&] {
             std::string reply;
             return link.ReceiveResponse(reply);
         }},
        {"query",
         [&] {
             std::string reply;
             return link.QueryBy("*IDN?", reply, clock.now() + 3s);
         }},
    };
    for (const auto& c : cases) {
        messages.boxes.clear();
        port.lostWith.clear();
        ASSERT_EQ(link.OpenCommPort(pc), 0);
        port.lostWith = "Input/output error";
        const auto start = clock.now();
        EXPECT_EQ(c.exchange(), -1) << c.what;
        EXPECT_LT(secondsSince(start), 0.5) << c.what;
        EXPECT_EQ(texts(), Texts{lost}) << c.what;
        EXPECT_EQ(ctx.ErrorDescription, lost) << c.what;
    }
    port.lostWith.clear();
    messages.boxes.clear();
    std::string reply;
    EXPECT_EQ(link.ReceiveResponse(reply), -1);
    EXPECT_EQ(texts(), Texts{"Communication failed."});
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

TEST(PortNamesTest, AReportedPortReadsAsItsDeviceAndWhatTheSystemKnowsOfIt) {
    const struct {
        ReportedPort port;
        const char* shown;
    } cases[] = {
        {{"/dev/ttyUSB0", "FT232R USB UART", "FTDI"}, "/dev/ttyUSB0 (FT232R USB UART, FTDI)"},
        {{"/dev/ttyUSB1", "FTDI FT232R USB UART", "FTDI"}, "/dev/ttyUSB1 (FTDI FT232R USB UART)"},
        {{"/dev/ttyACM0", "", "Arduino"}, "/dev/ttyACM0 (Arduino)"},
        {{"/dev/ttyACM1", "USB Serial", ""}, "/dev/ttyACM1 (USB Serial)"},
        {{"COM3", "", ""}, "COM3"},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadablePortName(c.port), c.shown) << c.shown;
}

struct MeterChecks : ::testing::Test, test::ScriptedLink {};

TEST(IdentityReply, ModelAfterTheFirstCommaAndVersionBeforeTheLastCharacter) {
    // Without a comma the model starts at the second character.
    for (const auto& [reply, model, version] : {std::tuple{"ACME, ZR915,0,1.05 ", "ZR915", "1.05"},
                                                {"xZR915 v1.05;", "ZR915", "1.05"}, {"", "", ""}}) {
        EXPECT_EQ(ModelOfIdentity(reply), model) << reply;
        EXPECT_EQ(VersionOfIdentity(reply), version) << reply;
    }
}

TEST_F(MeterChecks, IdentityAndVersionDecideBeforeAnyStateQuery) {
    for (const auto& [identity, shown] : {std::pair<const char*, Texts>{"ACME, ZR915,0,1.05 ", {}},
                                          {"ACME, zr915,0,1.05 ", {"ZR915 not ready."}},
                                          {"ACME, ZR915,0,1-05 ", {"Invalid version number."}}}) {
        messages.boxes.clear();
        ctx.MeterVersion = "none";
        port.answer("*IDN?", {identity});
        EXPECT_EQ(CheckMeterIdentity(link), shown.empty() ? 0 : -1) << identity;
        EXPECT_EQ(texts(), shown);
        EXPECT_EQ(ctx.MeterVersion, shown.empty() ? "1.05" : "none");
    }
}

TEST_F(MeterChecks, ReadinessLooksAtMeasurementAndHoldOnlyOnTheKnownScreens) {
    const struct {
        const char* screen;
        const char* measuring;
        const char* hold;
        Texts shown;
        std::size_t queries;
    } cases[] = {
        {"GRAPH", "1", "1", {}, 2},  // another screen: no state queries
        {"TOP", "1", "0", {"Information on the pc card can't be read during integration measurement."}, 3},
        {"SET", "busy", "0", {"Communication failed."}, 3},
        {"FILE", "0", "1", {"It is under hold."}, 4},
    };
    for (const auto& c : cases) {
        messages.boxes.clear();
        port.reset();
        port.answer("*IDN?", {"ACME, ZR915,0,1.05 "});
        port.answer(":DISP:MODE?", {c.screen});
        port.answer(":MEAS:STAT?", {c.measuring});
        port.answer(":HOLD?", {c.hold});
        EXPECT_EQ(CheckMeterReady(link), c.shown.empty() ? 0 : -1) << c.screen;
        EXPECT_EQ(texts(), c.shown) << c.screen;
        EXPECT_EQ(port.written.size(), c.queries) << c.screen;
    }
}

TEST_F(MeterChecks, TheIdentityWaitsTwentySecondsOnlyWhileReadingBack) {
    port.answer("*IDN?", {"ACME, ZR915,0,1.05 "}, 12s);
    EXPECT_EQ(CheckMeterIdentity(link), -1);
    EXPECT_EQ(texts(), Texts{"Communication failed."});
    port.reset();
    link.CloseCommPort();
    messages.boxes.clear();
    port.answer("*IDN?", {"ACME, ZR915,0,1.05 "}, 12s);
    port.answer(":DISP:MODE?", {"GRAPH"});
    ctx.OperationMode = operation_mode::ReadingBackSetting;
    EXPECT_EQ(CheckMeterReady(link), 0);
    EXPECT_EQ(texts(), Texts{});
}

TEST_F(MeterChecks, OnlyErrorStatus200RefusesSettings) {
    for (const std::string status : {"100", "200"}) {
        messages.boxes.clear();
        port.written.clear();
        port.answer(":OPER?", {"17"});
        port.answer(":STAT:ERR?", {status});
        EXPECT_EQ(CheckSettingAccepted(link), status == "200" ? -1 : 0);
        EXPECT_EQ(port.commands(), (Texts{"*CLS", ":OPER?", ":OPER 17", ":STAT:ERR?"}));
        EXPECT_EQ(texts(), status == "200" ? Texts{"Measurement data is not cleared."} : Texts{});
    }
}

// The simulated meter's tests cover the screen that is never reached.
TEST_F(MeterChecks, TheSettingScreenGetsThreeTriesThenTheBeeperIsRestoredOnRequest) {
    port.answer(":DISP:MODE?", {"MEAS", "MEAS", "MEAS", "SET"});
    port.answer(":BEEP?", {"1"});
    const auto start = clock.now();
    EXPECT_EQ(SwitchToSettingScreen(link, 1), 0);
    EXPECT_EQ(ctx.SavedDisplayMode, "MEAS");
    EXPECT_EQ(port.commands(), (Texts{":DISP:MODE?", ":DISP:MODE SET", ":DISP:MODE?", ":DISP:MODE SET",
                                      ":DISP:MODE?", ":DISP:MODE SET", ":DISP:MODE?", ":BEEP?", ":BEEP 0",
                                      ":SYST:KEY 13", ":BEEP 1"}));
    EXPECT_GE(clock.now() - start, 1s);  // the wait after the key press

    port.written.clear();
    port.answer(":DISP:MODE?", {"SET", "SET"});
    port.answer(":BEEP?", {"1"});
    EXPECT_EQ(SwitchToSettingScreen(link, 0), 0);  // already there: one try, beeper left off
    EXPECT_EQ(port.commands().back(), ":SYST:KEY 13");
}

}  // namespace
}  // namespace voltaro
