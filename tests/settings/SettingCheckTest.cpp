#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "app/DefaultSettings.h"
#include "settings/SettingCheck.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"

namespace voltaro {
namespace {

struct SettingCheck : ::testing::Test {
    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 3, 1, 12, 0, 0}};
    AppContext ctx{messages, clock};

    // The factory setting with a file name, which the factory leaves empty.
    static SettingRecord valid() {
        SettingRecord r = FactorySettings({2026, 3, 1, 12, 0, 0}, "/tmp/", 1);
        r.FileName = "DATA0001";
        return r;
    }
};

TEST_F(SettingCheck, EachRowReportsItsCodeOnceAndRowsEarlierInTheOrderWin) {
    using Change = std::function<void(SettingRecord&)>;
    const struct {
        const char* what;
        Change change;
        std::int16_t code;
    } cases[] = {
        {"nothing", [](SettingRecord&) {}, 0},
        {"wiring", [](SettingRecord& r) { r.Wiring = 8; }, 300},
        {"load for 3P3W2I", [](SettingRecord& r) { r.Load = 3; }, 301},
        {"four loads on 1P2W", [](SettingRecord& r) { r.Wiring = 0, r.Load = 4; }, 0},
        {"1P connect", [](SettingRecord& r) { r.Connect1P = 3; }, 302},
        {"U range", [](SettingRecord& r) { r.URange = 4; }, 303},
        {"A range before VT", [](SettingRecord& r) { r.ARange[3] = 21, r.Vt = 0; }, 304},
        {"VT below", [](SettingRecord& r) { r.Vt = 0.005f; }, 305},
        {"VT highest", [](SettingRecord& r) { r.Vt = 9999.99f; }, 0},
        {"VT just above in single precision", [](SettingRecord& r) { r.Vt = 9999.995f; }, 305},
        {"VT not a number", [](SettingRecord& r) { r.Vt = std::nanf(""); }, 305},
        {"CT", [](SettingRecord& r) { r.Ct[3] = 10000; }, 306},
        {"clamp", [](SettingRecord& r) { r.Clamp[1] = 10; }, 307},
        {"A range outside its clamp, after VT", [](SettingRecord& r) { r.ARange[0] = 14, r.Vt = 0; }, 305},
        {"A range outside its clamp", [](SettingRecord& r) { r.Clamp[2] = 4, r.ARange[2] = 18; }, 304},
        {"channel by channel", [](SettingRecord& r) { r.ARange[0] = 1, r.Clamp[1] = -1; }, 304},
        {"100mA within clamp 52170", [](SettingRecord& r) { r.Clamp[0] = 0, r.ARange[0] = 0; }, 0},
        {"var method", [](SettingRecord& r) { r.VarMethod = 2; }, 308},
        {"sampling", [](SettingRecord& r) { r.Sampling = 2; }, 309},
        {"fixed clock", [](SettingRecord& r) { r.FixClock = -1; }, 310},
        {"source", [](SettingRecord& r) { r.Source = 3; }, 311},
        {"filter", [](SettingRecord& r) { r.Filter = 2; }, 312},
        {"averaging", [](SettingRecord& r) { r.Average = 5; }, 313},
        {"energy digits", [](SettingRecord& r) { r.TotalWhDigit = 6; }, 314},
        {"energy unit", [](SettingRecord& r) { r.TotalWhUnit = 5; }, 315},
        {"interval energy digits", [](SettingRecord& r) { r.IntervalWhDigit = 6; }, 316},
        {"interval energy unit", [](SettingRecord& r) { r.IntervalWhUnit = 5; }, 317},
        {"THD", [](SettingRecord& r) { r.Thd = 2; }, 318},
        {"phase angle", [](SettingRecord& r) { r.HrmPA = 2; }, 319},
        {"graph order", [](SettingRecord& r) { r.GraphOrder = 2; }, 320},
        {"start method", [](SettingRecord& r) { r.StartMethod = 3; }, 321},
        {"29 February 2004", [](SettingRecord& r) { r.StartTime = {2004, 2, 29, 0, 0, 0}; }, 0},
        {"30 February 2004", [](SettingRecord& r) { r.StartTime = {2004, 2, 30, 0, 0, 0}; }, 322},
        {"29 February 2005", [](SettingRecord& r) { r.StartTime = {2005, 2, 29, 0, 0, 0}; }, 322},
        {"31 April", [](SettingRecord& r) { r.StartTime = {2026, 4, 31, 0, 0, 0}; }, 322},
        {"year 1999", [](SettingRecord& r) { r.StartTime[0] = 1999; }, 322},
        {"start hour", [](SettingRecord& r) { r.StartTime[3] = 24; }, 323},
        {"stop method", [](SettingRecord& r) { r.StopMethod = 4; }, 324},
        {"stop date", [](SettingRecord& r) { r.StopTime[1] = 13; }, 325},
        {"stop second", [](SettingRecord& r) { r.StopTime[5] = 60; }, 326},
        {"timer hours", [](SettingRecord& r) { r.StopTimer = {8785, 0, 0}; }, 327},
        {"no time on the timer", [](SettingRecord& r) { r.StopTimer = {0, 0, 0}; }, 0},
        {"longest timer", [](SettingRecord& r) { r.StopTimer = {8784, 0, 0}; }, 0},
        {"beyond the longest timer", [](SettingRecord& r) { r.StopTimer = {8784, 0, 1}; }, 327},
        {"... after the interval", [](SettingRecord& r) { r.StopTimer = {8784, 1, 0}, r.Interval = 17; }, 328},
        {"... after the file name", [](SettingRecord& r) { r.StopTimer = {8784, 1, 0}, r.FileName = "A"; }, 331},
        {"... before the save items", [](SettingRecord& r) { r.StopTimer = {8784, 1, 0}, r.SaveWh = 2; }, 327},
        {"stop at the start instant",
         [](SettingRecord& r) { r.StartMethod = r.StopMethod = 1, r.StopTime = r.StartTime; }, 325},
        {"stop a second later",
         [](SettingRecord& r) { r.StartMethod = r.StopMethod = 1, r.StopTime = r.StartTime, ++r.StopTime[5]; }, 0},
        {"earlier stop, manual start", [](SettingRecord& r) { r.StopMethod = 1, r.StopTime[0] = 2001; }, 0},
        {"interval", [](SettingRecord& r) { r.Interval = 17; }, 328},
        {"data save", [](SettingRecord& r) { r.DOut = 2; }, 329},
        {"file name too short", [](SettingRecord& r) { r.FileName = "DATA001"; }, 331},
        {"save flag", [](SettingRecord& r) { r.SaveMin = 2; }, 358},
        {"harmonic order flag", [](SettingRecord& r) { r.SaveHrmOrder[49] = 2; }, 359},
        {"order selection", [](SettingRecord& r) { r.SaveHrmOrdSel = 4; }, 332},
        {"RS-232 connect", [](SettingRecord& r) { r.Rs232Connect = 2; }, 333},
        {"printer copy to the PC", [](SettingRecord& r) { r.Copy = 2; }, 330},
        {"printer copy to a printer", [](SettingRecord& r) { r.Copy = 2, r.Rs232Connect = 1; }, 0},
        {"baud rate", [](SettingRecord& r) { r.Rs232Baud = 6; }, 334},
        {"data length", [](SettingRecord& r) { r.Rs232DataLen = 2; }, 335},
        {"parity", [](SettingRecord& r) { r.Rs232Parity = 3; }, 336},
        {"stop bit", [](SettingRecord& r) { r.Rs232StopBit = 2; }, 337},
        {"flow control", [](SettingRecord& r) { r.Rs232Flow = 4; }, 338},
        {"voltage quality", [](SettingRecord& r) { r.Detect = 2; }, 339},
        {"standard voltage", [](SettingRecord& r) { r.StdVolt = 17; }, 340},
        {"swell", [](SettingRecord& r) { r.Swell = 201; }, 341},
        {"dip the window takes", [](SettingRecord& r) { r.Dip = 5; }, 342},
        {"interruption", [](SettingRecord& r) { r.Interruption = 101; }, 343},
        {"hysteresis", [](SettingRecord& r) { r.Hysteresis = 11; }, 344},
        {"language", [](SettingRecord& r) { r.Language = 6; }, 345},
        {"beep", [](SettingRecord& r) { r.Beep = 2; }, 346},
        {"backlight", [](SettingRecord& r) { r.BackLight = 2; }, 347},
        {"ID", [](SettingRecord& r) { r.Id = 1000; }, 349},
        {"analog output kind", [](SettingRecord& r) { r.DaKind[0] = 7; }, 350},
        {"analog output item", [](SettingRecord& r) { r.DaItem[1] = 84; }, 351},
        {"analog output order", [](SettingRecord& r) { r.DaOrder[2] = 0; }, 352},
        {"analog output mag", [](SettingRecord& r) { r.DaMag[3] = 3; }, 353},
        {"analog output channels in turn", [](SettingRecord& r) { r.DaRate[0] = 7, r.DaKind[1] = 7; }, 354},
        {"analog input", [](SettingRecord& r) { r.AdRange[1] = 3; }, 355},
        // 3P4W, 1000V and 3kA on the last channel, whatever the load: 999.9 TW lies between these VTs.
        {"rated power within", [](SettingRecord& r) { r.Wiring = 5, r.URange = 3, r.Clamp[3] = 5, r.ARange[3] = 20,
                                                      r.Ct[3] = 9999.99f, r.Vt = 8546.16f; }, 0},
        {"rated power beyond", [](SettingRecord& r) { r.Wiring = 5, r.URange = 3, r.Clamp[3] = 5, r.ARange[3] = 20,
                                                      r.Ct[3] = 9999.99f, r.Vt = 8546.17f; }, 356},
    };
    for (const auto& c : cases) {
        messages.boxes.clear();
        SettingRecord r = valid();
        c.change(r);
        EXPECT_EQ(CheckSettingRecord(ctx, r), c.code) << c.what;
        const std::vector<std::string> expected{ctx.catalogue.codeText(c.code)};
        EXPECT_EQ(messages.texts(), c.code == 0 ? std::vector<std::string>{} : expected) << c.what;
    }
}

TEST_F(SettingCheck, StopMethodTwoPassesAsTheTimer) {
    SettingRecord r = valid();
    r.StopMethod = 2;
    EXPECT_EQ(CheckSettingRecord(ctx, r), 0);
    EXPECT_EQ(r.StopMethod, 3);
}

}  // namespace
}  // namespace voltaro
