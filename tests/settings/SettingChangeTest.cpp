#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/DefaultSettings.h"
#include "settings/SettingChange.h"
#include "settings/SettingCheck.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"

namespace voltaro {
namespace {

using Change = std::function<void(SettingRecord&)>;

struct SettingChange : ::testing::Test {
    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 3, 1, 12, 0, 0}};
    AppContext ctx{messages, clock};

    // The factory setting: 3P3W2I with one load, clamps 52110 on 20A, VT and CT 1, interval
    // 1min, RS-232 to the PC, harmonic saving on with odd orders, outputs U1, I1_1, P_1, Q_1.
    static SettingRecord factory() { return FactorySettings({2024, 4, 1, 9, 0, 0}, "/app/", 1); }
};

const Change kAsIs = [](SettingRecord&) {};

// Each case starts from the factory setting with `given` applied, sets the items in order and
// stops at the first refusal; `expected` is what the factory setting has become then.
TEST_F(SettingChange, AppliesTheWindowsRulesItemAfterItem) {
    const struct {
        const char* name;
        Change given;
        std::vector<std::pair<const char*, const char*>> items;
        std::int16_t code;
        std::string message;
        Change expected;
    } cases[] = {
        {"a wiring resets load and source and refills both pages",
         [](SettingRecord& r) { r.Load = 2, r.Source = 2, r.SaveHrmLoad = {1, 1, 0, 0}, r.DaItem[1] = 8; },
         {{"WIRING", "0"}}, 0, "",
         [](SettingRecord& r) {
             r.Wiring = 0, r.Load = 1, r.Source = 0, r.SaveHrmLoad = {1, 0, 0, 0};
             r.SaveHrmCh = {1, 0, 0, 1, 0, 0, 0, 1}, r.DaItem[1] = 0;
         }},
        {"a later item sees the earlier", kAsIs, {{"WIRING", "0"}, {"LOAD", "4"}}, 0, "",
         [](SettingRecord& r) {
             r.Wiring = 0, r.Load = 4, r.SaveHrmLoad = {1, 1, 1, 1}, r.SaveHrmCh = {1, 0, 0, 1, 0, 0, 0, 1};
         }},
        {"the same wiring again changes nothing", [](SettingRecord& r) { r.Load = 2; }, {{"WIRING", "3"}}, 0, "",
         kAsIs},
        {"a load the wiring lacks", kAsIs, {{"LOAD", "3"}}, 301, "Invalid Load.", kAsIs},
        {"a load refills the harmonic boxes", [](SettingRecord& r) { r.SaveHrmCh.fill(0); }, {{"LOAD", "2"}}, 0, "",
         [](SettingRecord& r) { r.Load = 2, r.SaveHrmLoad = {1, 1, 0, 0}, r.SaveHrmCh = {1, 1, 1, 1, 1, 1, 0, 1}; }},
        {"harmonic saving off clears its boxes", kAsIs, {{"SAVE1", "1,1,0,1"}}, 0, "",
         [](SettingRecord& r) { r.SaveHrm = 0, r.SaveHrmLoad.fill(0), r.SaveHrmCh.fill(0), r.SaveHrmItem.fill(0); }},
        {"clamps keep their channel's range or take the nearest end", kAsIs, {{"CLAMP", "1,0,3,2"}}, 0, "",
         [](SettingRecord& r) { r.Clamp = {1, 0, 3, 2}, r.ARange = {7, 4, 9, 7}; }},
        {"an unknown clamp", kAsIs, {{"CLAMP", "10,2,2,2"}}, 307, "Invalid clamp type.", kAsIs},
        {"a short interval takes the printer off the line",
         [](SettingRecord& r) { r.Rs232Connect = 1, r.Copy = 2; }, {{"INTERVAL", "3"}}, 0, "",
         [](SettingRecord& r) { r.Interval = 3, r.Rs232Connect = 0, r.Copy = 0; }},
        {"30 seconds keep a copy in memory", [](SettingRecord& r) { r.Rs232Connect = 1, r.Copy = 1; },
         {{"INTERVAL", "9"}}, 0, "", [](SettingRecord& r) { r.Interval = 9, r.Rs232Connect = 0; }},
        {"a minute leaves the printer", [](SettingRecord& r) { r.Rs232Connect = 1, r.Copy = 2; },
         {{"INTERVAL", "10"}}, 0, "", [](SettingRecord& r) { r.Interval = 10; }},
        {"no such interval", kAsIs, {{"INTERVAL", "17"}}, 328, "Invalid interval time.", kAsIs},
        {"the PC on the line prints on the card", [](SettingRecord& r) { r.Rs232Connect = 1, r.Copy = 2; },
         {{"CONNECT", "0"}}, 0, "", [](SettingRecord& r) { r.Rs232Connect = 0, r.Copy = 0; }},
        {"a printed copy connects the printer", kAsIs, {{"COPY", "2"}}, 0, "",
         [](SettingRecord& r) { r.Copy = 2, r.Rs232Connect = 1; }},
        {"phase angles from U1 measure U1", [](SettingRecord& r) { r.Source = 2; }, {{"HRM_PA", "1"}}, 0, "",
         [](SettingRecord& r) { r.HrmPA = 1, r.Source = 0; }},
        {"under U1 base the source stays U1", [](SettingRecord& r) { r.HrmPA = 1; }, {{"SOURCE", "2"}}, 0, "", kAsIs},
        {"3P3W2I offers U1 and U3", kAsIs, {{"SOURCE", "2"}, {"SOURCE", "1"}}, 311, "Invalid Frequency source.",
         [](SettingRecord& r) { r.Source = 2; }},
        {"a new kind keeps or replaces the item", kAsIs, {{"DAOUT3", "6,15,1,0,0"}, {"DAOUT2", "1,4,1,0,0"}}, 0, "",
         [](SettingRecord& r) { r.DaKind = {0, 1, 6, 0}, r.DaItem = {0, 36, 0, 19}; }},
        {"an item the list lacks", kAsIs, {{"DAOUT1", "0,8,1,0,0"}, {"DAOUT1", "0,83,1,0,0"}}, 351,
         "Invalid analog output.(element)", [](SettingRecord& r) { r.DaItem[0] = 8; }},
        {"a kind the list lacks", kAsIs, {{"DAOUT4", "7,19,1,0,0"}}, 350, "Invalid analog output.(item)", kAsIs},
        {"VT and CT are cut to two decimals", kAsIs, {{"VT", "12.349"}, {"CT", "1.00,2.509,1.00,1.00"}}, 0, "",
         [](SettingRecord& r) { r.Vt = 12.34f, r.Ct[1] = 2.50f; }},
        {"a VT below its range", kAsIs, {{"VT", "0.005"}}, 305, "Invalid VT ratio.", kAsIs},
        {"percentages are the box's whole numbers", kAsIs,
         {{"DIP", "99.9"}, {"HYSTERESIS", "2.5"}, {"SWELL", "200"}, {"INTERRUPTION", "0"}}, 0, "",
         [](SettingRecord& r) { r.Dip = 99, r.Hysteresis = 2, r.Swell = 200, r.Interruption = 0; }},
        {"a dip over 100", kAsIs, {{"DIP", "100.5"}}, 342, "Invalid dip.", kAsIs},
        {"the ID and the file name", kAsIs, {{"ID", "7"}, {"FILE", "abcdefgh"}}, 0, "",
         [](SettingRecord& r) { r.Id = 7, r.FileName = "ABCDEFGH"; }},
        {"an ID past 999", kAsIs, {{"ID", "1000"}}, 349, "Invalid ID No.", kAsIs},
        {"a short file name", kAsIs, {{"FILE", "abc"}}, 331, "Invalid filename.", kAsIs},
        {"the longest stop timer", kAsIs, {{"MSTOP_TIMER", "31622400"}}, 0, "",
         [](SettingRecord& r) { r.StopTimer = {8784, 0, 0}; }},
        {"a stop timer of no time", kAsIs, {{"MSTOP_TIMER", "0"}}, 327, "Invalid stop timer.", kAsIs},
        {"the parity list holds three codes", kAsIs, {{"RS232C", "3,1,0,0,0"}, {"RS232C", "3,1,3,0,0"}}, 336,
         "Invalid parity.", [](SettingRecord& r) { r.Rs232Parity = 0; }},
        {"a load box past the load count", kAsIs, {{"SAVE_HARM1", "1,1,0,0"}}, 359,
         "Invalid harmonic output items.", kAsIs},
        {"a channel box the wiring lacks", kAsIs, {{"SAVE_HARM2", "1,1,1,1,1,1,1,1"}}, 359,
         "Invalid harmonic output items.", kAsIs},
        {"I4 alone closes the THD box", kAsIs, {{"SAVE_HARM2", "0,0,0,0,0,0,0,1"}, {"SAVE_HARM3", "1,1,1,1,0"}}, 359,
         "Invalid harmonic output items.", [](SettingRecord& r) { r.SaveHrmCh = {0, 0, 0, 0, 0, 0, 0, 1}; }},
        {"orders need the user's own selection", kAsIs, {{"SAVE_ORDER1", "1,1,1,1,1,1,1,1,1,1"}}, 359,
         "Invalid harmonic output items.", kAsIs},
        {"orders after selecting them", kAsIs, {{"SAVE_ORDER_SEL", "3"}, {"SAVE_ORDER1", "1,1,1,1,1,1,1,1,1,1"}}, 0,
         "", [](SettingRecord& r) { r.SaveHrmOrdSel = 3, std::fill_n(r.SaveHrmOrder.begin(), 10, 1); }},
        {"an unknown line", kAsIs, {{"WIRING", "0"}, {"FOO", "1"}}, 204, "Not setting file.",
         [](SettingRecord& r) { r.Wiring = 0, r.SaveHrmCh = {1, 0, 0, 1, 0, 0, 0, 1}; }},
    };
    for (const auto& c : cases) {
        SettingRecord record = factory();
        c.given(record);
        SettingRecord expected = record;
        c.expected(expected);
        messages.boxes.clear();
        std::int16_t code = 0;
        for (const auto& [key, value] : c.items)
            if ((code = ApplySettingChange(ctx, record, key, value)) != 0) break;
        EXPECT_EQ(code, c.code) << c.name;
        EXPECT_TRUE(record == expected) << c.name;
        if (c.code != 0) {
            EXPECT_EQ(messages.texts(), std::vector<std::string>{c.message}) << c.name;
        }
    }
}

