#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "app/DefaultSettings.h"
#include "settings/FieldRules.h"
#include "settings/RatedPower.h"
#include "settings/SettingCheck.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"

namespace voltaro {
namespace {

struct FieldRules : ::testing::Test {
    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 3, 1, 12, 0, 0}};
    AppContext ctx{messages, clock};
};

TEST_F(FieldRules, ListChecksRefuseNothingChosenAndPositionsPastTheList) {
    const struct {
        std::int16_t (*check)(AppContext&, int);
        int last;
        std::int16_t code;
    } cases[] = {
        {CheckWiring, 7, 300},       {Check1PConnect, 2, 302},    {CheckARange, 20, 304},
        {CheckGraphOrder, 1, 320},   {CheckInterval, 16, 328},    {CheckHardCopy, 2, 330},
        {CheckRs232Connect, 1, 333}, {CheckBaudRate, 5, 334},     {CheckDataLength, 1, 335},
        {CheckParity, 2, 336},       {CheckStopBit, 1, 337},      {CheckFlowControl, 3, 338},
    };
    for (const auto& c : cases) {
        messages.boxes.clear();
        EXPECT_EQ(c.check(ctx, 0), 0) << c.code;
        EXPECT_EQ(c.check(ctx, c.last), 0) << c.code;
        EXPECT_EQ(c.check(ctx, -1), c.code);
        EXPECT_EQ(c.check(ctx, c.last + 1), c.code);
        EXPECT_EQ(messages.texts(), std::vector<std::string>(2, ctx.catalogue.codeText(c.code)));
    }
}

TEST_F(FieldRules, StopTimerReportsEveryFaultThatHolds) {
    const struct {
        long long hours, minutes, seconds;
        int reports;
    } cases[] = {
        {8784, 0, 0, 0}, {0, 0, 1, 0},  {8784, 0, 1, 1}, {0, 0, 0, 1},
        {9000, 75, 0, 2}, {-1, 60, 60, 3}, {8784, 60, 0, 2},
    };
    for (const auto& c : cases) {
        messages.boxes.clear();
        EXPECT_EQ(CheckStopTimer(ctx, c.hours, c.minutes, c.seconds), c.reports > 0 ? 327 : 0);
        EXPECT_EQ(messages.texts(), std::vector<std::string>(c.reports, "Invalid stop timer."))
            << c.hours << ':' << c.minutes << ':' << c.seconds;
    }
}

TEST_F(FieldRules, FileNamesAreEightBytesTheMeterTakes) {
    for (const unsigned char byte : {0x21, 0x23, 0x29, 0x2D, 0x30, 0x39, 0x40, 0x5A, 0x5E, 0x5F, 0x60, 0x7B, 0x7D, 0x7E,
                                     0xA1, 0xDF})
        EXPECT_TRUE(IsFileNameChar(byte)) << int{byte};
    for (const unsigned char byte : {0x00, 0x1F, 0x20, 0x22, 0x2A, 0x2B, 0x2C, 0x2E, 0x2F, 0x3A, 0x3F, 0x5B, 0x5C, 0x5D,
                                     0x7C, 0x7F, 0x80, 0xA0, 0xE0, 0xFF})
        EXPECT_FALSE(IsFileNameChar(byte)) << int{byte};
    EXPECT_EQ(CheckFilename(ctx, "abcdefgh"), 0);
    EXPECT_EQ(CheckFilename(ctx, "DATA\xB1\xB2\xDF!"), 0);  // katakana bytes
    EXPECT_EQ(CheckFilename(ctx, "ABC"), 331);
    EXPECT_EQ(CheckFilename(ctx, "ABCD.EFG"), 331);
    EXPECT_EQ(messages.boxes.size(), 2u);
}

TEST_F(FieldRules, RatedPowerReadsTheRangeTextsAndStopsAt999Point9Terawatts) {
    EXPECT_FLOAT_EQ(AmperesOfRange("200mA"), 0.2f);
    EXPECT_FLOAT_EQ(AmperesOfRange("1.5kA"), 1500.0f);
    EXPECT_FLOAT_EQ(VoltsOfRange("600V"), 600.0f);
    EXPECT_EQ((std::array{WiringFactor(0), WiringFactor(5), WiringFactor(6), WiringFactor(7)}),
              (std::array{1, 3, 3, 2}));

    for (const char* aRange : {"3000A", "3kA"}) {
        EXPECT_TRUE(RatedPowerWithinLimit(5, "1000V", aRange, 8546.16f, 9999.99f)) << aRange;
        EXPECT_FALSE(RatedPowerWithinLimit(5, "1000V", aRange, 8546.17f, 9999.99f)) << aRange;
    }
    // VT and CT both 1 are never multiplied out, however large the ranges read.
    EXPECT_TRUE(RatedPowerWithinLimit(5, "100000000000000V", "3000A", 1.0f, 1.0f));
    EXPECT_FALSE(RatedPowerWithinLimit(5, "100000000000000V", "3000A", 1.01f, 1.0f));

    EXPECT_EQ(CheckRatedPower(ctx, 5, "1000V", "3000A", 9999.99f, 9999.99f), 356);
    ctx.OperationMode = operation_mode::ReceivingSetting;
    EXPECT_EQ(CheckRatedPower(ctx, 5, "1000V", "3000A", 9999.99f, 9999.99f), 0);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{ctx.catalogue.codeText(356)});
}


struct SettingCheck : FieldRules {
    // The factory setting is itself a valid one, as the row "nothing" shows.
    static SettingRecord valid() { return FactorySettings({2026, 3, 1, 12, 0, 0}, "/tmp/", 1); }
};

