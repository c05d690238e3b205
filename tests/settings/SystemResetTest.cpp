#include <gtest/gtest.h>

#include <tuple>

#include "app/DefaultSettings.h"
#include "settings/SystemReset.h"
#include "support/ScriptedLink.h"

namespace voltaro {
namespace {

using Texts = std::vector<std::string>;

struct Reset : ::testing::Test, test::ScriptedLink {
    Reset() {
        ctx.AppPath = "/app/";
        SetDefaultSettings(ctx);
        ctx.CurrentSetting.Wiring = 6;
        ctx.CurrentSetting.Language = 3;
        ctx.CurrentSetting.Pc.PcPortName = "/dev/pts/9";
        port.answer("*IDN?", {"ACME, ZR915,0,1.05 "});
        port.answer(":DISP:MODE?", {"MEAS"});
    }
};

TEST_F(Reset, ResetsMeterAndRecordKeepingLanguageAndPcSide) {
    port.answer(":MEAS:STAT?", {"0"});
    port.answer(":HOLD?", {"0"});
    EXPECT_EQ(SystemReset(link), 0);
    EXPECT_EQ(messages.questions.at(0).text, "Reset is performed. Proceed?");
    EXPECT_EQ(port.commands(), (Texts{":COMM:HEAD OFF", "*IDN?", ":DISP:MODE?", ":MEAS:STAT?", ":HOLD?", ":RESE",
                                      ":COMM:HEAD ON"}));
    EXPECT_EQ(port.opened.at(0).device, "/dev/pts/9");
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(std::tuple(ctx.CurrentSetting.Wiring, ctx.CurrentSetting.Language, ctx.CurrentSetting.Pc.PcPortName),
              std::tuple(3, 3, "/dev/pts/9"));
    EXPECT_EQ(texts(), Texts{"Reset was performed."});
    EXPECT_EQ(ctx.OperationMode, operation_mode::Idle);
}

TEST_F(Reset, DeclinedOrFailedResetChangesNothing) {
    const SettingRecord before = ctx.CurrentSetting;
    messages.answers = {false};
    EXPECT_EQ(SystemReset(link), -1);
    EXPECT_TRUE(port.written.empty());

    port.answer(":MEAS:STAT?", {"1"});
    EXPECT_EQ(SystemReset(link), -1);
    EXPECT_EQ(texts(), Texts{"Information on the pc card can't be read during integration measurement."});
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(ctx.CurrentSetting, before);
    EXPECT_EQ(ctx.OperationMode, operation_mode::Idle);
}

}  // namespace
}  // namespace voltaro
