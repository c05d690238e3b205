#include "settings/CodeTables.h"

#include <algorithm>

namespace voltaro {

namespace {

// A row whose set and reply spellings may differ. An empty reply means the meter
// never reports the row, so no reply text can select it.
struct TokenRow {
    std::string_view set;
    std::string_view reply;

    constexpr TokenRow(const char* both) : set(both), reply(both) {}
    constexpr TokenRow(const char* setSpelling, const char* replySpelling)
        : set(setSpelling), reply(replySpelling) {}
};

// Tables whose two spellings agree are plain text arrays.
constexpr std::string_view SetSpelling(std::string_view token) { return token; }
constexpr std::string_view SetSpelling(const TokenRow& row) { return row.set; }
constexpr std::string_view ReplySpelling(std::string_view token) { return token; }
constexpr std::string_view ReplySpelling(const TokenRow& row) { return row.reply; }

template <typename Table>
std::int16_t FindReply(const Table& table, std::string_view token) {
    for (std::size_t i = 0; i < std::size(table); ++i) {
        const std::string_view reply = ReplySpelling(table[i]);
        if (!reply.empty() && reply == token) return static_cast<std::int16_t>(i);
    }
    return -1;
}

template <typename Table>
const auto* RowAt(const Table& table, int index) {
    return index >= 0 && index < std::ssize(table) ? &table[index] : nullptr;
}

template <typename Table>
std::string SetOrNoToken(const Table& table, std::int16_t index) {
    const auto* row = RowAt(table, index);
    return std::string(row ? SetSpelling(*row) : kNoToken);
}

template <typename Table>
std::string SetClamped(const Table& table, std::int16_t index) {
    const int last = static_cast<int>(std::ssize(table)) - 1;
    return std::string(SetSpelling(table[std::clamp<int>(index, 0, last)]));
}

constexpr std::string_view kWiring[] = {
    "1P2W", "1P3W", "1P3W3I", "3P3W2I", "3P3W3I", "3P4W", "3P4W4I", "3P3W+1P3W",
};

constexpr std::string_view kConnect[] = {"R-S", "S-T", "T-R"};

constexpr std::string_view kURange[] = {"150V", "300V", "600V", "1000V"};
// The meter may report the voltage range without its unit.
constexpr std::string_view kURangeBare[] = {"150", "300", "600", "1000"};

// The send path upper-cases the set spelling, so the meter sees the reply spelling.
constexpr TokenRow kARange[] = {
    {"100mA", ""},  // no clamp offers it
    {"200mA", "200MA"},
    {"500mA", "500MA"},
    "1A",
    "2A",
    "5A",
    "10A",
    "20A",
    "30A",
    "50A",
    "75A",
    "100A",
    "150A",
    "200A",
    "300A",
    "500A",
    "750A",
    {"1kA", "1KA"},
    {"1.5kA", "1.5KA"},
    {"2kA", "2KA"},
    {"3kA", "3KA"},
};

// Absolute A range indexes per clamp, in list order; kEnd closes a shorter list.
constexpr std::int16_t kEnd = -1;
constexpr std::int16_t kARangesByClamp[][kMaxARangesPerClamp] = {
    {1, 2, 3, 4},       // 52170
    {5, 6, 7, 9},       // 52140
    {7, 9, 11, 13},     // 52110
    {9, 11, 13, 15},    // 52120
    {13, 15, 17, kEnd}, // 52130
    {14, 16, 18, 20},   // 52150_1
    {13, 15, 17, 19},   // 52150_2
    {11, 13, 15, 17},   // 52150_3
    {14, 16, 18, 20},   // 52160_1
    {8, 10, 12, 14},    // 52160_2
};

constexpr std::string_view kSampling[] = {"PLL", "FIX"};

constexpr TokenRow kFixClock[] = {{"50Hz", "50"}, {"60Hz", "60"}};

constexpr std::string_view kSource[] = {"U1", "U2", "U3"};

constexpr std::string_view kAverage[] = {"1", "2", "5", "10", "20"};

constexpr std::string_view kWhDigit[] = {"STD", "000.000", "0000.00", "00000.0", "000000", "AUTO"};

constexpr std::string_view kWhUnit[] = {"MWH", "WH", "KWH", "MAWH", "GWH"};

constexpr std::string_view kThd[] = {"F", "R"};

constexpr std::string_view kGraphOrder[] = {"ALL", "ODD"};

constexpr std::string_view kMethod[] = {"MANUAL", "TIME", "JUST", "TIMER"};

constexpr TokenRow kInterval[] = {
    "WAVE", "0.1S", "0.2S", "0.5S", "1S",  "2S",  "5S",  "10S", "15S",
    "30S",  "1M",   "2M",   "5M",   "10M", "15M", "30M", {"1h", "1H"},
};
// Data file headers name only the sub-second intervals.
constexpr std::string_view kIntervalShort[] = {"1WAVE", "100msec", "200msec", "500msec"};

constexpr std::string_view kMedia[] = {"CARD", "MEMORY"};

constexpr std::string_view kCopyMedia[] = {"CARD", "MEMORY", "PRINTER"};

constexpr std::string_view kLanguage[] = {"JAPANESE", "ENGLISH", "GERMAN", "FRENCH", "ITALIAN", "SPANISH"};

constexpr std::string_view kStdVolt[] = {
    "100", "101", "110", "120", "200", "202", "208", "220", "230",
    "240", "277", "346", "380", "400", "480", "600", "1000",
};

// Element number, comma, quantity.
constexpr TokenRow kDaItem[] = {
    "1,U1", "1,U2", "1,U3", "1,UAVE",
    "1,I1", "2,I1", "3,I1", "4,I1", "1,I2", "2,I2", "1,I3", "2,I3", "1,IAVE", "2,IAVE", "1,I4",
    "1,P", "2,P", "3,P", "4,P",
    "1,Q", "2,Q", "3,Q", "4,Q",
    "1,S", "2,S", "3,S", "4,S",
    "1,PF", "2,PF", "3,PF", "4,PF",
    "1,PA", "2,PA", "3,PA", "4,PA",
    "1,F",
    {"1,Wh+", "1,WH+"}, {"2,Wh+", "2,WH+"}, {"3,Wh+", "3,WH+"}, {"4,Wh+", "4,WH+"},
    {"1,Wh-", "1,WH-"}, {"2,Wh-", "2,WH-"}, {"3,Wh-", "3,WH-"}, {"4,Wh-", "4,WH-"},
    {"1,varh+", "1,VARH+"}, {"2,varh+", "2,VARH+"}, {"3,varh+", "3,VARH+"}, {"4,varh+", "4,VARH+"},
    {"1,varh-", "1,VARH-"}, {"2,varh-", "2,VARH-"}, {"3,varh-", "3,VARH-"}, {"4,varh-", "4,VARH-"},
    "1,U1_3P", "1,U2_3P", "1,U3_3P", "1,UAVE_3P",
    "1,I1_3P", "1,I2_3P", "1,I3_3P", "1,IAVE_3P",
    "1,P_3P", "1,Q_3P", "1,S_3P", "1,PF_3P", "1,PA_3P",
    {"1,Wh+_3P", "1,WH+_3P"}, {"1,Wh-_3P", "1,WH-_3P"},
    {"1,varh+_3P", "1,VARH+_3P"}, {"1,varh-_3P", "1,VARH-_3P"},
    "1,U1_1P", "1,U2_1P", "1,UAVE_1P",
    "1,I1_1P", "1,I2_1P", "1,IAVE_1P",
    "1,P_1P", "1,Q_1P", "1,S_1P", "1,PF_1P", "1,PA_1P",
    {"1,Wh+_1P", "1,WH+_1P"}, {"1,Wh-_1P", "1,WH-_1P"},
    {"1,varh+_1P", "1,VARH+_1P"}, {"1,varh-_1P", "1,VARH-_1P"},
};

constexpr std::string_view kDaMag[] = {"1", "10", "100"};

constexpr std::string_view kDaRate[] = {"1K", "5K", "10K", "50K", "100K", "500K", "1MA"};

constexpr std::string_view kAdRange[] = {"100MV", "1V", "5V"};

// Reply fields for all, odd and even orders; any other field is the user's selection.
constexpr std::string_view kOrderSel[] = {"4", "2", "1"};
constexpr std::int16_t kOrderSelOwn = 3;

constexpr std::string_view kOnOff[] = {"OFF", "ON"};

static_assert(std::ssize(kWiring) == kWiringCount);
static_assert(std::ssize(kConnect) == kConnectCount);
static_assert(std::ssize(kURange) == kURangeCount && std::ssize(kURangeBare) == kURangeCount);
static_assert(std::ssize(kARange) == kARangeCount);
static_assert(std::ssize(kARangesByClamp) == kClampCount);
static_assert(std::ssize(kSampling) == kSamplingCount);
static_assert(std::ssize(kFixClock) == kFixClockCount);
static_assert(std::ssize(kSource) == kSourceCount);
static_assert(std::ssize(kAverage) == kAverageCount);
static_assert(std::ssize(kWhDigit) == kWhDigitCount);
static_assert(std::ssize(kWhUnit) == kWhUnitCount);
static_assert(std::ssize(kThd) == kThdCount);
static_assert(std::ssize(kGraphOrder) == kGraphOrderCount);
static_assert(std::ssize(kMethod) == kMethodCount);
static_assert(std::ssize(kInterval) == kIntervalCount);
static_assert(std::ssize(kMedia) == kMediaCount);
static_assert(std::ssize(kCopyMedia) == kCopyMediaCount);
static_assert(std::ssize(kLanguage) == kLanguageCount);
static_assert(std::ssize(kStdVolt) == kStdVoltCount);
static_assert(std::ssize(kDaItem) == kDaItemCount);
static_assert(std::ssize(kDaMag) == kDaMagCount);
static_assert(std::ssize(kDaRate) == kDaRateCount);
static_assert(std::ssize(kAdRange) == kAdRangeCount);
static_assert(std::ssize(kOrderSel) + 1 == kOrderSelCount);

}  // namespace

std::int16_t WiringToIndex(std::string_view token) { return FindReply(kWiring, token); }
std::string IndexToWiring(std::int16_t index) { return SetClamped(kWiring, index); }

std::int16_t ConnectToIndex(std::string_view token) { return FindReply(kConnect, token); }
std::string IndexToConnect(std::int16_t index) { return SetOrNoToken(kConnect, index); }

std::int16_t URangeToIndex(std::string_view token) {
    const std::int16_t index = FindReply(kURange, token);
    return index >= 0 ? index : FindReply(kURangeBare, token);
}
std::string IndexToURange(std::int16_t index) { return SetOrNoToken(kURange, index); }

std::int16_t ARangeToIndex(std::string_view token) { return FindReply(kARange, token); }
std::string IndexToARange(std::int16_t index) { return SetClamped(kARange, index); }

std::int16_t ClampToIndex(std::string_view token) { return FindReply(kClampCodes, token); }
std::string IndexToClamp(std::int16_t index) { return SetOrNoToken(kClampCodes, index); }

std::int16_t SamplingToIndex(std::string_view token) { return FindReply(kSampling, token); }
std::string IndexToSampling(std::int16_t index) { return SetOrNoToken(kSampling, index); }

std::int16_t FixClockToIndex(std::string_view token) { return FindReply(kFixClock, token); }
std::string IndexToFixClock(std::int16_t index) { return SetOrNoToken(kFixClock, index); }

std::int16_t SourceToIndex(std::string_view token) { return FindReply(kSource, token); }
std::string IndexToSource(std::int16_t index) { return SetOrNoToken(kSource, index); }

std::int16_t AverageToIndex(std::string_view token) { return FindReply(kAverage, token); }
std::string IndexToAverage(std::int16_t& index) {
    const auto* row = RowAt(kAverage, index);
    if (!row) {
        index = -1;
        return {};
    }
    return std::string(*row);
}
std::int16_t AverageCountToIndex(int count) { return AverageToIndex(std::to_string(count)); }

std::int16_t WhDigitToIndex(std::string_view token) { return FindReply(kWhDigit, token); }
std::string IndexToWhDigit(std::int16_t index) { return SetOrNoToken(kWhDigit, index); }

std::int16_t WhUnitToIndex(std::string_view token) { return FindReply(kWhUnit, token); }
std::string IndexToWhUnit(std::int16_t index) { return SetOrNoToken(kWhUnit, index); }

std::int16_t ThdToIndex(std::string_view token) { return FindReply(kThd, token); }
std::string IndexToThd(std::int16_t index) { return SetOrNoToken(kThd, index); }

std::int16_t GraphOrderToIndex(std::string_view token) { return FindReply(kGraphOrder, token); }
std::string IndexToGraphOrder(std::int16_t index) { return SetOrNoToken(kGraphOrder, index); }

std::int16_t MethodToIndex(std::string_view token) { return FindReply(kMethod, token); }
std::string IndexToMethod(std::int16_t index) { return SetOrNoToken(kMethod, index); }

std::int16_t IntervalToIndex(std::string_view token) { return FindReply(kInterval, token); }
std::string IndexToInterval(std::int16_t index, IntervalSpelling spelling) {
    if (spelling == IntervalSpelling::Short) return SetOrNoToken(kIntervalShort, index);
    const TokenRow* row = RowAt(kInterval, index);
    if (!row) return std::string(kNoToken);
    return std::string(spelling == IntervalSpelling::Reply ? row->reply : row->set);
}

std::int16_t MediaToIndex(std::string_view token) { return FindReply(kMedia, token); }
std::string IndexToMedia(std::int16_t index) { return SetOrNoToken(kMedia, index); }

std::int16_t CopyMediaToIndex(std::string_view token) { return FindReply(kCopyMedia, token); }
std::string IndexToCopyMedia(std::int16_t index) { return SetOrNoToken(kCopyMedia, index); }

std::int16_t LanguageToIndex(std::string_view token) { return FindReply(kLanguage, token); }
std::string IndexToLanguage(std::int16_t index) { return SetOrNoToken(kLanguage, index); }

std::int16_t StdVoltToIndex(std::string_view token) { return FindReply(kStdVolt, token); }
std::string IndexToStdVolt(std::int16_t index) { return SetOrNoToken(kStdVolt, index); }

std::int16_t DaItemToIndex(std::string_view token) { return FindReply(kDaItem, token); }
std::string IndexToDaItem(std::int16_t index) { return SetOrNoToken(kDaItem, index); }

std::int16_t DaMagToIndex(std::string_view token) { return FindReply(kDaMag, token); }
std::string IndexToDaMag(std::int16_t index) { return SetOrNoToken(kDaMag, index); }

std::int16_t DaRateToIndex(std::string_view token) { return FindReply(kDaRate, token); }
std::string IndexToDaRate(std::int16_t index) { return SetOrNoToken(kDaRate, index); }

std::int16_t AdRangeToIndex(std::string_view token) { return FindReply(kAdRange, token); }
std::string IndexToAdRange(std::int16_t index) { return SetOrNoToken(kAdRange, index); }

std::int16_t OrderSelToIndex(std::string_view field) {
    const std::int16_t index = FindReply(kOrderSel, field);
    return index >= 0 ? index : kOrderSelOwn;
}

std::string IndexToOnOff(std::int16_t index) { return SetOrNoToken(kOnOff, index); }

std::span<const std::int16_t> ARangeListIndexes(std::int16_t clamp) {
    if (clamp < 0 || clamp >= kClampCount) return {};
    const auto& row = kARangesByClamp[clamp];
    return {std::begin(row), std::find(std::begin(row), std::end(row), kEnd)};
}

std::int16_t ARangeFromListPosition(std::int16_t clamp, int position) {
    const auto list = ARangeListIndexes(clamp);
    if (list.empty()) return -1;
    const int last = static_cast<int>(list.size()) - 1;
    return list[static_cast<std::size_t>(std::clamp(position, 0, last))];
}

}  // namespace voltaro