// Rows with their own logic and the order in which they are reported; plain items appear by a sample.
TEST_F(SettingCheck, EachRowReportsItsCodeOnceAndRowsEarlierInTheOrderWin) {
    using Change = std::function<void(SettingRecord&)>;
    const struct {
        const char* what;
        Change change;
        std::int16_t code;
    } cases[] = {
        {"nothing: the factory setting", [](SettingRecord&) {}, 0},
        {"wiring", [](SettingRecord& r) { r.Wiring = 8; }, 300},
        {"load for 3P3W2I", [](SettingRecord& r) { r.Load = 3; }, 301},
        {"four loads on 1P2W", [](SettingRecord& r) { r.Wiring = 0, r.Load = 4; }, 0},
        {"A range before VT", [](SettingRecord& r) { r.ARange[3] = 21, r.Vt = 0; }, 304},
        {"VT just above in single precision", [](SettingRecord& r) { r.Vt = 9999.995f; }, 305},
        {"VT not a number", [](SettingRecord& r) { r.Vt = std::nanf(""); }, 305},
        {"clamp", [](SettingRecord& r) { r.Clamp[1] = 10; }, 307},
        {"A range outside its clamp, after VT", [](SettingRecord& r) { r.ARange[0] = 14, r.Vt = 0; }, 305},
        {"A range outside its clamp", [](SettingRecord& r) { r.Clamp[2] = 4, r.ARange[2] = 18; }, 304},
        {"channel by channel", [](SettingRecord& r) { r.ARange[0] = 1, r.Clamp[1] = -1; }, 304},
        {"100mA within clamp 52170", [](SettingRecord& r) { r.Clamp[0] = 0, r.ARange[0] = 0; }, 0},
        {"averaging", [](SettingRecord& r) { r.Average = 5; }, 313},
        {"29 February 2004", [](SettingRecord& r) { r.StartTime = {2004, 2, 29, 0, 0, 0}; }, 0},
        {"29 February 2005", [](SettingRecord& r) { r.StartTime = {2005, 2, 29, 0, 0, 0}; }, 322},
        {"31 April", [](SettingRecord& r) { r.StartTime = {2026, 4, 31, 0, 0, 0}; }, 322},
        {"year 1999", [](SettingRecord& r) { r.StartTime[0] = 1999; }, 322},
        {"start hour", [](SettingRecord& r) { r.StartTime[3] = 24; }, 323},
        {"stop second", [](SettingRecord& r) { r.StopTime[5] = 60; }, 326},
        {"longest timer", [](SettingRecord& r) { r.StopTimer = {8784, 0, 0}; }, 0},
        {"beyond the longest timer", [](SettingRecord& r) { r.StopTimer = {8784, 0, 1}; }, 327},
        {"... after the interval", [](SettingRecord& r) { r.StopTimer = {8784, 1, 0}, r.Interval = 17; }, 328},
        {"... after the file name", [](SettingRecord& r) { r.StopTimer = {8784, 1, 0}, r.FileName = "A"; }, 331},
        {"... before the save items", [](SettingRecord& r) { r.StopTimer = {8784, 1, 0}, r.SaveWh = 2; }, 327},
        {"stop at the start instant",
         [](SettingRecord& r) { r.StartMethod = r.StopMethod = 1, r.StopTime = r.StartTime; }, 325},
        {"stop a second later",
         [](SettingRecord& r) { r.StartMethod = r.StopMethod = 1, r.StopTime = r.StartTime, ++r.StopTime[5]; }, 0},
        {"interval", [](SettingRecord& r) { r.Interval = 17; }, 328},
        {"save flag", [](SettingRecord& r) { r.SaveMin = 2; }, 358},
        {"printer copy to the PC", [](SettingRecord& r) { r.Copy = 2; }, 330},
        {"printer copy to a printer", [](SettingRecord& r) { r.Copy = 2, r.Rs232Connect = 1; }, 0},
        {"flow control", [](SettingRecord& r) { r.Rs232Flow = 4; }, 338},
        {"dip the window takes", [](SettingRecord& r) { r.Dip = 5; }, 342},
        {"ID", [](SettingRecord& r) { r.Id = 1000; }, 349},
        {"analog output channels in turn", [](SettingRecord& r) { r.DaRate[0] = 7, r.DaKind[1] = 7; }, 354},
        // 3P4W, 1000V and 3kA on the last channel, whatever the load: 999.9 TW lies between these VTs.
        {"rated power within", [](SettingRecord& r) { r.Wiring = 5, r.URange = 3, r.Clamp[3] = 5, r.ARange[3] = 20,
                                                      r.Ct[3] = 9999.99f, r.Vt = 8546.16f; }, 0},
        {"rated power beyond", [](SettingRecord& r) { r.Wiring = 5, r.URange = 3, r.Clamp[3] = 5, r.ARange[3] = 20,
                                                      r.Ct[3] = 9999.99f, r.Vt = 8546.17f; }, 356},
    };
    for (const auto& c : cases) {
        messages.boxes.clear();
        SettingRecord r = valid();
        c.change(r);
        EXPECT_EQ(CheckSettingRecord(ctx, r), c.code) << c.what;
        const std::vector<std::string> expected{ctx.catalogue.codeText(c.code)};
        EXPECT_EQ(messages.texts(), c.code == 0 ? std::vector<std::string>{} : expected) << c.what;
    }
}

TEST_F(SettingCheck, StopMethodTwoPassesAsTheTimer) {
    SettingRecord r = valid();
    r.StopMethod = 2;
    EXPECT_EQ(CheckSettingRecord(ctx, r), 0);
    EXPECT_EQ(r.StopMethod, 3);
}

}  // namespace
}  // namespace voltaro
