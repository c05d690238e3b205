#include <gtest/gtest.h>

#include <functional>

#include "settings/DefaultSettings.h"
#include "settings/SettingSend.h"

namespace voltaro {
namespace {

SettingRecord factory() { return FactorySettings({2024, 1, 2, 3, 4, 0}, "/app/", 1); }

TEST(SettingSend, SinglesAsTheShortestTextWithAPoint) {
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {1.0f, "1"}, {0.1f, "0.1"}, {2.5f, "2.5"}, {9999.99f, "9999.99"}, {1e7f, "10000000"}, {0.00001f, "0.00001"},
    };
    for (const auto& c : cases) EXPECT_EQ(DecimalText(c.value), c.text) << c.text;
}

TEST(SettingSend, SaveItemMasks) {
    using Change = std::function<void(SettingRecord&)>;
    const auto none = [](SettingRecord& r) {
        r.SaveNormal = r.SaveWh = r.SaveHrm = r.SaveInstant = r.SaveAve = r.SaveMax = r.SaveMin = 0;
        r.SaveHrmItem.fill(0);
        r.SaveHrmLoad.fill(0);
        r.SaveHrmCh.fill(0);
    };
    const struct {
        Change change;
        std::vector<std::string> masks;  // items 1 to 4
    } cases[] = {
        {[](SettingRecord&) {}, {"127", "15", "1", "191"}},
        {[&](SettingRecord& r) { none(r), r.SaveNormal = 1, r.SaveHrmItem.fill(1); }, {"1", "0", "0", "0"}},
        {[&](SettingRecord& r) { none(r), r.SaveHrm = 1, r.SaveHrmItem[0] = 1; }, {"4", "0", "0", "0"}},
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

TEST(SettingSend, OrderFields) {
    SettingRecord r = factory();
    r.SaveHrmOrder.fill(0);
    for (int order : {1, 3, 5, 7, 16, 49, 50}) r.SaveHrmOrder[order - 1] = 1;
    const struct {
        std::int16_t selection;
        std::vector<std::string> fields;  // 0 to 9
    } cases[] = {
        {1, {"0", "2", "85", "128", "0", "0", "0", "0", "3", "0"}},
        {0, {"0", "4", "85", "128", "0", "0", "0", "0", "3", "0"}},
        {2, {"0", "1", "85", "128", "0", "0", "0", "0", "3", "0"}},
        {3, {"0", "0", "85", "128", "0", "0", "0", "0", "3", "0"}},
    };
    for (const auto& c : cases) {
        r.SaveHrmOrdSel = c.selection;
        std::vector<std::string> fields;
        for (int field = 0; field <= 9; ++field) fields.push_back(SaveItem5Field(r, field));
        EXPECT_EQ(fields, c.fields) << c.selection;
    }
}

TEST(SettingSend, AnalogOutputPutsTheKindBetweenElementAndQuantity) {
    SettingRecord r = factory();
    r.DaItem = {5, 36, 0, 83};  // "2,I1", "1,Wh+", "1,U1", "1,varh-_1P"
    r.DaKind = {0, 1, 2, 6};
    r.DaOrder = {1, 1, 50, 3};
    r.DaMag = {1, 0, 2, 0};
    r.DaRate = {0, 6, 2, 3};
    EXPECT_EQ(AnalogOutputArgument(r, 0), "2,0,I1,1,10,1K");
    EXPECT_EQ(AnalogOutputArgument(r, 1), "1,1,Wh+,1,1,1MA");
    EXPECT_EQ(AnalogOutputArgument(r, 2), "1,2,U1,50,100,10K");
    EXPECT_EQ(AnalogOutputArgument(r, 3), "1,6,varh-_1P,3,1,50K");
}

}  // namespace
}  // namespace voltaro
