#include <gtest/gtest.h>

#include "app/ErrorReporting.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"

namespace voltaro {
namespace {

struct ErrorReporting : ::testing::Test {
    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 1, 1, 0, 0, 0}};
    AppContext ctx{messages, clock};
};

TEST_F(ErrorReporting, ShowsTheCodeTextInAStopBoxTitledWithTheOpenWindow) {
    ShowErrorMessage(ctx, kErrKindApplication, kAlreadyReported);
    ShowErrorMessage(ctx, kErrKindApplication, 123);
    ctx.MsgTitle = "File conv.";
    ShowErrorMessage(ctx, kErrKindApplication, 100);
    ASSERT_EQ(messages.boxes.size(), 2u);
    EXPECT_EQ(messages.boxes[0].title, "");  // no tool window has opened yet
    EXPECT_EQ(messages.boxes[0].text, "This error is undefined with the application.");
    EXPECT_EQ(messages.boxes[1].icon, MessageIcon::Stop);
    EXPECT_EQ(messages.boxes[1].title, "File conv.");
    EXPECT_EQ(messages.boxes[1].text, "Communication failed.");
    EXPECT_EQ(ctx.ErrorDescription, "Communication failed.");
}

TEST_F(ErrorReporting, OtherKindsShowTheCurrentSystemErrorNotACatalogueText) {
    ReportSystemError(ctx, "/dev/ttyS0: Permission denied");
    ShowErrorMessage(ctx, 1, 100);  // the code is ignored for a system error
    ShowErrorMessage(ctx, kErrKindApplication, 100);
    ShowErrorMessage(ctx, 1, 0);  // a code report becomes the current error too
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"/dev/ttyS0: Permission denied",
                                                          "/dev/ttyS0: Permission denied", "Communication failed.",
                                                          "Communication failed."}));
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
        {2, 0, 0, "Interval time is set to 30 seconds and under\n\n"},
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
