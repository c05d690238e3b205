#include <gtest/gtest.h>

#include <tuple>

#include "link/MeterChecks.h"
#include "support/ScriptedLink.h"

namespace voltaro {
namespace {

using namespace std::chrono_literals;
using Texts = std::vector<std::string>;

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
