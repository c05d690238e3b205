#include <gtest/gtest.h>

#include <vector>

#include "settings/CodeTables.h"
#include "settings/SettingConversions.h"

namespace voltaro {
namespace {

TEST(SettingConversions, ARangeListPositionKeepsARangeTheNewClampAlsoHas) {
    const struct {
        std::int16_t clamp;
        std::int16_t aRange;
        int position;
    } cases[] = {
        {2, 9, 1},   // 52110 keeps 50A
        {0, 9, 3},   // 52170 shows its last range, 2A, for 50A
        {2, 8, 0},   // between two of its ranges
        {2, 20, 3},  // above
        {4, 17, 2},  // the clamp with three ranges
        {6, 18, 3},  // 52150_2 shows 1.5kA at its last position
        {10, 9, 0},  // no such clamp
    };
    for (const auto& c : cases)
        EXPECT_EQ(ARangeListPosition(c.clamp, c.aRange), c.position) << c.clamp << '/' << c.aRange;

    for (std::int16_t clamp = 0; clamp < kClampCount; ++clamp)
        for (int position = 0; position < static_cast<int>(ARangeListIndexes(clamp).size()); ++position)
            EXPECT_EQ(ARangeListPosition(clamp, ARangeFromListPosition(clamp, position)), position) << clamp;
}

TEST(SettingConversions, FrequencyListPositionsStandForTheWiringsSources) {
    const std::vector<std::vector<std::int16_t>> sources{
        {0}, {0, 1}, {0, 1}, {0, 2}, {0, 1, 2}, {0, 1, 2}, {0, 1, 2}, {0, 1, 2},
    };
    for (std::int16_t wiring = 0; wiring < kWiringCount; ++wiring) {
        const auto offered = FrequencySources(wiring);
        EXPECT_EQ(std::vector<std::int16_t>(offered.begin(), offered.end()), sources[wiring]) << wiring;
        for (int position = 0; position < static_cast<int>(offered.size()); ++position) {
            EXPECT_EQ(SourceFromListPosition(wiring, position), offered[position]) << wiring;
            EXPECT_EQ(SourceListPosition(wiring, offered[position]), position) << wiring;
        }
    }
}

// The stop list leaves out "just": its third entry is the timer.
TEST(SettingConversions, StopListPositionsAndMethodCodes) {
    EXPECT_EQ(StopMethodFromListPosition(2), 3);
    EXPECT_EQ(StopMethodListPosition(3), 2);
}

TEST(SettingConversions, LoadsAndCurrentChannelsPerWiring) {
    const struct {
        std::int16_t wiring;
        std::int16_t load;
        int loadCount;
        std::vector<bool> channels;
    } cases[] = {
        {0, 4, 4, {true, true, true, true}},     // 1P2W
        {3, 1, 2, {true, false, false, false}},  // 3P3W2I
        {5, 1, 1, {true, false, false, false}},  // 3P4W
        {2, 1, 1, {true, true, false, false}},   // 1P3W3I
        {7, 1, 1, {true, true, false, false}},   // 3P3W+1P3W
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadCount(c.wiring), c.loadCount) << c.wiring;
        for (int channel = 0; channel < 4; ++channel)
            EXPECT_EQ(IsCurrentChannelUsed(c.wiring, c.load, channel), c.channels[channel])
                << c.wiring << '/' << channel;
    }
}

TEST(SettingConversions, IntervalsOf30SecondsAndUnderWarnAndExcludeThePrinter) {
    using Selectors = std::optional<std::array<std::int16_t, 3>>;
    const struct {
        std::int16_t interval;
        bool printer;
        Selectors warnings;
    } cases[] = {
        {3, false, Selectors{{1, 1, 1}}},  // 500ms
        {4, false, Selectors{{2, 2, 0}}},  // 1sec
        {10, true, std::nullopt},          // 1min
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IntervalAllowsPrinter(c.interval), c.printer) << c.interval;
        const auto w = IntervalWarnings(c.interval);
        const Selectors got = w ? Selectors{{w->interval, w->saving, w->integration}} : std::nullopt;
        EXPECT_EQ(got, c.warnings) << c.interval;
    }
}

}  // namespace
}  // namespace voltaro
