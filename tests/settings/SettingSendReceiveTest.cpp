#include <gtest/gtest.h>

#include <functional>

#include "app/DefaultSettings.h"
#include "settings/CodeTables.h"
#include "settings/SettingCompare.h"
#include "settings/SettingReceive.h"
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

TEST(SettingReceive, ReplyFieldsStartAgainWhenTheReplyRunsOut) {
    using F = std::vector<std::string>;
    const struct {
        const char* reply;
        int count;
        F fields;  // the first `count` places; the rest stay empty
    } cases[] = {
        {"1,2,3", 5, {"1", "2", "3", "1", "2"}},
        {"a,,b", 3, {"a", "", "b"}},
        {" 1 , 2", 2, {" 1 ", " 2"}},
        {"0,1,2,3,4,5,6,7,8,9,10,11", 12, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
    };
    for (const auto& c : cases) {
        const ReplyFields fields = SplitReplyFields(c.reply, c.count);
        F expected = c.fields;
        expected.resize(fields.size());
        EXPECT_EQ(F(fields.begin(), fields.end()), expected) << c.reply << " / " << c.count;
    }
}

TEST(SettingReceive, BitsOfTheSaveMasks) {
    const struct {
        int mask;
        BitList bits;
        std::int16_t harmonics;
    } cases[] = {
        {3, {1, 1, 0, 0, 0, 0, 0, 0}, 0},
        {4, {0, 0, 1, 0, 0, 0, 0, 0}, 1},
        {85, {1, 0, 1, 0, 1, 0, 1, 0}, 1},
        {300, {0, 0, 1, 1, 0, 1, 0, 1}, 1},  // past eight bits the top bit takes the rest
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitBits(c.mask), c.bits) << c.mask;
        EXPECT_EQ(HarmonicSaveFlag(c.mask), c.harmonics) << c.mask;
    }
}


TEST(CompareSetting, FirstDifferingItemInOrderAndTheItemsThatDependOnThePreviousSetting) {
    const struct {
        const char* what;
        std::function<void(SettingRecord&)> readBack;  // how the meter's setting differs from the one sent
        std::function<void(SettingRecord&)> previous;  // the setting before the send, when it matters
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
    const SettingRecord sent = factory();
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
