#include <gtest/gtest.h>

#include <tuple>

#include "app/DefaultSettings.h"
#include "settings/SystemReset.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/ScriptedLink.h"

namespace voltaro {
namespace {

struct DefaultSettings : ::testing::Test {
    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 12, 31, 23, 45, 37}};
    AppContext ctx{messages, clock};

    DefaultSettings() { ctx.AppPath = "/home/u/voltaro/"; }
};

TEST(AddMinutes, CarriesThroughLeapDaysAndMonthEnds) {
    EXPECT_EQ(AddMinutes({2028, 2, 28, 23, 50, 5}, 30), (LocalDateTime{2028, 2, 29, 0, 20, 5}));
    EXPECT_EQ(AddMinutes({2027, 2, 28, 23, 50, 0}, 30), (LocalDateTime{2027, 3, 1, 0, 20, 0}));
}

// What other code relies on, the clock's fields across the year end, and what a system reset keeps:
// language, ID, meter clock and the PC side.
TEST_F(DefaultSettings, FactoryValuesAndWhatASystemResetKeeps) {
    SetDefaultSettings(ctx);
    SettingRecord& r = ctx.CurrentSetting;
    EXPECT_EQ(r.StartTime, (std::array<std::int16_t, 6>{2026, 12, 31, 23, 45, 0}));
    EXPECT_EQ(r.StopTime, (std::array<std::int16_t, 6>{2027, 1, 1, 0, 15, 0}));
    EXPECT_EQ(r.SysDate, (std::array<std::int16_t, 3>{2026, 12, 31}));
    EXPECT_EQ(r.SysTime, (std::array<std::int16_t, 3>{23, 45, 0}));
    EXPECT_EQ(r.StopTimer, (std::array<std::int16_t, 3>{0, 30, 0}));
    EXPECT_EQ(r.Version, "0.01");
    EXPECT_EQ(r.Wiring, 3);
    EXPECT_EQ(r.Language, 1);                                                       // the English catalogue
    EXPECT_EQ(r.SaveHrmCh, (std::array<std::int16_t, 8>{1, 1, 1, 1, 1, 1, 0, 1}));  // I3 off
    EXPECT_EQ(r.DaItem, (std::array<std::int16_t, 4>{0, 4, 15, 19}));
    EXPECT_EQ(r.Pc.CommPort, (CommPortSetting{1, 3, 8, 2, 1, 0}));  // COM1 9600 8N1, no flow control
    EXPECT_EQ(r.Pc.ConvOutputPath, "/home/u/voltaro/");
    EXPECT_EQ(r.Pc.DivideRows, 2000);

    r.Wiring = 5, r.DaItem = {1, 2, 3, 4}, r.Language = 3, r.Id = 42, r.SysDate = {2030, 5, 6}, r.FileName = "SITE0001";
    r.Pc.CommPort.PcComPort = 4, r.Pc.PcPortName = "/dev/pts/3";
    const SettingRecord edited = r;
    clock.time = {2027, 3, 4, 5, 6, 7};
    ctx.OperationMode = operation_mode::SystemReset;
    SetDefaultSettings(ctx);
    EXPECT_EQ(r.Wiring, 3);
    EXPECT_EQ(r.DaItem, (std::array<std::int16_t, 4>{0, 4, 15, 19}));
    EXPECT_EQ(r.FileName, "DATA0001");
    EXPECT_EQ(r.StartTime, (std::array<std::int16_t, 6>{2027, 3, 4, 5, 6, 0}));
    EXPECT_EQ(std::tuple(r.Language, r.Id, r.SysDate, r.Pc),
              std::tuple(edited.Language, edited.Id, edited.SysDate, edited.Pc));

    ctx.OperationMode = operation_mode::Idle;
    SetDefaultSettings(ctx);
    EXPECT_EQ(std::tuple(r.Language, r.Id, r.SysDate, r.Pc.PcPortName),
              std::tuple(1, 1, std::array<std::int16_t, 3>{2027, 3, 4}, ""));
}

TEST(DefaultLanguage, JapaneseOnlyForAJapaneseCatalogue) {
    std::string error;
    const auto japanese = Catalogue::parse("[texts]\n2802\t\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\n", error);
    const auto english = Catalogue::parse("[texts]\n2802\tJapanese\n", error);
    ASSERT_TRUE(japanese && english);
    EXPECT_EQ(DefaultLanguage(*japanese), 0);
    EXPECT_EQ(DefaultLanguage(*english), 1);
}

using Texts = std::vector<std::string>;

struct Reset : ::testing::Test, test::ScriptedLink {
    Reset() {
        ctx.AppPath = "/app/";
        SetDefaultSettings(ctx);
        ctx.CurrentSetting.Wiring = 6;
        ctx.CurrentSetting.Language = 3;
        ctx.CurrentSetting.Pc.PcPortName = "/dev/pts/9";
        port.answer("*IDN?", {"ACME, ZR915,0,1.05 "});
        port.answer(":DISP:MODE?", {"MEAS"});
    }
};

TEST_F(Reset, ResetsMeterAndRecordKeepingLanguageAndPcSide) {
    port.answer(":MEAS:STAT?", {"0"});
    port.answer(":HOLD?", {"0"});
    EXPECT_EQ(SystemReset(link), 0);
    EXPECT_EQ(messages.questions.at(0).text, "Reset is performed. Proceed?");
    EXPECT_EQ(port.commands(), (Texts{":COMM:HEAD OFF", "*IDN?", ":DISP:MODE?", ":MEAS:STAT?", ":HOLD?", ":RESE",
                                      ":COMM:HEAD ON"}));
    EXPECT_EQ(port.opened.at(0).device, "/dev/pts/9");
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(std::tuple(ctx.CurrentSetting.Wiring, ctx.CurrentSetting.Language, ctx.CurrentSetting.Pc.PcPortName),
              std::tuple(3, 3, "/dev/pts/9"));
    EXPECT_EQ(texts(), Texts{"Reset was performed."});
    EXPECT_EQ(ctx.OperationMode, operation_mode::Idle);
}

TEST_F(Reset, DeclinedOrFailedResetChangesNothing) {
    const SettingRecord before = ctx.CurrentSetting;
    messages.answers = {false};
    EXPECT_EQ(SystemReset(link), -1);
    EXPECT_TRUE(port.written.empty());

    port.answer(":MEAS:STAT?", {"1"});
    EXPECT_EQ(SystemReset(link), -1);
    EXPECT_EQ(texts(), Texts{"Information on the pc card can't be read during integration measurement."});
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(ctx.CurrentSetting, before);
    EXPECT_EQ(ctx.OperationMode, operation_mode::Idle);
}

}  // namespace
}  // namespace voltaro
