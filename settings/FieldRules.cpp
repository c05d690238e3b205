#include "settings/FieldRules.h"

#include <algorithm>

#include "app/ErrorReporting.h"

namespace voltaro {

namespace {

constexpr long long kLastMinute = 59;

// File-name bytes in ranges, both ends included: ! # to ) - 0 to 9 @ to Z ^ _ ` to { } ~
// and the single-byte katakana.
struct ByteRange {
    unsigned char first;
    unsigned char last;
};
constexpr ByteRange kFileNameBytes[] = {
    {0x21, 0x21}, {0x23, 0x29}, {0x2D, 0x2D}, {0x30, 0x39}, {0x40, 0x5A},
    {0x5E, 0x5F}, {0x60, 0x7B}, {0x7D, 0x7E}, {0xA1, 0xDF},
};

bool within(long long value, long long first, long long last) { return value >= first && value <= last; }

}  // namespace

std::int16_t CheckItem(AppContext& ctx, const ItemRule& rule, float value) {
    if (rule.accepts(value)) return 0;
    ShowErrorMessage(ctx, kErrKindApplication, rule.code);
    return rule.code;
}

std::int16_t CheckWiring(AppContext& ctx, int listIndex) { return CheckItem(ctx, kWiringRule, listIndex); }
std::int16_t Check1PConnect(AppContext& ctx, int listIndex) { return CheckItem(ctx, k1PConnectRule, listIndex); }
std::int16_t CheckARange(AppContext& ctx, int listIndex) { return CheckItem(ctx, kARangeRule, listIndex); }
std::int16_t CheckGraphOrder(AppContext& ctx, int listIndex) { return CheckItem(ctx, kGraphOrderRule, listIndex); }
std::int16_t CheckInterval(AppContext& ctx, int listIndex) { return CheckItem(ctx, kIntervalRule, listIndex); }
std::int16_t CheckHardCopy(AppContext& ctx, int listIndex) { return CheckItem(ctx, kHardCopyRule, listIndex); }
std::int16_t CheckRs232Connect(AppContext& ctx, int listIndex) { return CheckItem(ctx, kRs232ConnectRule, listIndex); }
std::int16_t CheckBaudRate(AppContext& ctx, int listIndex) { return CheckItem(ctx, kBaudRateRule, listIndex); }
std::int16_t CheckDataLength(AppContext& ctx, int listIndex) { return CheckItem(ctx, kDataLengthRule, listIndex); }
std::int16_t CheckParity(AppContext& ctx, int listIndex) { return CheckItem(ctx, kParityRule, listIndex); }
std::int16_t CheckStopBit(AppContext& ctx, int listIndex) { return CheckItem(ctx, kStopBitRule, listIndex); }
std::int16_t CheckFlowControl(AppContext& ctx, int listIndex) { return CheckItem(ctx, kFlowControlRule, listIndex); }
std::int16_t CheckVtRatio(AppContext& ctx, float vt) { return CheckItem(ctx, kVtRatioRule, vt); }
std::int16_t CheckCtRatio(AppContext& ctx, float ct) { return CheckItem(ctx, kCtRatioRule, ct); }
std::int16_t CheckSwell(AppContext& ctx, float percent) { return CheckItem(ctx, kSwellRule, percent); }
std::int16_t CheckDip(AppContext& ctx, float percent) { return CheckItem(ctx, kDipBoxRule, percent); }
std::int16_t CheckInterruption(AppContext& ctx, float percent) { return CheckItem(ctx, kInterruptionRule, percent); }
std::int16_t CheckHysteresis(AppContext& ctx, float percent) { return CheckItem(ctx, kHysteresisRule, percent); }

int StopTimerFaultCount(long long hours, long long minutes, long long seconds) {
    const bool faults[] = {
        !within(hours, 0, kLongestTimerHours),
        !within(minutes, 0, kLastMinute),
        !within(seconds, 0, kLastMinute),
        hours == kLongestTimerHours && (minutes > 0 || seconds > 0),
        hours == 0 && minutes == 0 && seconds == 0,
    };
    return static_cast<int>(std::count(std::begin(faults), std::end(faults), true));
}

std::int16_t CheckStopTimer(AppContext& ctx, long long hours, long long minutes, long long seconds) {
    const int faults = StopTimerFaultCount(hours, minutes, seconds);
    for (int i = 0; i < faults; ++i) ShowErrorMessage(ctx, kErrKindApplication, kInvalidStopTimer);
    return faults > 0 ? kInvalidStopTimer : 0;
}

bool IsFileNameChar(unsigned char byte) {
    return std::any_of(std::begin(kFileNameBytes), std::end(kFileNameBytes),
                       [byte](const ByteRange& range) { return byte >= range.first && byte <= range.last; });
}

bool IsMeterFileName(std::string_view bytes) {
    return bytes.size() >= kMeterFileNameLength && std::all_of(bytes.begin(), bytes.end(), [](char byte) {
               return IsFileNameChar(static_cast<unsigned char>(byte));
           });
}

std::int16_t CheckFilename(AppContext& ctx, std::string_view bytes) {
    if (IsMeterFileName(bytes)) return 0;
    ShowErrorMessage(ctx, kErrKindApplication, kInvalidFilename);
    return kInvalidFilename;
}

}  // namespace voltaro
