#include <gtest/gtest.h>

#include "app/ErrorReporting.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"

namespace voltaro {
namespace {

using test::RecordingMessages;

struct ErrorReporting : ::testing::Test {
    RecordingMessages messages;
    test::FixedClock clock{{2026, 1, 1, 0, 0, 0}};
    AppContext ctx{messages, clock};
};

TEST_F(ErrorReporting, ShowsTheCodeTextInAStopBoxTitledWithTheOpenWindow) {
    ctx.MsgTitle = "File conv.";
    ShowErrorMessage(ctx, kErrKindApplication, 356);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].icon, MessageIcon::Stop);
    EXPECT_EQ(messages.boxes[0].title, "File conv.");
    EXPECT_EQ(messages.boxes[0].text, "Product of [rated power xVT ratio xCT ratio x1.3] exceeds 999.9TW.");
    EXPECT_EQ(ctx.ErrorDescription, messages.boxes[0].text);
}

TEST_F(ErrorReporting, AlreadyReportedShowsNothingAndUnknownCodesSayUndefined) {
    ShowErrorMessage(ctx, kErrKindApplication, kAlreadyReported);
    EXPECT_TRUE(messages.boxes.empty());
    ShowErrorMessage(ctx, kErrKindApplication, 123);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, "This error is undefined with the application.");
    EXPECT_EQ(messages.boxes[0].title, "");  // no tool window has opened yet
}

TEST_F(ErrorReporting, OtherKindsShowTheCurrentSystemErrorNotACatalogueText) {
    ReportSystemError(ctx, "/dev/ttyS0: Permission denied");
    ShowErrorMessage(ctx, 1, 100);  // the code is ignored for a system error
    ASSERT_EQ(messages.boxes.size(), 2u);
    for (const auto& box : messages.boxes) {
        EXPECT_EQ(box.icon, MessageIcon::Stop);
        EXPECT_EQ(box.text, "/dev/ttyS0: Permission denied");
    }
    ShowErrorMessage(ctx, kErrKindApplication, 100);
    ShowErrorMessage(ctx, 1, 0);  // a code report becomes the current error too
    EXPECT_EQ(messages.boxes.back().text, "Communication failed.");
}

TEST_F(ErrorReporting, SettingWarningsJoinThreeLinesLeavingUnmatchedSelectorsEmpty) {
    ctx.MsgTitle = "Setting";
    const struct {
        std::int16_t a, b, c;
        const char* text;
    } cases[] = {
        {0, 2, 1,
         "\nInvalid Harmonic saving and Waveform saving during integration measurement.\n"
         "Average saving, Max saving and Minimum saving during integration measurement."},
        {1, 1, 0,
         "Interval time is set to short.\n"
         "Invalid Electric/Demand saving, Harmonic saving, Waveform saving.\n"},
        {2, 0, 0, "Interval time is set to 30 seconds and under\n\n"},
        {3, 3, 2, "Normal measurement and harmonics measurement preservation are OFF, it cannot set up.\n\n"},
        {0, 0, 0, "\n\n"},
    };
    for (const auto& c : cases) {
        messages.boxes.clear();
        ShowSettingWarnings(ctx, c.a, c.b, c.c);
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_EQ(messages.boxes[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(messages.boxes[0].title, "Setting");
        EXPECT_EQ(messages.boxes[0].text, c.text) << c.a << c.b << c.c;
    }
}

}  // namespace
}  // namespace voltaro