// Every case on 3000A of channel 1, CT 9999.99, one load.
TEST_F(SettingChange, RefusesWhatTakesTheRatedPowerPast999Point9Terawatts) {
    const struct {
        Change given;
        const char* key;
        const char* value;
        std::int16_t code;
    } cases[] = {
        {[](SettingRecord& r) { r.Wiring = 5, r.URange = 3, r.Vt = 5000; }, "VT", "9999.99", 356},
        {[](SettingRecord& r) { r.Wiring = 5, r.URange = 3, r.Vt = 5000; }, "VT", "5000.01", 0},
        {[](SettingRecord& r) { r.Wiring = 5, r.URange = 2, r.Vt = 9999.99f; }, "U_RANGE", "3", 356},
        {[](SettingRecord& r) { r.URange = 3, r.Vt = 9000; }, "WIRING", "5", 356},
        {[](SettingRecord& r) { r.Wiring = 5, r.URange = 3, r.Vt = 9999.99f, r.ARange[0] = 18; }, "A_RANGE",
         "20,7,7,7", 356},
        {[](SettingRecord& r) { r.Wiring = 5, r.URange = 3, r.Vt = 1; }, "CT", "9999.99,1.00,1.00,1.00", 0},
    };
    for (const auto& c : cases) {
        SettingRecord record = factory();
        record.Clamp[0] = 5, record.ARange[0] = 20, record.Ct[0] = 9999.99f;
        c.given(record);
        const SettingRecord before = record;
        messages.boxes.clear();
        EXPECT_EQ(ApplySettingChange(ctx, record, c.key, c.value), c.code) << c.key << '=' << c.value;
        if (c.code != 0) {
            EXPECT_TRUE(record == before) << c.key;
        }
        EXPECT_EQ(messages.boxes.size(), c.code != 0 ? 1u : 0u) << c.key;
    }
}

