#include <gtest/gtest.h>

#include "settings/FieldRules.h"
#include "settings/RatedPower.h"
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

}  // namespace
}  // namespace voltaro
