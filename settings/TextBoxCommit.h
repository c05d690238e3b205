#pragma once

// What the settings window's text boxes do with a typed value when it is committed (the
// box is about to lose the focus): check it against the item's rule, bring it to the
// item's format, or give back the last accepted value. Each rule is a function of the
// typed text and the last accepted value (the record field), so the window only applies
// the result: the text to show, the value for the record, the messages to show.
//
// A number is plain decimal text: blanks around it, an optional sign, digits with at
// most one point. Anything else is not a number and silently brings the last accepted
// value back.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/AppContext.h"
#include "settings/FieldRules.h"

namespace voltaro {

enum class CommitOutcome {
    Accepted,  // the box shows the new value; the record takes it
    Restored,  // not a number: the last accepted value is back and the focus may leave
    Refused,   // the last accepted value is back; the focus stays, the whole text selected
};

// The messages a commit asks for, in order: application codes through the error
// report, then at most one of the window's own texts in a stop box.
struct CommitMessages {
    std::vector<std::int16_t> codes;
    int textId = 0;  // 0 for none
};
void ShowCommitMessages(AppContext& ctx, const CommitMessages& messages);

template <typename Value>
struct TextCommit {
    CommitOutcome outcome;
    std::string text;  // what the box shows
    Value value;       // what the record holds afterwards
    CommitMessages messages;
};

// VT and CT: checked as typed, then cut two places after the point and shown "0.00"
// (12.349 becomes 12.34). `ratedPowerAccepts` says whether the rated power stays within
// its limit with the new ratio; it is asked only for an otherwise accepted value, and the
// window answers true when it does not check the rated power.
TextCommit<float> CommitVtText(std::string_view typed, float lastAccepted,
                               const std::function<bool(float)>& ratedPowerAccepts);
TextCommit<float> CommitCtText(std::string_view typed, float lastAccepted,
                               const std::function<bool(float)>& ratedPowerAccepts);

// Swell, dip and interruption (with their box rules): checked as typed, so a dip of
// 100.5 is refused, then cut to the whole number before the point (99.9 becomes 99).
TextCommit<std::int16_t> CommitWholePercentText(std::string_view typed, std::int16_t lastAccepted,
                                                const ItemRule& rule);

// Hysteresis: checked as typed, then rounded to the nearest whole number, a half to the
// even one (9.6 becomes 10, 2.5 becomes 2).
TextCommit<std::int16_t> CommitHysteresisText(std::string_view typed, std::int16_t lastAccepted);

// The three boxes of the stop timer, in the order of the record's StopTimer.
enum class TimerBox { Hours, Minutes, Seconds };

// One box of the stop timer: cut to the whole number, then the whole timer is checked
// with the other two boxes as they are (`timer` holds all three, this box's last
// accepted value among them); every fault of the timer is reported.
TextCommit<std::int16_t> CommitStopTimerText(std::string_view typed, TimerBox box,
                                             const std::array<std::int16_t, 3>& timer);

// The Enter key in a box of the stop timer.
struct TimerEnterKey {
    // Restored: not a number, the last accepted value is back. Refused: out of the box's
    // range, the text stays for correction and the record keeps its value. Accepted:
    // the record takes the box's whole number.
    CommitOutcome outcome;
    std::string text;
    std::int16_t value;
    bool clearMinutesAndSeconds;  // both boxes show "0" (their records follow on commit)
    CommitMessages messages;
};
TimerEnterKey EnterInStopTimerBox(std::string_view typed, TimerBox box, const std::array<std::int16_t, 3>& timer);

// The meter's ID, 1 to 999, shown with three digits ("007").
TextCommit<std::int16_t> CommitIdText(std::string_view typed, std::int16_t lastAccepted);

// The file name, as bytes of the system's code page: the record takes it in upper case
// while the box keeps it as typed.
TextCommit<std::string> CommitFileNameText(std::string_view typedBytes, const std::string& lastAccepted);

}  // namespace voltaro