// The box takes a dip of 5; a whole setting asks for at least 10.
TEST_F(SettingChange, LeavesTheWholeSettingToItsCheck) {
    SettingRecord record = factory();
    ASSERT_EQ(ApplySettingChange(ctx, record, "DIP", "5"), 0);
    EXPECT_EQ(CheckSettingRecord(ctx, record), 342);
}

TEST_F(SettingChange, KnowsTheItemLinesAndHowTheyAreSpelled) {
    EXPECT_TRUE(IsSettingItemKey("SAVE_ORDER_SEL"));
    for (const char* key : {"MODEL", "VERSION", "wiring", "FOO", ""}) EXPECT_FALSE(IsSettingItemKey(key)) << key;
    EXPECT_EQ(SettingLineValueCount("CT"), 4);
    EXPECT_EQ(SettingLineValueCount("MSTART_TIME"), 5);
    EXPECT_EQ(SettingLineValueCount("DAOUT4"), 5);
    EXPECT_EQ(SettingLineValueCount("INTERVAL"), 1);
    for (const auto& [key, value] : std::vector<std::pair<const char*, const char*>>{
             {"CT", "1,2,3,4"}, {"FILE", ""}, {"AVERAGING", "3"}, {"INTERVAL", " 13"}})
        EXPECT_TRUE(IsSettingLineValue(key, value)) << key << '=' << value;
    for (const auto& [key, value] : std::vector<std::pair<const char*, const char*>>{
             {"CT", "1,2,3"}, {"CT", "1,2,3,4,5"}, {"INTERVAL", "x"}, {"INTERVAL", "40000"},
             {"INTERVAL", "13\r\nDOUT 1"}, {"FILE", "AB,CD"}, {"VERSION", "1.00"}})
        EXPECT_FALSE(IsSettingLineValue(key, value)) << key << '=' << value;
}

}  // namespace
}  // namespace voltaro
