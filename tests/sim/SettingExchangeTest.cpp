// Sending and receiving the setting against the simulated meter: what the meter is told when
// it refuses an item, what a failed receive leaves behind, and the clock a send sets.
#include <gtest/gtest.h>

#include <algorithm>

#include "settings/SettingReceive.h"
#include "settings/SettingSend.h"
#include "sim/SimulatedMeterLink.h"

namespace voltaro {
namespace {

using Lines = std::vector<std::string>;

struct MeterExchange : test::SimulatedMeterLink {
    explicit MeterExchange(sim::MeterFaults faults = {}) : SimulatedMeterLink(std::move(faults)) {
        ctx.CurrentSetting.FileName = "SITE0001";
        meter.setCommandObserver([this](std::string_view line) { commands.emplace_back(line); });
    }
    bool sent(const std::string& command) const {
        return std::find(commands.begin(), commands.end(), command) != commands.end();
    }
    Lines commands;
};

// The meter keeps its old wiring: the send reports it and puts the previous setting back.
TEST(SettingExchange, AnItemTheMeterDoesNotTakeSendsThePreviousSettingAgain) {
    MeterExchange m(test::Faults([](sim::MeterFaults& f) { f.ignoreSet = {":WIRI"}; }));
    const SettingRecord previous = m.ctx.CurrentSetting;
    SettingRecord changed = previous;
    changed.Wiring = 5;
    EXPECT_EQ(SendProcedure(m.link, changed, false), 400);
    EXPECT_EQ(m.ctx.CurrentSetting, previous);
    EXPECT_EQ(m.messages.texts(), Lines{"Wiring setting failure."});
    EXPECT_TRUE(m.sent(":WIRI 3P3W2I"));
}

TEST(SettingExchange, AReplyThatIsNoNumberFailsTheReceiveAndChangesNothing) {
    MeterExchange m;
    m.meter.receive(":LOAD x\r\n", m.clock.now());
    const SettingRecord before = m.ctx.CurrentSetting;
    SettingRecord r = before;
    EXPECT_EQ(SettingComRead2(m.link, r), -1);
    EXPECT_EQ(r, before);
    bool taken = true;
    EXPECT_EQ(ReceiveProcedure(m.link, taken), -1);
    EXPECT_FALSE(taken);
    EXPECT_EQ(m.ctx.CurrentSetting, before);
    EXPECT_EQ(m.messages.texts(), Lines(2, "Communication failed."));
}

// The date and time of the PC go out, not the record's, and the record keeps its own date.
TEST(SettingExchange, ThePcClockSetsTheMetersAndItsDateIsNotCompared) {
    MeterExchange m;
    SettingRecord changed = m.ctx.CurrentSetting;
    changed.SysDate = {2001, 2, 3};
    EXPECT_EQ(SendProcedure(m.link, changed, true), 0);
    EXPECT_TRUE(m.sent(":SYST:DATE 2026,12,6") && m.sent(":SYST:TIME 10,0,0"));
    EXPECT_EQ(m.ctx.CurrentSetting.SysDate, changed.SysDate);
}

}  // namespace
}  // namespace voltaro
