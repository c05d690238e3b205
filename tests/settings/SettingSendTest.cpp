#include <gtest/gtest.h>

#include <functional>

#include "app/DefaultSettings.h"
#include "settings/SettingSend.h"

namespace voltaro {
namespace {

SettingRecord factory() { return FactorySettings({2024, 1, 2, 3, 4, 0}, "/app/", 1); }

TEST(SettingSend, SinglesAsTheShortestTextWithAPointAndNoExponent) {
    EXPECT_EQ((std::vector{DecimalText(1.0f), DecimalText(0.1f), DecimalText(9999.99f), DecimalText(1e7f)}),
              (std::vector<std::string>{"1", "0.1", "9999.99", "10000000"}));
}

TEST(SettingSend, SaveItemMasks) {
    const auto none = [](SettingRecord& r) {
        r.SaveNormal = r.SaveWh = r.SaveHrm = r.SaveInstant = r.SaveAve = r.SaveMax = r.SaveMin = 0;
        r.SaveHrmItem.fill(0), r.SaveHrmLoad.fill(0), r.SaveHrmCh.fill(0);
    };
    const struct {
        std::function<void(SettingRecord&)> change;
        std::vector<std::string> masks;  // items 1 to 4
    } cases[] = {
        {[](SettingRecord&) {}, {"127", "15", "1", "191"}},
        // Harmonic items count only while harmonics are saved.
        {[&](SettingRecord& r) { none(r), r.SaveNormal = 1, r.SaveHrmItem.fill(1); }, {"1", "0", "0", "0"}},
        {[&](SettingRecord& r) { none(r), r.SaveWh = r.SaveHrm = 1, r.SaveHrmItem[4] = 1; }, {"66", "0", "0", "0"}},
        {[&](SettingRecord& r) { none(r), r.SaveMin = 1, r.SaveHrmLoad[3] = 1, r.SaveHrmCh[7] = 1; },
         {"0", "8", "8", "128"}},
    };
    for (const auto& c : cases) {
        SettingRecord r = factory();
        c.change(r);
        EXPECT_EQ((std::vector{SaveItem1Mask(r), SaveItem2Mask(r), SaveItem3Mask(r), SaveItem4Mask(r)}), c.masks);
    }
}

TEST(SettingSend, OrderSelectionAndOrderMasks) {
    SettingRecord r = factory();
    r.SaveHrmOrder.fill(0);
    for (int order : {1, 3, 5, 7, 16, 49, 50}) r.SaveHrmOrder[order - 1] = 1;
    std::vector<std::string> fields;
    for (int field = 0; field <= 9; ++field) fields.push_back(SaveItem5Field(r, field));
    EXPECT_EQ(fields, (std::vector<std::string>{"0", "2", "85", "128", "0", "0", "0", "0", "3", "0"}));
    std::string selections;
    for (std::int16_t selection : {0, 1, 2, 3, 4}) r.SaveHrmOrdSel = selection, selections += SaveItem5Field(r, 1);
    EXPECT_EQ(selections, "42100");
}

}  // namespace
}  // namespace voltaro
