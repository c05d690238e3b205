#include "settings/SettingConversions.h"

#include <iterator>

#include "settings/CodeTables.h"
#include "settings/WiringIndexes.h"

namespace voltaro {

namespace {

constexpr std::int16_t kU1 = 0;
constexpr std::int16_t kU2 = 1;
constexpr std::int16_t kU3 = 2;

constexpr std::int16_t kSourcesU1[] = {kU1};
constexpr std::int16_t kSourcesU1U2[] = {kU1, kU2};
constexpr std::int16_t kSourcesU1U3[] = {kU1, kU3};
constexpr std::int16_t kSourcesAll[] = {kU1, kU2, kU3};

constexpr int kStopTimerPosition = 2;

// The clamp whose list lacks 1.5kA still shows it at its last position.
constexpr std::int16_t kClamp52150_2 = 6;
constexpr std::int16_t kARange1500A = 18;

constexpr std::int16_t kWhDigitStandard = 0;
constexpr std::int16_t kWhDigitAuto = 5;

constexpr std::int16_t kLastSubSecondInterval = 3;  // 500ms
constexpr std::int16_t kLastPrinterlessInterval = 9;  // 30sec

}  // namespace

int ARangeListPosition(std::int16_t clamp, std::int16_t aRange) {
    const auto list = ARangeListIndexes(clamp);
    if (list.empty() || aRange <= list.front()) return 0;
    const int last = static_cast<int>(list.size()) - 1;
    if (aRange >= list.back() || (clamp == kClamp52150_2 && aRange == kARange1500A)) return last;
    for (int position = 1; position < last; ++position)
        if (list[static_cast<std::size_t>(position)] == aRange) return position;
    return 0;
}

std::span<const std::int16_t> FrequencySources(std::int16_t wiring) {
    switch (wiring) {
    case wiring::k1P2W: return kSourcesU1;
    case wiring::k1P3W:
    case wiring::k1P3W3I: return kSourcesU1U2;
    case wiring::k3P3W2I: return kSourcesU1U3;
    default: return kSourcesAll;
    }
}

std::int16_t SourceFromListPosition(std::int16_t wiring, int position) {
    if (wiring == wiring::k3P3W2I && position == 1) return kU3;
    return static_cast<std::int16_t>(position);
}

int SourceListPosition(std::int16_t wiring, std::int16_t source) {
    if (wiring == wiring::k3P3W2I && source == kU3) return 1;
    return source;
}

std::int16_t StopMethodFromListPosition(int position) {
    return position == kStopTimerPosition ? method_code::Timer : static_cast<std::int16_t>(position);
}

int StopMethodListPosition(std::int16_t stopMethod) {
    return stopMethod == method_code::Timer ? kStopTimerPosition : stopMethod;
}

// Even, Odd and None swap the first two codes; the table is its own inverse.
constexpr std::int16_t kParityOfPosition[] = {1, 0, 2};

std::int16_t ParityFromListPosition(int position) {
    if (position < 0 || position >= static_cast<int>(std::size(kParityOfPosition))) return -1;
    return kParityOfPosition[position];
}

int ParityListPosition(std::int16_t parity) { return ParityFromListPosition(parity); }

int LoadCount(std::int16_t wiring) {
    if (wiring == wiring::k1P2W) return 4;
    if (wiring == wiring::k1P3W || wiring == wiring::k3P3W2I) return 2;
    return 1;
}

bool IsCurrentChannelUsed(std::int16_t wiring, std::int16_t load, int channel) {
    const bool secondCurrentOfItsOwn =
        wiring == wiring::k1P3W3I || wiring == wiring::k3P4W4I || wiring == wiring::k3P3W1P3W;
    return channel < load || (channel == 1 && secondCurrentOfItsOwn);
}

int CopyMediaCount(std::int16_t rs232Connect) { return rs232Connect == 1 ? kCopyMediaCount : kCopyMediaCount - 1; }

bool EnergyUnitApplies(std::int16_t whDigit) { return whDigit != kWhDigitStandard && whDigit != kWhDigitAuto; }

bool IntervalAllowsPrinter(std::int16_t interval) { return interval > kLastPrinterlessInterval; }

AutoSaveLabels AutoSaveLabelsFor(std::int16_t interval) {
    if (interval <= kLastSubSecondInterval) return {false, false, false, true, false};
    if (interval <= kLastPrinterlessInterval) return {true, false, false, false, true};
    return {true, true, true, true, true};
}

std::optional<IntervalWarningSelectors> IntervalWarnings(std::int16_t interval) {
    if (interval >= 0 && interval <= kLastSubSecondInterval) return IntervalWarningSelectors{1, 1, 1};
    if (interval > kLastSubSecondInterval && interval <= kLastPrinterlessInterval)
        return IntervalWarningSelectors{2, 2, 0};
    return std::nullopt;
}

}  // namespace voltaro
