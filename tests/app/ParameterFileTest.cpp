#include <gtest/gtest.h>

#include <fstream>

#include "app/DefaultSettings.h"
#include "app/ParameterFile.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/TemporaryFolder.h"

namespace voltaro {
namespace {

// Choices the PC side stores beyond their lists (an edited or foreign file) fall back to their
// factory values; the meter's items are left to the setting check.
TEST(ParameterFile, PcChoicesOutsideTheirListsFallBackToTheirDefaults) {
    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 5, 17, 9, 41, 12}};
    AppContext ctx{messages, clock};
    test::TemporaryFolder folder;
    ctx.AppPath = folder.withSeparator();
    SettingRecord stored = FactorySettings(clock.time, ctx.AppPath, 1);
    stored.Wiring = 9;
    stored.Pc.CommPort = {11, 6, 9, 3, 3, 4};
    stored.Pc.TransSaveData = 2;
    stored.Pc.TransExcel = -1;
    stored.Pc.TransMedia = 2;
    std::ofstream(folder.path() / "Parameter", std::ios::binary) << EncodeParameterImage(stored);
    EXPECT_EQ(AccessParameterFile(ctx, kParameterRead), 0);
    const PcSettings& pc = ctx.CurrentSetting.Pc;
    EXPECT_EQ(pc.CommPort, (CommPortSetting{1, 3, 8, 2, 1, 0}));
    EXPECT_EQ(pc.TransSaveData, 1);
    EXPECT_EQ(pc.TransExcel, 0);
    EXPECT_EQ(pc.TransMedia, 0);
    EXPECT_EQ(ctx.CurrentSetting.Wiring, 9);
}

}  // namespace
}  // namespace voltaro
