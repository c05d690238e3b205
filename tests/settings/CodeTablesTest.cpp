#include "settings/CodeTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "settings/SettingConversions.h"

namespace voltaro {
namespace {

struct Pair {
    const char* name;
    std::int16_t (*toIndex)(std::string_view);
    std::string (*toToken)(std::int16_t);
    int count;
    std::string_view below = kNoToken;  // token for index -1
    std::string_view above = kNoToken;  // token for index == count
    int unreported = -1;                // the one row the meter never reports, if any
};

// Keeps test names and failure lines readable instead of dumping the row's bytes.
void PrintTo(const Pair& pair, std::ostream* out) { *out << pair.name; }

// Fixed clock is left out: its set spelling carries a unit the reply lacks.
const Pair kPairs[] = {
    {"Wiring", WiringToIndex, IndexToWiring, kWiringCount, "1P2W", "3P3W+1P3W"},
    {"Connect", ConnectToIndex, IndexToConnect, kConnectCount},
    {"URange", URangeToIndex, IndexToURange, kURangeCount},
    {"ARange", ARangeToIndex, IndexToARange, kARangeCount, "100mA", "3kA", 0},
    {"Clamp", ClampToIndex, IndexToClamp, kClampCount},
    {"Sampling", SamplingToIndex, IndexToSampling, kSamplingCount},
    {"Source", SourceToIndex, IndexToSource, kSourceCount},
    {"Average", AverageToIndex, [](std::int16_t i) { return IndexToAverage(i); }, kAverageCount, "", ""},
    {"WhDigit", WhDigitToIndex, IndexToWhDigit, kWhDigitCount},
    {"WhUnit", WhUnitToIndex, IndexToWhUnit, kWhUnitCount},
    {"Thd", ThdToIndex, IndexToThd, kThdCount},
    {"GraphOrder", GraphOrderToIndex, IndexToGraphOrder, kGraphOrderCount},
    {"Method", MethodToIndex, IndexToMethod, kMethodCount},
    {"Interval", IntervalToIndex, [](std::int16_t i) { return IndexToInterval(i, IntervalSpelling::Set); },
     kIntervalCount},
    {"Media", MediaToIndex, IndexToMedia, kMediaCount},
    {"CopyMedia", CopyMediaToIndex, IndexToCopyMedia, kCopyMediaCount},
    {"Language", LanguageToIndex, IndexToLanguage, kLanguageCount},
    {"StdVolt", StdVoltToIndex, IndexToStdVolt, kStdVoltCount},
    {"DaItem", DaItemToIndex, IndexToDaItem, kDaItemCount},
    {"DaMag", DaMagToIndex, IndexToDaMag, kDaMagCount},
    {"DaRate", DaRateToIndex, IndexToDaRate, kDaRateCount},
    {"AdRange", AdRangeToIndex, IndexToAdRange, kAdRangeCount},
};

class ConverterPair : public ::testing::TestWithParam<Pair> {};

// The send path upper-cases what it sends, so every sent token must read back as its own row;
// indexes outside the table have their own tokens.
TEST_P(ConverterPair, SentTokenReadsBackAsItsRowAndIndexesOutsideTheTableHaveNone) {
    const Pair& p = GetParam();
    for (int i = 0; i < p.count; ++i) {
        std::string sent = p.toToken(static_cast<std::int16_t>(i));
        ASSERT_NE(sent, kNoToken) << "row " << i;
        std::ranges::transform(sent, sent.begin(), [](unsigned char c) { return std::toupper(c); });
        EXPECT_EQ(p.toIndex(sent), i == p.unreported ? -1 : i) << sent;
    }
    EXPECT_EQ(p.toToken(-1), p.below);
    EXPECT_EQ(p.toToken(INT16_MIN), p.below);
    EXPECT_EQ(p.toToken(static_cast<std::int16_t>(p.count)), p.above);
    EXPECT_EQ(p.toToken(INT16_MAX), p.above);
}

INSTANTIATE_TEST_SUITE_P(AllTables, ConverterPair, ::testing::ValuesIn(kPairs),
                         [](const auto& info) { return std::string(info.param.name); });

struct TokenCase {
    std::int16_t (*toIndex)(std::string_view);
    const char* token;
    int expected;
};

// Replies are matched as whole, case-sensitive texts; a few tables take more than one spelling.
TEST(CodeTables, RepliesThatDifferFromTheSentSpelling) {
    const TokenCase cases[] = {
        {ARangeToIndex, "1kA", -1},    {ARangeToIndex, "1KA", 17},        {ARangeToIndex, "100MA", -1},
        {URangeToIndex, "600", 2},     {URangeToIndex, "600V", 2},        {URangeToIndex, "600v", -1},
        {WhUnitToIndex, "MAWH", 3},    {IntervalToIndex, "1h", -1},       {FixClockToIndex, "60", 1},
        {FixClockToIndex, "50Hz", -1}, {DaItemToIndex, "1,VARH-_1P", 83}, {WiringToIndex, " 1P2W", -1},
        {OrderSelToIndex, "4", 0},     {OrderSelToIndex, "1", 2},         {OrderSelToIndex, "", 3},
    };
    for (const auto& c : cases) EXPECT_EQ(c.toIndex(c.token), c.expected) << c.token;
}

// The .SET file stores the count, the meter link the token: both must land on the same index.
TEST(CodeTables, AverageCountAndToken) {
    for (std::int16_t i = 0; i < kAverageCount; ++i) EXPECT_EQ(AverageCountToIndex(std::stoi(IndexToAverage(i))), i);
    for (int count : {0, 3, 100}) EXPECT_EQ(AverageCountToIndex(count), -1) << count;
    std::int16_t index = kAverageCount;
    EXPECT_EQ(IndexToAverage(index), "");
    EXPECT_EQ(index, -1);
}

// Each clamp's list is ascending, offers no unreported range and maps its positions both ways;
// a new clamp keeps the A range when it has it too.
TEST(ARangesByClamp, EveryListIsAscendingAndKeepsARangeTheNewClampAlsoHas) {
    for (std::int16_t clamp = 0; clamp < kClampCount; ++clamp) {
        const auto list = ARangeListIndexes(clamp);
        ASSERT_FALSE(list.empty()) << clamp;
        EXPECT_LE(list.size(), std::size_t{kMaxARangesPerClamp});
        EXPECT_TRUE(std::ranges::is_sorted(list, std::less_equal<>{})) << clamp;
        EXPECT_GE(list.front(), 1) << clamp;
        EXPECT_LT(list.back(), kARangeCount) << clamp;
        EXPECT_EQ(ARangeFromListPosition(clamp, 1000), list.back());
        EXPECT_EQ(ARangeFromListPosition(clamp, -1), list.front());
        for (int position = 0; position < static_cast<int>(list.size()); ++position)
            EXPECT_EQ(ARangeListPosition(clamp, ARangeFromListPosition(clamp, position)), position) << clamp;
    }
    for (std::int16_t clamp : {std::int16_t{-1}, std::int16_t{kClampCount}}) {
        EXPECT_TRUE(ARangeListIndexes(clamp).empty());
        EXPECT_EQ(ARangeFromListPosition(clamp, 0), -1);
    }
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
}

// The frequency list offers the wiring's sources; the stop list leaves out "just", so its third
// entry is the timer.
TEST(SettingConversions, ListPositionsStandForTheWiringsSourcesAndTheStopMethods) {
    EXPECT_EQ(StopMethodFromListPosition(2), 3);
    EXPECT_EQ(StopMethodListPosition(3), 2);
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
    using Labels = std::array<bool, 5>;  // energy, waveform, harmonics, connection, statistics
    const struct {
        std::int16_t interval;
        bool printer;
        Selectors warnings;
        Labels labels;
    } cases[] = {
        {0, false, Selectors{{1, 1, 1}}, {false, false, false, true, false}},  // 1wave
        {3, false, Selectors{{1, 1, 1}}, {false, false, false, true, false}},  // 500ms
        {4, false, Selectors{{2, 2, 0}}, {true, false, false, false, true}},   // 1sec
        {9, false, Selectors{{2, 2, 0}}, {true, false, false, false, true}},   // 30sec
        {10, true, std::nullopt, {true, true, true, true, true}},              // 1min
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IntervalAllowsPrinter(c.interval), c.printer) << c.interval;
        const auto w = IntervalWarnings(c.interval);
        const Selectors got = w ? Selectors{{w->interval, w->saving, w->integration}} : std::nullopt;
        EXPECT_EQ(got, c.warnings) << c.interval;
        const AutoSaveLabels l = AutoSaveLabelsFor(c.interval);
        EXPECT_EQ((Labels{l.energy, l.waveform, l.harmonics, l.connection, l.statistics}), c.labels) << c.interval;
    }
}

}  // namespace
}  // namespace voltaro
