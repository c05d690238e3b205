#pragma once

// Enumerated setting items are stored as indexes; on the meter link and in parts of
// the .SET file they travel as text tokens. These converters map between the two.
//
// Token to index: the whole text, case-sensitive, against the meter's reply
// spelling; -1 when nothing matches.
// Index to token: the spelling the program sends; kNoToken for an index without a
// row, unless a converter says otherwise.

#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <string_view>

namespace voltaro {

// What an index-to-token converter gives for an index without a row.
inline constexpr std::string_view kNoToken = "-1";

// Rows per table, for checking list positions and stored indexes.
inline constexpr int kWiringCount = 8;
inline constexpr int kConnectCount = 3;
inline constexpr int kURangeCount = 4;
inline constexpr int kARangeCount = 21;  // absolute A range indexes 0..20
inline constexpr int kSamplingCount = 2;
inline constexpr int kFixClockCount = 2;
inline constexpr int kSourceCount = 3;
inline constexpr int kAverageCount = 5;
inline constexpr int kWhDigitCount = 6;
inline constexpr int kWhUnitCount = 5;
inline constexpr int kThdCount = 2;
inline constexpr int kGraphOrderCount = 2;
inline constexpr int kMethodCount = 4;  // codes; the start and stop lists offer three each
inline constexpr int kIntervalCount = 17;
inline constexpr int kMediaCount = 2;
inline constexpr int kCopyMediaCount = 3;
inline constexpr int kLanguageCount = 6;
inline constexpr int kStdVoltCount = 17;
inline constexpr int kDaItemCount = 84;
inline constexpr int kDaMagCount = 3;
inline constexpr int kDaRateCount = 7;
inline constexpr int kAdRangeCount = 3;
inline constexpr int kOrderSelCount = 4;  // all, odd, even, select

// Clamp sensor codes by clamp index; the same text is sent and received.
inline constexpr std::string_view kClampCodes[] = {
    "52170", "52140", "52110", "52120", "52130",
    "52150_1", "52150_2", "52150_3", "52160_1", "52160_2",
};
inline constexpr int kClampCount = static_cast<int>(std::size(kClampCodes));

// The most current ranges one clamp offers.
inline constexpr int kMaxARangesPerClamp = 4;

std::int16_t WiringToIndex(std::string_view token);
std::string IndexToWiring(std::int16_t index);  // clamped to the first and last wiring

std::int16_t ConnectToIndex(std::string_view token);
std::string IndexToConnect(std::int16_t index);

std::int16_t URangeToIndex(std::string_view token);  // also the bare number, "600"
std::string IndexToURange(std::int16_t index);

std::int16_t ARangeToIndex(std::string_view token);  // never 0: the meter does not report it
std::string IndexToARange(std::int16_t index);       // clamped to "100mA" and "3kA"

std::int16_t ClampToIndex(std::string_view token);
std::string IndexToClamp(std::int16_t index);

std::int16_t SamplingToIndex(std::string_view token);
std::string IndexToSampling(std::int16_t index);

std::int16_t FixClockToIndex(std::string_view token);  // "50", "60"
std::string IndexToFixClock(std::int16_t index);       // "50Hz", "60Hz"

std::int16_t SourceToIndex(std::string_view token);
std::string IndexToSource(std::int16_t index);

// Averaging tokens are the counts themselves ("1" .. "20").
std::int16_t AverageToIndex(std::string_view token);
// An unknown index gives an empty text and is itself set to -1.
std::string IndexToAverage(std::int16_t& index);
std::int16_t AverageCountToIndex(int count);

std::int16_t WhDigitToIndex(std::string_view token);
std::string IndexToWhDigit(std::int16_t index);

// "MWH" is milliwatt-hours (0), "MAWH" megawatt-hours (3).
std::int16_t WhUnitToIndex(std::string_view token);
std::string IndexToWhUnit(std::int16_t index);

std::int16_t ThdToIndex(std::string_view token);
std::string IndexToThd(std::int16_t index);

std::int16_t GraphOrderToIndex(std::string_view token);
std::string IndexToGraphOrder(std::int16_t index);

// Start and stop method codes, not list positions.
namespace method_code {
inline constexpr std::int16_t Manual = 0;
inline constexpr std::int16_t Time = 1;
inline constexpr std::int16_t Just = 2;
inline constexpr std::int16_t Timer = 3;
}  // namespace method_code
std::int16_t MethodToIndex(std::string_view token);
std::string IndexToMethod(std::int16_t index);

enum class IntervalSpelling {
    Set,    // sent to the meter ("1h")
    Reply,  // as the meter reports it ("1H")
    Short,  // data file headers; only the four sub-second intervals have one
};
std::int16_t IntervalToIndex(std::string_view token);
std::string IndexToInterval(std::int16_t index, IntervalSpelling spelling);

std::int16_t MediaToIndex(std::string_view token);
std::string IndexToMedia(std::int16_t index);

std::int16_t CopyMediaToIndex(std::string_view token);
std::string IndexToCopyMedia(std::int16_t index);

std::int16_t LanguageToIndex(std::string_view token);
std::string IndexToLanguage(std::int16_t index);

std::int16_t StdVoltToIndex(std::string_view token);
std::string IndexToStdVolt(std::int16_t index);

// Energy quantities are upper case only in the meter's reply ("1,Wh+" vs "1,WH+").
std::int16_t DaItemToIndex(std::string_view token);
std::string IndexToDaItem(std::int16_t index);

std::int16_t DaMagToIndex(std::string_view token);
std::string IndexToDaMag(std::int16_t index);

std::int16_t DaRateToIndex(std::string_view token);
std::string IndexToDaRate(std::int16_t index);

std::int16_t AdRangeToIndex(std::string_view token);
std::string IndexToAdRange(std::int16_t index);

// The meter's order-selection field: "4" all, "2" odd, "1" even; anything else is
// the user's own selection (3).
std::int16_t OrderSelToIndex(std::string_view field);

std::string IndexToOnOff(std::int16_t index);  // 0 "OFF", 1 "ON"

// Absolute A range indexes a clamp offers, in list order; empty for an unknown clamp.
std::span<const std::int16_t> ARangeListIndexes(std::int16_t clamp);
// Absolute A range index at a list position; a position past either end takes the
// nearest entry, an unknown clamp gives -1.
std::int16_t ARangeFromListPosition(std::int16_t clamp, int position);

}  // namespace voltaro
