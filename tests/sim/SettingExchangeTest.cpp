// The meter checks, and receiving and sending the setting, against the simulated meter:
// the command streams, what the meter reads back, and what a failure leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "settings/CodeTables.h"
#include "settings/SettingReceive.h"
#include "settings/SettingSend.h"
#include "sim/SimulatedMeterLink.h"

namespace voltaro {
namespace {

using Lines = std::vector<std::string>;
using Change = std::function<void(SettingRecord&)>;

struct MeterExchange : test::SimulatedMeterLink {
    explicit MeterExchange(sim::MeterFaults faults = {}) : SimulatedMeterLink(std::move(faults)) {
        ctx.CurrentSetting.FileName = "SITE0001";
        meter.setCommandObserver([this](std::string_view line) { commands.emplace_back(line); });
    }
    // Changes the meter's own setting before the PC talks to it.
    void onMeter(std::string_view command) {
        meter.receive(std::string(command) + "\r\n", clock.now());
        commands.clear();
    }
    SettingRecord changed(const Change& change) const {
        SettingRecord r = ctx.CurrentSetting;
        change(r);
        return r;
    }
    // The set commands of the last exchange: after the key press that settles the
    // setting screen, before the screen is restored.
    Lines lastSetCommands() const {
        const auto first = std::find(commands.rbegin(), commands.rend(), ":SYST:KEY 13").base();
        const auto restore = [](const std::string& c) { return c.starts_with(":DISP:"); };
        return {first, std::find_if(first, commands.end(), restore)};
    }
    long exchanges() const { return std::count(commands.begin(), commands.end(), ":COMM:HEAD OFF"); }

