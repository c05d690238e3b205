#pragma once

// The checks of single setting items, made the moment the user commits a value and
// before it reaches the record. Each Check routine returns 0 when the value is
// acceptable; otherwise it reports the item's code once and returns that code.

#include <cstdint>
#include <string_view>

#include "app/AppContext.h"
#include "settings/CodeTables.h"

namespace voltaro {

// The values an item accepts, both ends included, and the code reported for any other.
// Compared in single precision, as the meter keeps its ratios, so a typed 9999.995 is
// refused while 9999.99 is taken.
struct ItemRule {
    float min;
    float max;
    std::int16_t code;

    constexpr bool accepts(float value) const { return value >= min && value <= max; }
};

// List positions of the drop-down items; -1 (nothing chosen) is refused.
inline constexpr ItemRule kWiringRule{0, kWiringCount - 1, 300};
inline constexpr ItemRule k1PConnectRule{0, kConnectCount - 1, 302};
inline constexpr ItemRule kARangeRule{0, kARangeCount - 1, 304};
inline constexpr ItemRule kGraphOrderRule{0, kGraphOrderCount - 1, 320};
inline constexpr ItemRule kIntervalRule{0, kIntervalCount - 1, 328};
inline constexpr ItemRule kHardCopyRule{0, kCopyMediaCount - 1, 330};
inline constexpr ItemRule kRs232ConnectRule{0, 1, 333};
inline constexpr ItemRule kBaudRateRule{0, 5, 334};
inline constexpr ItemRule kDataLengthRule{0, 1, 335};
inline constexpr ItemRule kParityRule{0, 2, 336};
inline constexpr ItemRule kStopBitRule{0, 1, 337};
inline constexpr ItemRule kFlowControlRule{0, 3, 338};

// Typed values.
inline constexpr ItemRule kVtRatioRule{0.01f, 9999.99f, 305};
inline constexpr ItemRule kCtRatioRule{0.01f, 9999.99f, 306};
inline constexpr ItemRule kSwellRule{0, 200, 341};
inline constexpr ItemRule kDipBoxRule{0, 100, 342};  // a whole setting asks for at least 10
inline constexpr ItemRule kInterruptionRule{0, 100, 343};
inline constexpr ItemRule kHysteresisRule{0, 10, 344};

// Reports rule.code when `value` lies outside the rule.
std::int16_t CheckItem(AppContext& ctx, const ItemRule& rule, float value);

std::int16_t CheckWiring(AppContext& ctx, int listIndex);
std::int16_t Check1PConnect(AppContext& ctx, int listIndex);
std::int16_t CheckARange(AppContext& ctx, int listIndex);
std::int16_t CheckGraphOrder(AppContext& ctx, int listIndex);
std::int16_t CheckInterval(AppContext& ctx, int listIndex);
std::int16_t CheckHardCopy(AppContext& ctx, int listIndex);
std::int16_t CheckRs232Connect(AppContext& ctx, int listIndex);
std::int16_t CheckBaudRate(AppContext& ctx, int listIndex);
std::int16_t CheckDataLength(AppContext& ctx, int listIndex);
std::int16_t CheckParity(AppContext& ctx, int listIndex);
std::int16_t CheckStopBit(AppContext& ctx, int listIndex);
std::int16_t CheckFlowControl(AppContext& ctx, int listIndex);
std::int16_t CheckVtRatio(AppContext& ctx, float vt);
std::int16_t CheckCtRatio(AppContext& ctx, float ct);
std::int16_t CheckSwell(AppContext& ctx, float percent);
std::int16_t CheckDip(AppContext& ctx, float percent);
std::int16_t CheckInterruption(AppContext& ctx, float percent);
std::int16_t CheckHysteresis(AppContext& ctx, float percent);

// The stop timer runs from 0:00:01 to 8784:00:00.
inline constexpr std::int16_t kLongestTimerHours = 8784;
inline constexpr std::int16_t kInvalidStopTimer = 327;

// How many of the timer's faults hold: hours, minutes or seconds out of range (one
// each), 8784 hours with minutes or seconds, a timer of no time at all.
int StopTimerFaultCount(long long hours, long long minutes, long long seconds);
// Reports "Invalid stop timer." once for every fault; 327 when there was any.
std::int16_t CheckStopTimer(AppContext& ctx, long long hours, long long minutes, long long seconds);

// The meter names its measurement files with exactly eight bytes of the system's
// single-byte code page, each one a byte its file system takes.
inline constexpr std::size_t kMeterFileNameLength = 8;
inline constexpr std::int16_t kInvalidFilename = 331;

bool IsFileNameChar(unsigned char byte);
// At least eight bytes, tested from the first, every one a file-name byte.
bool IsMeterFileName(std::string_view bytes);
std::int16_t CheckFilename(AppContext& ctx, std::string_view bytes);

}  // namespace voltaro
