#include <gtest/gtest.h>

#include "app/DefaultSettings.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"

namespace voltaro {
namespace {

struct DefaultSettings : ::testing::Test {
    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 12, 31, 23, 45, 37}};
    AppContext ctx{messages, clock};

    DefaultSettings() { ctx.AppPath = "/home/u/voltaro/"; }
};

TEST_F(DefaultSettings, ClockDependentFieldsCarryAcrossTheYearEnd) {
    SetDefaultSettings(ctx);
    const SettingRecord& r = ctx.CurrentSetting;
    EXPECT_EQ(r.StartTime, (std::array<std::int16_t, 6>{2026, 12, 31, 23, 45, 0}));
    EXPECT_EQ(r.StopTime, (std::array<std::int16_t, 6>{2027, 1, 1, 0, 15, 0}));
    EXPECT_EQ(r.SysDate, (std::array<std::int16_t, 3>{2026, 12, 31}));
    EXPECT_EQ(r.SysTime, (std::array<std::int16_t, 3>{23, 45, 0}));
    EXPECT_EQ(r.StopTimer, (std::array<std::int16_t, 3>{0, 30, 0}));
}

TEST(AddMinutes, CarriesThroughLeapDaysAndMonthEnds) {
    const struct {
        LocalDateTime from;
        LocalDateTime to;
    } cases[] = {
        {{2028, 2, 28, 23, 50, 5}, {2028, 2, 29, 0, 20, 5}},
        {{2027, 2, 28, 23, 50, 0}, {2027, 3, 1, 0, 20, 0}},
        {{2026, 4, 30, 23, 30, 0}, {2026, 5, 1, 0, 0, 0}},
        {{2026, 6, 15, 10, 0, 59}, {2026, 6, 15, 10, 30, 59}},
    };
    for (const auto& c : cases) EXPECT_EQ(AddMinutes(c.from, 30), c.to) << c.from.month << '/' << c.from.day;
}

TEST_F(DefaultSettings, FactoryValuesThatOtherCodeReliesOn) {
    SetDefaultSettings(ctx);
    const SettingRecord& r = ctx.CurrentSetting;
    EXPECT_EQ(r.Version, "0.01");
    EXPECT_EQ(r.Wiring, 3);
    EXPECT_EQ(r.ARange, (std::array<std::int16_t, 4>{7, 7, 7, 7}));
    EXPECT_EQ(r.Ct, (std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f}));
    EXPECT_EQ(r.Language, 1);  // the English catalogue
    EXPECT_EQ(r.SaveHrmCh, (std::array<std::int16_t, 8>{1, 1, 1, 1, 1, 1, 0, 1}));  // I3 off
    for (std::size_t k = 0; k < r.SaveHrmOrder.size(); ++k)
        EXPECT_EQ(r.SaveHrmOrder[k], (k + 1) % 2) << "order " << k + 1;
    EXPECT_EQ(r.DaItem, (std::array<std::int16_t, 4>{0, 4, 15, 19}));
    EXPECT_EQ(r.DaOrder, (std::array<std::int16_t, 4>{1, 1, 1, 1}));

    const PcSettings& pc = r.Pc;
    EXPECT_EQ(pc.CommPort, (CommPortSetting{1, 3, 8, 2, 1, 0}));  // COM1 9600 8N1, no flow control
    EXPECT_EQ(pc.TransSaveData, 1);
    EXPECT_EQ(pc.TransExcel, 0);
    EXPECT_EQ(pc.TransMedia, 0);
    for (const std::string* folder : {&pc.TransSavePath, &pc.ConvInputPath, &pc.ConvOutputPath,
                                      &pc.DivideInputFile, &pc.DivideOutputPath})
        EXPECT_EQ(*folder, "/home/u/voltaro/");
    EXPECT_EQ(pc.DivideRows, 2000);
    EXPECT_EQ(pc.DivideCols, 255);
    EXPECT_EQ(pc.PcPortName, "");
}

TEST_F(DefaultSettings, SystemResetKeepsLanguageIdClockAndThePcSide) {
    SetDefaultSettings(ctx);
    SettingRecord& r = ctx.CurrentSetting;
    r.Wiring = 5;
    r.Beep = 0;
    r.Contrast = 8;
    r.DaItem = {1, 2, 3, 4};
    r.AdRange = {2, 2};
    r.Language = 3;
    r.Id = 42;
    r.SysDate = {2030, 5, 6};
    r.SysTime = {7, 8, 9};
    r.Pc.CommPort.PcComPort = 4;
    r.Pc.TransSavePath = "/data/";
    r.Pc.PcPortName = "/dev/pts/3";
    const SettingRecord edited = r;
    clock.time = {2027, 3, 4, 5, 6, 7};

    ctx.OperationMode = operation_mode::SystemReset;
    SetDefaultSettings(ctx);
    EXPECT_EQ(r.Wiring, 3);
    EXPECT_EQ(r.Beep, 1);
    EXPECT_EQ(r.Contrast, 4);
    EXPECT_EQ(r.DaItem, (std::array<std::int16_t, 4>{0, 4, 15, 19}));
    EXPECT_EQ(r.AdRange, (std::array<std::int16_t, 2>{0, 0}));
    EXPECT_EQ(r.StartTime, (std::array<std::int16_t, 6>{2027, 3, 4, 5, 6, 0}));
    EXPECT_EQ(r.Language, 3);
    EXPECT_EQ(r.Id, 42);
    EXPECT_EQ(r.SysDate, edited.SysDate);
    EXPECT_EQ(r.SysTime, edited.SysTime);
    EXPECT_EQ(r.Pc, edited.Pc);

    ctx.OperationMode = operation_mode::Idle;
    SetDefaultSettings(ctx);
    EXPECT_EQ(r.Language, 1);
    EXPECT_EQ(r.Id, 1);
    EXPECT_EQ(r.SysDate, (std::array<std::int16_t, 3>{2027, 3, 4}));
    EXPECT_EQ(r.Pc.CommPort.PcComPort, 1);
    EXPECT_EQ(r.Pc.PcPortName, "");
}

TEST(DefaultLanguage, JapaneseOnlyForAJapaneseCatalogue) {
    std::string error;
    const auto japanese = Catalogue::parse("[texts]\n2802\t\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\n", error);
    const auto english = Catalogue::parse("[texts]\n2802\tJapanese\n", error);
    ASSERT_TRUE(japanese && english);
    EXPECT_EQ(DefaultLanguage(*japanese), 0);
    EXPECT_EQ(DefaultLanguage(*english), 1);
}

}  // namespace
}  // namespace voltaro
