#include <gtest/gtest.h>

#include <functional>

#include "app/DefaultSettings.h"
#include "settings/CodeTables.h"
#include "settings/SettingCompare.h"

namespace voltaro {
namespace {

using Change = std::function<void(SettingRecord&)>;

TEST(CompareSetting, FirstDifferingItemInOrderAndTheItemsThatDependOnThePreviousSetting) {
    const struct {
        const char* what;
        Change readBack;  // how the meter's setting differs from the one sent
        Change previous;  // the setting before the send, when it matters
        bool pcTime;
        std::int16_t code;
    } cases[] = {
        {"channels in turn", [](SettingRecord& r) { r.Ct[1] = 2, r.Clamp[0] = 3; }, {}, false, 407},
        {"start time, manual before", [](SettingRecord& r) { r.StartTime[4] = 59; }, {}, false, 0},
        {"start time", [](SettingRecord& r) { r.StartTime[4] = 59; },
         [](SettingRecord& r) { r.StartMethod = method_code::Time; }, false, 423},
        {"start seconds", [](SettingRecord& r) { r.StartTime[5] = 30; },
         [](SettingRecord& r) { r.StartMethod = method_code::Time; }, false, 0},
        {"stop timer", [](SettingRecord& r) { r.StopTimer[2] = 1; },
         [](SettingRecord& r) { r.StopMethod = method_code::Timer; }, false, 427},
        {"stop timer, time before", [](SettingRecord& r) { r.StopTimer[2] = 1; },
         [](SettingRecord& r) { r.StopMethod = method_code::Time; }, false, 0},
        {"copy, printer before", [](SettingRecord& r) { r.Copy = 1; }, [](SettingRecord& r) { r.Copy = 2; }, false, 0},
        {"file name case", [](SettingRecord& r) { r.FileName = "data"; }, {}, false, 431},
        {"energy before normal", [](SettingRecord& r) { r.SaveNormal = 0, r.SaveWh = 0; }, {}, false, 434},
        {"harmonic items last", [](SettingRecord& r) { r.SaveHrmItem[0] = 0, r.SaveHrmCh[0] = 0; }, {}, false, 446},
        {"orders, own selection before", [](SettingRecord& r) { r.SaveHrmOrder[1] = 1; },
         [](SettingRecord& r) { r.SaveHrmOrdSel = 3; }, false, 449},
        {"meter date", [](SettingRecord& r) { r.SysDate[0] = 2030; }, {}, false, 473},
        {"meter date from the pc", [](SettingRecord& r) { r.SysDate[0] = 2030; }, {}, true, 0},
        {"analog channels in turn", [](SettingRecord& r) { r.DaRate[0] = 1, r.DaKind[1] = 1; }, {}, false, 471},
    };
    const SettingRecord sent = FactorySettings({2024, 1, 2, 3, 4, 0}, "/app/", 1);
    for (const auto& c : cases) {
        SettingRecord readBack = sent;
        SettingRecord previous = sent;
        c.readBack(readBack);
        if (c.previous) c.previous(previous);
        EXPECT_EQ(CompareSetting(sent, readBack, previous, c.pcTime), c.code) << c.what;
    }
}

}  // namespace
}  // namespace voltaro
