#include "settings/TextBoxCommit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "app/ErrorReporting.h"
#include "app/NumberText.h"
#include "app/TextTools.h"
#include "settings/RatedPower.h"

namespace voltaro {

namespace {

constexpr int kInvalidTimerText = 2032;     // "Invalid End timer setting."
constexpr int kTimerBeyondLongestText = 2033;  // "End timer setting exceeds 8784hours."
constexpr int kInvalidIdText = 2034;        // "Invalid ID No."

constexpr std::int16_t kFirstId = 1;
constexpr std::int16_t kLastId = 999;
constexpr int kIdDigits = 3;
constexpr long long kLastMinute = 59;

template <typename Value>
TextCommit<Value> accepted(std::string text, Value value) {
    return {CommitOutcome::Accepted, std::move(text), std::move(value), CommitMessages{}};
}

template <typename Value>
TextCommit<Value> restored(std::string text, Value value) {
    return {CommitOutcome::Restored, std::move(text), std::move(value), CommitMessages{}};
}

template <typename Value>
TextCommit<Value> refused(std::string text, Value value, CommitMessages messages) {
    return {CommitOutcome::Refused, std::move(text), std::move(value), std::move(messages)};
}

CommitMessages codeMessages(std::int16_t code, int times = 1) {
    return CommitMessages{std::vector<std::int16_t>(static_cast<std::size_t>(times), code), 0};
}

CommitMessages textMessage(int textId) { return CommitMessages{{}, textId}; }

// A typed plain number in single precision; beyond that range, infinity or zero with
// the sign. Nothing when the text is no number.
std::optional<float> singleValue(std::string_view typed) {
    const auto number = ParsePlainNumber(typed);
    if (!number) return std::nullopt;
    if (const auto single = ParsePlainSingle(typed)) return *single;
    const float beyond = std::abs(*number) > 1 ? std::numeric_limits<float>::infinity() : 0.0f;
    return *number < 0 ? -beyond : beyond;
}

// The whole number before the point, no rounding; held far beyond every limit.
long long truncatedValue(std::string_view typed) {
    constexpr double kFarBeyond = 1e9;
    const auto whole = ParsePlainNumber(typed.substr(0, typed.find('.')));  // none for "" and "-"
    return static_cast<long long>(std::clamp(whole.value_or(0.0), -kFarBeyond, kFarBeyond));
}

// The text cut two places after its point.
std::string_view cutToHundredths(std::string_view typed) {
    const std::size_t point = typed.find('.');
    return point == std::string_view::npos ? typed : typed.substr(0, point + 3);
}

TextCommit<float> commitRatioText(std::string_view typed, float lastAccepted, const ItemRule& rule,
                                  const std::function<bool(float)>& ratedPowerAccepts) {
    const auto typedValue = singleValue(typed);
    if (!typedValue) return restored(FormatRatio(lastAccepted), lastAccepted);
    // The cut value is checked too: a typed 0.0099999999 reads as 0.01 in single
    // precision but would be cut to 0.00.
    const float value = singleValue(cutToHundredths(typed)).value_or(0.0f);
    if (!rule.accepts(*typedValue) || !rule.accepts(value))
        return refused(FormatRatio(lastAccepted), lastAccepted, codeMessages(rule.code));
    if (!ratedPowerAccepts(value))
        return refused(FormatRatio(lastAccepted), lastAccepted, codeMessages(kRatedPowerTooHigh));
    return accepted(FormatRatio(value), value);
}

// A percentage checked as typed and brought to a whole number by `toWhole(typed)`.
template <typename ToWhole>
TextCommit<std::int16_t> commitPercentText(std::string_view typed, std::int16_t lastAccepted, const ItemRule& rule,
                                           ToWhole toWhole) {
    const auto typedValue = singleValue(typed);
    if (!typedValue) return restored(std::to_string(lastAccepted), lastAccepted);
    if (!rule.accepts(*typedValue))
        return refused(std::to_string(lastAccepted), lastAccepted, codeMessages(rule.code));
    const auto value = static_cast<std::int16_t>(toWhole(typed));
    return accepted(std::to_string(value), value);
}

std::size_t slot(TimerBox box) { return static_cast<std::size_t>(box); }

// The timer with one box's value replaced.
std::array<long long, 3> timerWith(const std::array<std::int16_t, 3>& timer, TimerBox box, long long value) {
    std::array<long long, 3> values{timer[0], timer[1], timer[2]};
    values[slot(box)] = value;
    return values;
}

}  // namespace

void ShowCommitMessages(AppContext& ctx, const CommitMessages& messages) {
    for (const std::int16_t code : messages.codes) ShowErrorMessage(ctx, kErrKindApplication, code);
    if (messages.textId != 0) ShowStopText(ctx, ctx.catalogue.text(messages.textId));
}

TextCommit<float> CommitVtText(std::string_view typed, float lastAccepted,
                               const std::function<bool(float)>& ratedPowerAccepts) {
    return commitRatioText(typed, lastAccepted, kVtRatioRule, ratedPowerAccepts);
}

TextCommit<float> CommitCtText(std::string_view typed, float lastAccepted,
                               const std::function<bool(float)>& ratedPowerAccepts) {
    return commitRatioText(typed, lastAccepted, kCtRatioRule, ratedPowerAccepts);
}

TextCommit<std::int16_t> CommitWholePercentText(std::string_view typed, std::int16_t lastAccepted,
                                                const ItemRule& rule) {
    return commitPercentText(typed, lastAccepted, rule, truncatedValue);
}

TextCommit<std::int16_t> CommitHysteresisText(std::string_view typed, std::int16_t lastAccepted) {
    return commitPercentText(typed, lastAccepted, kHysteresisRule,
                             [](std::string_view text) { return RoundHalfEven(*ParsePlainNumber(text)); });
}

TextCommit<std::int16_t> CommitStopTimerText(std::string_view typed, TimerBox box,
                                             const std::array<std::int16_t, 3>& timer) {
    const std::int16_t lastAccepted = timer[slot(box)];
    if (!ParsePlainNumber(typed)) return restored(std::to_string(lastAccepted), lastAccepted);
    const long long whole = truncatedValue(typed);
    const auto values = timerWith(timer, box, whole);
    const int faults = StopTimerFaultCount(values[0], values[1], values[2]);
    if (faults > 0) return refused(std::to_string(lastAccepted), lastAccepted, codeMessages(kInvalidStopTimer, faults));
    return accepted(std::to_string(whole), static_cast<std::int16_t>(whole));
}

TimerEnterKey EnterInStopTimerBox(std::string_view typed, TimerBox box, const std::array<std::int16_t, 3>& timer) {
    const std::int16_t lastAccepted = timer[slot(box)];
    if (!ParsePlainNumber(typed))
        return {CommitOutcome::Restored, std::to_string(lastAccepted), lastAccepted, false, CommitMessages{}};
    const long long whole = truncatedValue(typed);
    const long long last = box == TimerBox::Hours ? kLongestTimerHours : kLastMinute;
    if (whole < 0 || whole > last)
        return {CommitOutcome::Refused, std::string(typed), lastAccepted, false, textMessage(kInvalidTimerText)};
    const auto values = timerWith(timer, box, whole);
    const bool beyondLongest = values[0] == kLongestTimerHours && (values[1] > 0 || values[2] > 0);
    if (!beyondLongest)
        return {CommitOutcome::Accepted, std::string(typed), static_cast<std::int16_t>(whole), false, CommitMessages{}};
    if (box == TimerBox::Hours)
        return {CommitOutcome::Accepted, std::string(typed), kLongestTimerHours, true,
                textMessage(kTimerBeyondLongestText)};
    return {CommitOutcome::Accepted, "0", 0, true, textMessage(kTimerBeyondLongestText)};
}

TextCommit<std::int16_t> CommitIdText(std::string_view typed, std::int16_t lastAccepted) {
    if (!ParsePlainNumber(typed)) return restored(FormatZeroPadded(lastAccepted, kIdDigits), lastAccepted);
    const long long whole = truncatedValue(typed);
    if (whole < kFirstId || whole > kLastId)
        return refused(FormatZeroPadded(lastAccepted, kIdDigits), lastAccepted, textMessage(kInvalidIdText));
    const auto id = static_cast<std::int16_t>(whole);
    return accepted(FormatZeroPadded(id, kIdDigits), id);
}

TextCommit<std::string> CommitFileNameText(std::string_view typedBytes, const std::string& lastAccepted) {
    if (!IsMeterFileName(typedBytes)) return refused(lastAccepted, lastAccepted, codeMessages(kInvalidFilename));
    return accepted(std::string(typedBytes), UpperCaseAscii(typedBytes));
}

}  // namespace voltaro