    Lines commands;
};

Lines WithKeywords(const Lines& lines, const Lines& keywords) {
    Lines kept;
    for (const std::string& line : lines)
        if (std::ranges::count(keywords, line.substr(0, line.find(' '))) != 0) kept.push_back(line);
    return kept;
}

// A receive from a meter on hold stops with its one message, unless the meter shows a
// screen where hold does not matter: the checks ask once the headers are off.
TEST(SettingExchange, TheStateChecksAskWithoutHeaders) {
    for (const auto& [screen, shown] : {std::pair<const char*, Lines>{"MEAS", {"It is under hold."}}, {"GRAPH", {}}}) {
        MeterExchange m(test::Faults([&](sim::MeterFaults& f) { f.screen = screen, f.hold = true; }));
        SettingRecord r = m.ctx.CurrentSetting;
        EXPECT_EQ(SettingComRead2(m.link, r), shown.empty() ? 0 : -1) << screen;
        EXPECT_EQ(m.messages.texts(), shown);
    }
}

// What a round trip cannot show: only the times the methods use are asked, the seconds the
// meter does not give are kept, and the harmonic masks and an analog output are read apart.
TEST(SettingExchange, ReceiveAsksTheTimesTheMethodsUseAndKeepsTheRest) {
    MeterExchange m;
    for (const char* command : {":STAR:METH TIME", ":STOP:METH TIMER", ":STAR:TIME 2027,5,6,7,8", ":TIME 1,0,30",
                                ":DOUT:ITEM1 4", ":DOUT:ITEM5 2,255,0,0,0,0,0,3", ":AOUT:CH2 1,3,U1,5,10,1K"})
        m.onMeter(command);
    SettingRecord r = m.ctx.CurrentSetting;
    r.StartTime[5] = 42;
    const SettingRecord before = r;

    ASSERT_EQ(SettingComRead2(m.link, r), 0);
    EXPECT_EQ(WithKeywords(m.commands, {":STAR:TIME?", ":STOP:TIME?", ":TIME?"}), (Lines{":STAR:TIME?", ":TIME?"}));
    EXPECT_EQ(r.StartTime, (std::array<std::int16_t, 6>{2027, 5, 6, 7, 8, 42}));
    EXPECT_EQ(r.StopTime, before.StopTime);
    EXPECT_EQ(r.StopTimer, (std::array<std::int16_t, 3>{1, 0, 30}));
    EXPECT_EQ((std::array{r.SaveNormal, r.SaveWh, r.SaveHrm, r.SaveHrmItem[0], r.SaveHrmItem[1], r.SaveHrmOrdSel}),
              (std::array<std::int16_t, 6>{0, 0, 1, 1, 0, 1}));
    for (int order = 1; order <= 50; ++order)
        EXPECT_EQ(r.SaveHrmOrder[order - 1], order <= 8 || order >= 49 ? 1 : 0) << order;
    EXPECT_EQ((std::array{r.DaItem[1], r.DaKind[1], r.DaOrder[1], r.DaMag[1]}),
              (std::array<std::int16_t, 4>{0, 3, 5, 1}));
    EXPECT_EQ((Lines(m.commands.end() - 2, m.commands.end())), (Lines{":DISP:MODE MEAS", ":COMM:HEAD ON"}));
    EXPECT_TRUE(m.messages.boxes.empty());
}

// The set commands in the meter's spellings; the start time goes out twice and the timer after
// it, and neither goes out for methods that do not use them.
TEST(SettingExchange, SetCommandsInTheMetersSpellingsAndTheTimesTwiceBeforeTheTimer) {
    const struct {
        std::int16_t start;
        std::int16_t stop;
        Lines sent;
    } cases[] = {
        {method_code::Time, method_code::Timer,
         {":STAR:METH TIME", ":STOP:METH TIMER", ":STAR:TIME 2004,1,5,9,30", ":STAR:TIME 2004,1,5,9,30",
          ":TIME 1,0,30"}},
        {method_code::Just, method_code::Manual, {":STAR:METH JUST", ":STOP:METH MANUAL"}},
    };
    for (const auto& c : cases) {
        MeterExchange m;
        const SettingRecord sent = m.changed([&c](SettingRecord& r) {
            r.StartMethod = c.start, r.StopMethod = c.stop;
            r.StartTime = {2004, 1, 5, 9, 30, 0};
            r.StopTime = {2004, 1, 6, 18, 0, 0};
            r.StopTimer = {1, 0, 30};
            r.FixClock = 1, r.ARange[0] = 17, r.Vt = 1.5f, r.Ct[2] = 0.1f;
            r.SaveNormal = 1, r.SaveWh = 0, r.SaveHrm = 0;
            r.SaveHrmOrdSel = 1;
            r.SaveHrmOrder.fill(0);
            for (int order : {1, 3, 5, 7}) r.SaveHrmOrder[order - 1] = 1;
        });
        ASSERT_EQ(SettingComWrite2(m.link, sent, false), 0);
        EXPECT_EQ(WithKeywords(m.commands, {":STAR:METH", ":STOP:METH", ":STAR:TIME", ":STOP:TIME", ":TIME"}), c.sent);
        const Lines set = m.lastSetCommands();
        for (const char* line : {":FREQ 60Hz", ":CURR:RANG 1,1KA", ":VT 1.5", ":CT 3,0.1", ":DOUT:ITEM1 1",
                                 ":DOUT:ITEM5 2,85,0,0,0,0,0,0", ":SYST:DATE 2026,12,6", ":AOUT:CH2 1,0,I1,1,1,1K"})
            EXPECT_NE(std::find(set.begin(), set.end(), line), set.end()) << line;
    }
}

TEST(SettingExchange, ASentSettingBecomesCurrentAndReadsBackTheSame) {
    MeterExchange m;
    const SettingRecord sent = m.changed([](SettingRecord& r) {
        r.Clamp[0] = 4, r.ARange[0] = 17;  // 52130 with 1kA
        r.Sampling = 1, r.FixClock = 1;
        r.Vt = 1.5f, r.Ct[1] = 2.5f;
        r.StartMethod = r.StopMethod = method_code::Time;
        r.StartTime = {2027, 1, 5, 9, 30, 0};
        r.StopTime = {2027, 1, 6, 9, 30, 0};
        r.Interval = 16, r.TotalWhUnit = 3;
        r.SaveHrmOrdSel = 3;
        r.SaveHrmOrder.fill(0), r.SaveHrmOrder[9] = r.SaveHrmOrder[49] = 1;
        r.DaKind[1] = 1, r.DaItem[1] = 36, r.DaRate[1] = 6;  // "1,Wh+" at 1V/1000kWh
        r.Language = 2;
    });
    EXPECT_EQ(SendProcedure(m.link, sent, false), 0);
    SettingRecord expected = sent;
    expected.Version = "1.05";
    EXPECT_EQ(m.ctx.CurrentSetting, expected);
    EXPECT_EQ(m.exchanges(), 2);

    EXPECT_EQ(ReceiveProcedure(m.link), 0);
    EXPECT_EQ(m.ctx.CurrentSetting, expected);
    EXPECT_TRUE(m.messages.boxes.empty());
}

TEST(SettingExchange, AnItemTheMeterDoesNotTakeSendsThePreviousSettingAgain) {
    const struct {
        Lines ignored;
        Change change;
        const char* resent;
        std::int16_t code;
        const char* message;
    } cases[] = {
        {{":WIRI"}, [](SettingRecord& r) { r.Wiring = 5; }, ":WIRI 3P3W2I", 400, "Wiring setting failure."},
        // Never sent and never read back, so it can never be taken.
        {{}, [](SettingRecord& r) { r.Rs232Connect = 1; }, ":WIRI 3P3W2I", 450, "RS-232 connect setting failure."},
    };
    for (const auto& c : cases) {
        MeterExchange m(test::Faults([&c](sim::MeterFaults& f) { f.ignoreSet = c.ignored; }));
        const SettingRecord previous = m.ctx.CurrentSetting;
        EXPECT_EQ(SendProcedure(m.link, m.changed(c.change), false), c.code) << c.message;
        EXPECT_EQ(m.ctx.CurrentSetting, previous) << c.message;
        EXPECT_EQ(m.messages.texts(), Lines{c.message});
        EXPECT_EQ(m.exchanges(), 3) << c.message;
        const Lines resent = m.lastSetCommands();
        EXPECT_NE(std::find(resent.begin(), resent.end(), c.resent), resent.end()) << c.message;
    }
}

TEST(SettingExchange, AFailureHalfwayChangesNothingAndSendsNothingMore) {
    const struct {
        const char* what;
        Lines silentOn;
        const char* onMeter;
        const char* lastCommand;
    } cases[] = {
        {"time-out", {":LANG?"}, "", ":LANG?"},
        {"no number", {}, ":LOAD x", ":LOAD?"},
        {"no bit mask", {}, ":DOUT:ITEM5 2,85,x,0,0,0,0,0", ":DOUT:ITEM5?"},
    };
    for (const auto& c : cases) {
        MeterExchange m(test::Faults([&c](sim::MeterFaults& f) { f.silentOn = c.silentOn; }));
        if (*c.onMeter != '\0') m.onMeter(c.onMeter);
        const SettingRecord before = m.ctx.CurrentSetting;
        SettingRecord r = before;
        EXPECT_EQ(SettingComRead2(m.link, r), -1) << c.what;
        EXPECT_EQ(r, before) << c.what;
        EXPECT_EQ(m.commands.back(), c.lastCommand) << c.what;
        EXPECT_EQ(ReceiveProcedure(m.link), -1) << c.what;
        EXPECT_EQ(m.ctx.CurrentSetting, before) << c.what;
        EXPECT_EQ(m.messages.texts(), Lines(2, "Communication failed.")) << c.what;
        EXPECT_FALSE(m.port.isOpen()) << c.what;
        if (c.silentOn.empty()) continue;
        // A send whose read-back fails keeps the current setting and sends nothing more.
        EXPECT_EQ(SendProcedure(m.link, m.changed([](SettingRecord& r) { r.Wiring = 5; }), false), -1);
        EXPECT_EQ(m.ctx.CurrentSetting, before);
        EXPECT_EQ(m.commands.back(), ":LANG?");
        EXPECT_EQ(m.messages.texts(), Lines(3, "Communication failed."));
        EXPECT_EQ(m.ctx.OperationMode, operation_mode::Idle);
    }
}

TEST(SettingExchange, ThePcClockSetsTheMetersAndItsDateIsNotCompared) {
    MeterExchange m;
    const SettingRecord sent = m.changed([](SettingRecord& r) { r.SysDate = {2001, 2, 3}; });
    EXPECT_EQ(SendProcedure(m.link, sent, true), 0);
    EXPECT_EQ(WithKeywords(m.commands, {":SYST:DATE", ":SYST:TIME"}),
              (Lines{":SYST:DATE 2026,12,6", ":SYST:TIME 10,0,0"}));
    EXPECT_EQ(m.ctx.CurrentSetting.SysDate, sent.SysDate);
}

}  // namespace
}  // namespace voltaro
