#include "settings/SettingCheck.h"

#include <algorithm>
#include <array>

#include "app/ErrorReporting.h"
#include "settings/CodeTables.h"
#include "settings/FieldRules.h"
#include "settings/RatedPower.h"
#include "settings/SettingConversions.h"

namespace voltaro {

namespace {

using Int16 = std::int16_t;

// One row of the whole-setting check: 0 when the record passes it, else the code.
using RecordRule = Int16 (*)(SettingRecord&);

constexpr Int16 kInvalidLoad = 301;
constexpr Int16 kInvalidClamp = 307;
constexpr Int16 kInvalidStartDate = 322;
constexpr Int16 kInvalidStartTime = 323;
constexpr Int16 kInvalidStopMethod = 324;
constexpr Int16 kInvalidStopDate = 325;
constexpr Int16 kInvalidStopTime = 326;

constexpr int kFirstYear = 2000;
constexpr int kLastYear = 2099;

// The A ranges each clamp measures, as absolute indexes, both ends included.
struct ARangeSpan {
    Int16 first;
    Int16 last;
};
constexpr ARangeSpan kClampSpans[] = {
    {0, 4}, {5, 9}, {7, 13}, {9, 15}, {13, 17}, {14, 20}, {13, 19}, {11, 17}, {14, 20}, {8, 14},
};
static_assert(std::ssize(kClampSpans) == kClampCount);

constexpr ItemRule kClampRule{0, kClampCount - 1, kInvalidClamp};
constexpr ItemRule kDaKindRule{0, 6, 350};
constexpr ItemRule kDaItemRule{0, kDaItemCount - 1, 351};
constexpr ItemRule kDaOrderRule{1, 50, 352};
constexpr ItemRule kDaMagRule{0, kDaMagCount - 1, 353};
constexpr ItemRule kDaRateRule{0, kDaRateCount - 1, 354};
constexpr ItemRule kSaveFlagRule{0, 1, 358};
constexpr ItemRule kHarmonicFlagRule{0, 1, 359};

Int16 verdict(bool passes, Int16 code) { return passes ? 0 : code; }

template <auto Field, ItemRule Rule>
Int16 item(SettingRecord& r) {
    return verdict(Rule.accepts(r.*Field), Rule.code);
}

template <auto Field, ItemRule Rule>
Int16 eachOf(SettingRecord& r) {
    const auto& values = r.*Field;
    return verdict(std::all_of(values.begin(), values.end(), [](auto value) { return Rule.accepts(value); }),
                   Rule.code);
}

// Rows that test several fields with one code pass when every test passes.
template <RecordRule... Rules>
Int16 allOf(SettingRecord& r) {
    Int16 code = 0;
    ((code = code != 0 ? code : Rules(r)), ...);
    return code;
}

bool isCalendarDate(int year, int month, int day) {
    constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1) return false;
    const bool leapFebruary = month == 2 && year % 4 == 0;  // exact within 2000..2099
    return day <= kDaysInMonth[month - 1] + (leapFebruary ? 1 : 0);
}

bool isClockTime(int hour, int minute, int second) {
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

template <auto Field, Int16 DateCode, Int16 TimeCode>
struct Instant {
    static Int16 date(SettingRecord& r) {
        const auto& t = r.*Field;
        return verdict(isCalendarDate(t[0], t[1], t[2]), DateCode);
    }
    static Int16 time(SettingRecord& r) {
        const auto& t = r.*Field;
        return verdict(isClockTime(t[3], t[4], t[5]), TimeCode);
    }
};
using Start = Instant<&SettingRecord::StartTime, kInvalidStartDate, kInvalidStartTime>;
using Stop = Instant<&SettingRecord::StopTime, kInvalidStopDate, kInvalidStopTime>;

Int16 loadFitsWiring(SettingRecord& r) { return verdict(r.Load >= 1 && r.Load <= LoadCount(r.Wiring), kInvalidLoad); }

// Per channel, the clamp and then whether the channel's A range is one the clamp measures.
Int16 clampsAndTheirRanges(SettingRecord& r) {
    for (std::size_t channel = 0; channel < r.Clamp.size(); ++channel) {
        if (!kClampRule.accepts(r.Clamp[channel])) return kInvalidClamp;
        const ARangeSpan& span = kClampSpans[static_cast<std::size_t>(r.Clamp[channel])];
        if (r.ARange[channel] < span.first || r.ARange[channel] > span.last) return kARangeRule.code;
    }
    return 0;
}

// A stop "just" has no meaning; it is taken as a stop by timer.
Int16 stopMethod(SettingRecord& r) {
    if (r.StopMethod == method_code::Just) r.StopMethod = method_code::Timer;
    const Int16 method = r.StopMethod;
    return verdict(method == method_code::Manual || method == method_code::Time || method == method_code::Timer,
                   kInvalidStopMethod);
}

Int16 stopTimerFields(SettingRecord& r) {
    const auto& [hours, minutes, seconds] = r.StopTimer;
    return verdict(hours >= 0 && hours <= kLongestTimerHours && minutes >= 0 && minutes <= 59 && seconds >= 0 &&
                       seconds <= 59,
                   kInvalidStopTimer);
}

// Reported only after the interval, save media and file name rows, which take precedence.
Int16 stopTimerWithinLongest(SettingRecord& r) {
    const auto& [hours, minutes, seconds] = r.StopTimer;
    return verdict(hours < kLongestTimerHours || (minutes == 0 && seconds == 0), kInvalidStopTimer);
}

Int16 stopAfterStart(SettingRecord& r) {
    if (r.StartMethod != method_code::Time || r.StopMethod != method_code::Time) return 0;
    return verdict(r.StartTime < r.StopTime, kInvalidStopDate);
}

Int16 fileName(SettingRecord& r) { return verdict(IsMeterFileName(r.FileName), kInvalidFilename); }

Int16 copyMedia(SettingRecord& r) {
    return verdict(r.Copy >= 0 && r.Copy < CopyMediaCount(r.Rs232Connect), kHardCopyRule.code);
}

// Per analog output channel, its five fields in turn.
Int16 analogOutputs(SettingRecord& r) {
    for (std::size_t channel = 0; channel < r.DaKind.size(); ++channel) {
        const std::pair<Int16, ItemRule> fields[] = {
            {r.DaKind[channel], kDaKindRule}, {r.DaItem[channel], kDaItemRule}, {r.DaOrder[channel], kDaOrderRule},
            {r.DaMag[channel], kDaMagRule},   {r.DaRate[channel], kDaRateRule},
        };
        for (const auto& [value, rule] : fields)
            if (!rule.accepts(value)) return rule.code;
    }
    return 0;
}

// Every channel, whatever the load; the code tables spell "k" ranges in thousands.
Int16 ratedPower(SettingRecord& r) {
    const std::string uRange = IndexToURange(r.URange);
    for (std::size_t channel = 0; channel < r.ARange.size(); ++channel)
        if (!RatedPowerWithinLimit(r.Wiring, uRange, IndexToARange(r.ARange[channel]), r.Vt, r.Ct[channel]))
            return kRatedPowerTooHigh;
    return 0;
}

using R = SettingRecord;

// In the order they are reported; the first failing row is the one the user sees.
constexpr RecordRule kRecordRules[] = {
    item<&R::Wiring, kWiringRule>,
    loadFitsWiring,
    item<&R::Connect1P, k1PConnectRule>,
    item<&R::URange, ItemRule{0, kURangeCount - 1, 303}>,
    eachOf<&R::ARange, kARangeRule>,
    item<&R::Vt, kVtRatioRule>,
    eachOf<&R::Ct, kCtRatioRule>,
    clampsAndTheirRanges,
    item<&R::VarMethod, ItemRule{0, 1, 308}>,
    item<&R::Sampling, ItemRule{0, kSamplingCount - 1, 309}>,
    item<&R::FixClock, ItemRule{0, kFixClockCount - 1, 310}>,
    item<&R::Source, ItemRule{0, kSourceCount - 1, 311}>,
    item<&R::Filter, ItemRule{0, 1, 312}>,
    item<&R::Average, ItemRule{0, kAverageCount - 1, 313}>,
    item<&R::TotalWhDigit, ItemRule{0, kWhDigitCount - 1, 314}>,
    item<&R::TotalWhUnit, ItemRule{0, kWhUnitCount - 1, 315}>,
    item<&R::IntervalWhDigit, ItemRule{0, kWhDigitCount - 1, 316}>,
    item<&R::IntervalWhUnit, ItemRule{0, kWhUnitCount - 1, 317}>,
    item<&R::Thd, ItemRule{0, kThdCount - 1, 318}>,
    item<&R::HrmPA, ItemRule{0, 1, 319}>,
    item<&R::GraphOrder, kGraphOrderRule>,
    item<&R::StartMethod, ItemRule{0, method_code::Just, 321}>,
    Start::date,
    Start::time,
    stopMethod,
    Stop::date,
    Stop::time,
    stopTimerFields,
    stopAfterStart,
    item<&R::Interval, kIntervalRule>,
    item<&R::DOut, ItemRule{0, kMediaCount - 1, 329}>,
    fileName,
    stopTimerWithinLongest,
    allOf<item<&R::SaveNormal, kSaveFlagRule>, item<&R::SaveWh, kSaveFlagRule>, item<&R::SaveHrm, kSaveFlagRule>,
          item<&R::SaveWave, kSaveFlagRule>, item<&R::SaveInstant, kSaveFlagRule>, item<&R::SaveAve, kSaveFlagRule>,
          item<&R::SaveMax, kSaveFlagRule>, item<&R::SaveMin, kSaveFlagRule>>,
    allOf<eachOf<&R::SaveHrmLoad, kHarmonicFlagRule>, eachOf<&R::SaveHrmCh, kHarmonicFlagRule>,
          eachOf<&R::SaveHrmItem, kHarmonicFlagRule>, eachOf<&R::SaveHrmOrder, kHarmonicFlagRule>>,
    item<&R::SaveHrmOrdSel, ItemRule{0, kOrderSelCount - 1, 332}>,
    item<&R::Rs232Connect, kRs232ConnectRule>,
    copyMedia,
    item<&R::Rs232Baud, kBaudRateRule>,
    item<&R::Rs232DataLen, kDataLengthRule>,
    item<&R::Rs232Parity, kParityRule>,
    item<&R::Rs232StopBit, kStopBitRule>,
    item<&R::Rs232Flow, kFlowControlRule>,
    item<&R::Detect, ItemRule{0, 1, 339}>,
    item<&R::StdVolt, ItemRule{0, kStdVoltCount - 1, 340}>,
    item<&R::Swell, kSwellRule>,
    item<&R::Dip, ItemRule{10, 100, kDipBoxRule.code}>,
    item<&R::Interruption, kInterruptionRule>,
    item<&R::Hysteresis, kHysteresisRule>,
    item<&R::Language, ItemRule{0, kLanguageCount - 1, 345}>,
    item<&R::Beep, ItemRule{0, 1, 346}>,
    item<&R::BackLight, ItemRule{0, 1, 347}>,
    item<&R::Contrast, ItemRule{1, 8, 348}>,
    item<&R::Id, ItemRule{1, 999, 349}>,
    analogOutputs,
    eachOf<&R::AdRange, ItemRule{0, kAdRangeCount - 1, 355}>,
    ratedPower,
};

}  // namespace

std::int16_t CheckSettingRecord(AppContext& context, SettingRecord& record) {
    for (const RecordRule rule : kRecordRules) {
        const Int16 code = rule(record);
        if (code != 0) {
            ShowErrorMessage(context, kErrKindApplication, code);
            return code;
        }
    }
    return 0;
}

}  // namespace voltaro
