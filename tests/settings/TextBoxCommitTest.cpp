#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

#include "settings/RatedPower.h"
#include "settings/TextBoxCommit.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"

namespace voltaro {
namespace {

template <typename Value>
struct Expected {
    CommitOutcome outcome;
    std::string text;
    Value value;
    std::vector<std::int16_t> codes;
    int textId;
};

template <typename Value>
void expectCommit(const TextCommit<Value>& got, const Expected<Value>& want, std::string_view typed) {
    EXPECT_EQ(std::tuple(got.outcome, got.text, got.value, got.messages.codes, got.messages.textId),
              std::tuple(want.outcome, want.text, want.value, want.codes, want.textId)) << typed;
}

constexpr auto A = CommitOutcome::Accepted;
constexpr auto R = CommitOutcome::Restored;
constexpr auto F = CommitOutcome::Refused;

TEST(TextBoxCommit, RatiosAreCheckedAsTypedThenCutToHundredths) {
    const auto anyPower = [](float) { return true; };
    const struct {
        std::string typed;
        Expected<float> want;
    } cases[] = {
        {"1.239", {A, "1.23", 1.23f, {}, 0}},
        {"9999.99", {A, "9999.99", 9999.99f, {}, 0}},
        {"9999.995", {F, "2.50", 2.5f, {305}, 0}},
        {"0.0099999999", {F, "2.50", 2.5f, {305}, 0}},        // reads as 0.01 but would be cut to 0.00
        {std::string(45, '9'), {F, "2.50", 2.5f, {305}, 0}},  // beyond single precision
        {"abc", {R, "2.50", 2.5f, {}, 0}},
    };
    for (const auto& c : cases) expectCommit(CommitVtText(c.typed, 2.5f, anyPower), c.want, c.typed);
    expectCommit(CommitCtText("0.005", 2.5f, anyPower), {F, "2.50", 2.5f, {306}, 0}, "CT");

    const auto ratedPower = [](float vt) { return RatedPowerWithinLimit(5, "1000V", "3000A", vt, 9999.99f); };
    expectCommit(CommitVtText("9999.99", 1.0f, ratedPower), {F, "1.00", 1.0f, {356}, 0}, "3P4W 1000V 3000A");
    const auto unexpected = [](float) -> bool { throw std::logic_error("asked for a refused value"); };
    expectCommit(CommitVtText("0", 1.0f, unexpected), {F, "1.00", 1.0f, {305}, 0}, "0");
}

TEST(TextBoxCommit, WholeNumbersAreCheckedAsTypedThenCutOrRounded) {
    using Commit = TextCommit<std::int16_t> (*)(std::string_view);
    const Commit dip = [](std::string_view t) { return CommitWholePercentText(t, 90, kDipBoxRule); };
    const Commit hysteresis = [](std::string_view t) { return CommitHysteresisText(t, 1); };
    const Commit id = [](std::string_view t) { return CommitIdText(t, 12); };
    const Commit minutes = [](std::string_view t) { return CommitStopTimerText(t, TimerBox::Minutes, {1, 30, 0}); };
    const Commit hours = [](std::string_view t) { return CommitStopTimerText(t, TimerBox::Hours, {2, 0, 75}); };
    const struct {
        Commit commit;
        const char* typed;
        Expected<std::int16_t> want;
    } cases[] = {
        {dip, "99.9", {A, "99", 99, {}, 0}},
        {dip, "100.5", {F, "90", 90, {342}, 0}},
        {hysteresis, "9.6", {A, "10", 10, {}, 0}},
        {hysteresis, "3.5", {A, "4", 4, {}, 0}},
        {hysteresis, "10.4", {F, "1", 1, {344}, 0}},
        {id, "5", {A, "005", 5, {}, 0}},
        {id, "999.9", {A, "999", 999, {}, 0}},
        {id, "0", {F, "012", 12, {}, 2034}},
        {id, "1000", {F, "012", 12, {}, 2034}},
        {minutes, "59.9", {A, "59", 59, {}, 0}},
        {minutes, "75", {F, "30", 30, {327}, 0}},
        {hours, "9000", {F, "2", 2, {327, 327}, 0}},  // and the seconds box still holds 75
    };
    for (const auto& c : cases) expectCommit(c.commit(c.typed), c.want, c.typed);
}

TEST(TextBoxCommit, StopTimerBoxesCheckTheWholeTimer) {
    expectCommit(CommitStopTimerText("8784", TimerBox::Hours, {2, 30, 0}), {F, "2", 2, {327}, 0}, "8784:30:00");
    expectCommit(CommitStopTimerText("0", TimerBox::Seconds, {0, 0, 5}), {F, "5", 5, {327}, 0}, "0:00:00");
    expectCommit(CommitStopTimerText("8784.9", TimerBox::Hours, {2, 0, 0}), {A, "8784", 8784, {}, 0}, "8784:00:00");
}

TEST(TextBoxCommit, EnterInATimerBox) {
    const struct {
        const char* typed;
        TimerBox box;
        std::array<std::int16_t, 3> timer;
        CommitOutcome outcome;
        std::string text;
        std::int16_t value;
        bool cleared;
        int textId;
    } cases[] = {
        {"9000", TimerBox::Hours, {2, 0, 0}, F, "9000", 2, false, 2032},
        {"60", TimerBox::Minutes, {2, 0, 0}, F, "60", 0, false, 2032},
        {"5", TimerBox::Minutes, {8784, 0, 0}, A, "0", 0, true, 2033},
        {"8784", TimerBox::Hours, {2, 5, 0}, A, "8784", 8784, true, 2033},
        {"x", TimerBox::Minutes, {2, 10, 0}, R, "10", 10, false, 0},
    };
    for (const auto& c : cases) {
        const TimerEnterKey got = EnterInStopTimerBox(c.typed, c.box, c.timer);
        EXPECT_EQ(std::tuple(got.outcome, got.text, got.value, got.clearMinutesAndSeconds, got.messages.textId),
                  std::tuple(c.outcome, c.text, c.value, c.cleared, c.textId)) << c.typed;
    }
}

TEST(TextBoxCommit, FileNamesAreStoredInUpperCaseAndShownAsTyped) {
    expectCommit(CommitFileNameText("abcdefgh", "DATA0001"), Expected<std::string>{A, "abcdefgh", "ABCDEFGH", {}, 0},
                 "lower case");
    for (const char* typed : {"abc", "abc.defg"})
        expectCommit(CommitFileNameText(typed, "DATA0001"), Expected<std::string>{F, "DATA0001", "DATA0001", {331}, 0},
                     typed);
}

TEST(TextBoxCommit, MessagesShowCodesThenTheWindowsOwnText) {
    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 3, 1, 12, 0, 0}};
    AppContext ctx{messages, clock};
    ShowCommitMessages(ctx, CommitMessages{{327, 327}, 0});
    ShowCommitMessages(ctx, CommitMessages{{305}, 2033});
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Invalid stop timer.", "Invalid stop timer.",
                                                          "Invalid VT ratio.", "End timer setting exceeds 8784hours."}));
}

}  // namespace
}  // namespace voltaro
