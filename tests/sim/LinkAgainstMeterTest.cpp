// The link's checks and the reset against the simulated meter: the two sides must agree
// on every reply they exchange.
#include <gtest/gtest.h>

#include "link/MeterChecks.h"
#include "link/SystemReset.h"
#include "settings/DefaultSettings.h"
#include "sim/InMemorySerialPort.h"
#include "sim/MeterModel.h"
#include "support/FixedClock.h"
#include "support/ManualClock.h"
#include "support/RecordingMessages.h"

namespace voltaro {
namespace {

using Texts = std::vector<std::string>;

struct LinkAgainstMeter {
    explicit LinkAgainstMeter(sim::MeterFaults faults = {}) : meter({}, std::move(faults)) {
        ctx.AppPath = "/app/";
        SetDefaultSettings(ctx);
        link.OpenCommPort(ctx.CurrentSetting.Pc);
        link.SendCommand(":COMM:HEAD OFF");
    }
    Texts texts() const {
        Texts out;
        for (const auto& box : messages.boxes) out.push_back(box.text);
        return out;
    }

    test::RecordingMessages messages;
    test::FixedClock wallClock{{2026, 12, 6, 10, 0, 0}};
    AppContext ctx{messages, wallClock};
    test::ManualClock clock;
    sim::MeterModel meter;
    sim::InMemorySerialPort port{meter, clock};
    Link link{ctx, port, clock};
};

TEST(LinkAgainstMeter, EachMeterStateGivesItsOneMessage) {
    const auto faults = [](auto change) {
        sim::MeterFaults f;
        change(f);
        return f;
    };
    const struct {
        sim::MeterFaults faults;
        Texts shown;
    } cases[] = {
        {{}, {}},
        {faults([](sim::MeterFaults& f) { f.model = "ZR916"; }), {"ZR915 not ready."}},
        {faults([](sim::MeterFaults& f) { f.version = "105"; }), {"Invalid version number."}},
        {faults([](sim::MeterFaults& f) { f.measuring = true; }),
         {"Information on the pc card can't be read during integration measurement."}},
        {faults([](sim::MeterFaults& f) { f.hold = true; }), {"It is under hold."}},
        {faults([](sim::MeterFaults& f) { f.screen = "GRAPH", f.hold = true; }), {}},
        {faults([](sim::MeterFaults& f) { f.silentOn = {"*IDN?"}; }), {"Communication failed."}},
    };
    for (const auto& c : cases) {
        LinkAgainstMeter line(c.faults);
        EXPECT_EQ(CheckMeterReady(line.link), c.shown.empty() ? 0 : -1) << testing::PrintToString(c.shown);
        EXPECT_EQ(line.texts(), c.shown);
    }
}

TEST(LinkAgainstMeter, TheSettingScreenAndTheErrorProbe) {
    sim::MeterFaults third;
    third.settingScreenAfter = 3;
    LinkAgainstMeter late(third);
    EXPECT_EQ(SwitchToSettingScreen(late.link, 1), 0);
    EXPECT_EQ(late.ctx.SavedDisplayMode, "MEAS");

    sim::MeterFaults never;
    never.settingScreenAfter.reset();
    never.refuseSettings = true;
    LinkAgainstMeter stuck(never);
    EXPECT_EQ(SwitchToSettingScreen(stuck.link, 1), -1);
    EXPECT_EQ(CheckSettingAccepted(stuck.link), -1);
    EXPECT_EQ(stuck.texts(), (Texts{"It cannot move to a setting screen.", "Measurement data is not cleared."}));
}

TEST(LinkAgainstMeter, ResetBringsMeterAndRecordBackToTheFactorySetting) {
    LinkAgainstMeter line;
    line.link.CloseCommPort();
    line.link.OpenCommPort(line.ctx.CurrentSetting.Pc);
    line.link.SendCommand(":COMM:HEAD OFF");
    line.link.SendCommand(":WIRI 3P4W");
    line.link.CloseCommPort();
    line.ctx.CurrentSetting.Wiring = 5;
    EXPECT_EQ(SystemReset(line.link), 0);
    EXPECT_EQ(line.ctx.CurrentSetting.Wiring, 3);
    line.link.OpenCommPort(line.ctx.CurrentSetting.Pc);
    line.link.SendCommand(":COMM:HEAD OFF");
    std::string reply;
    ASSERT_EQ(line.link.SendCommand(":WIRI?"), 0);
    ASSERT_EQ(line.link.ReceiveResponse(reply), 0);
    EXPECT_EQ(reply, "3P3W2I");
}

}  // namespace
}  // namespace voltaro
