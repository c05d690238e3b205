#include "app/DefaultSettings.h"

namespace voltaro {

namespace {

constexpr int kJapaneseLanguageLabel = 2802;
constexpr std::string_view kJapaneseWordForJapanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";
constexpr std::int16_t kJapanese = 0;
constexpr std::int16_t kEnglish = 1;
constexpr int kStopTimeAfterStartMinutes = 30;

std::array<std::int16_t, 6> calendarFields(const LocalDateTime& t) {
    return {static_cast<std::int16_t>(t.year), static_cast<std::int16_t>(t.month), static_cast<std::int16_t>(t.day),
            static_cast<std::int16_t>(t.hour), static_cast<std::int16_t>(t.minute), 0};
}

}  // namespace

PcSettings FactoryPcSettings(const std::string& appPath) {
    PcSettings pc;
    pc.CommPort = {.PcComPort = 1, .PcBaud = 3, .PcDataBits = 8, .PcParity = 2, .PcStopBits = 1, .PcFlow = 0};
    pc.TransSaveData = 1;
    pc.TransSavePath = appPath;
    pc.TransExcel = 0;
    pc.TransMedia = 0;
    pc.ConvInputPath = appPath;
    pc.ConvOutputPath = appPath;
    pc.DivideInputFile = appPath;
    pc.DivideOutputPath = appPath;
    pc.DivideMode = 0;
    pc.DivideRows = 2000;
    pc.DivideCols = 255;
    return pc;
}

std::int16_t DefaultLanguage(const Catalogue& catalogue) {
    return catalogue.text(kJapaneseLanguageLabel) == kJapaneseWordForJapanese ? kJapanese : kEnglish;
}

SettingRecord FactorySettings(const LocalDateTime& now, const std::string& appPath, std::int16_t language) {
    SettingRecord r;
    r.Version = "0.01";
    r.Wiring = 3;
    r.Load = 1;
    r.Connect1P = 0;
    r.URange = 0;
    r.ARange = {7, 7, 7, 7};
    r.Vt = 1.0f;
    r.Ct = {1.0f, 1.0f, 1.0f, 1.0f};
    r.Clamp = {2, 2, 2, 2};
    r.VarMethod = 0;
    r.Sampling = 0;
    r.FixClock = 0;
    r.Source = 0;
    r.Filter = 0;
    r.Average = 0;
    r.TotalWhDigit = 0;
    r.TotalWhUnit = 2;
    r.IntervalWhDigit = 0;
    r.IntervalWhUnit = 2;
    r.Thd = 0;
    r.HrmPA = 0;
    r.GraphOrder = 0;
    r.StartMethod = 0;
    r.StartTime = calendarFields(now);
    r.StopMethod = 0;
    r.StopTime = calendarFields(AddMinutes(now, kStopTimeAfterStartMinutes));
    r.StopTimer = {0, 30, 0};
    r.Interval = 15;
    r.DOut = 0;
    r.Copy = 0;
    r.FileName = kFactoryFileName;
    r.SaveNormal = 1;
    r.SaveWh = 1;
    r.SaveHrm = 1;
    r.SaveWave = 1;
    r.SaveInstant = 1;
    r.SaveAve = 1;
    r.SaveMax = 1;
    r.SaveMin = 1;
    r.SaveHrmLoad = {1, 0, 0, 0};
    r.SaveHrmCh = {1, 1, 1, 1, 1, 1, 0, 1};
    r.SaveHrmItem = {1, 1, 1, 1, 1};
    r.SaveHrmOrdSel = 1;
    for (std::size_t k = 0; k < r.SaveHrmOrder.size(); ++k) r.SaveHrmOrder[k] = k % 2 == 0 ? 1 : 0;  // odd orders
    r.Rs232Connect = 0;
    r.Rs232Baud = 3;
    r.Rs232DataLen = 1;
    r.Rs232Parity = 2;
    r.Rs232StopBit = 0;
    r.Rs232Flow = 0;
    r.Detect = 0;
    r.StdVolt = 0;
    r.Swell = 110;
    r.Dip = 90;
    r.Interruption = 10;
    r.Hysteresis = 1;
    r.Language = language;
    r.Beep = 1;
    r.BackLight = 1;
    r.Contrast = 4;
    r.Id = 1;
    r.SysDate = {r.StartTime[0], r.StartTime[1], r.StartTime[2]};
    r.SysTime = {r.StartTime[3], r.StartTime[4], r.StartTime[5]};
    r.DaKind = {0, 0, 0, 0};
    r.DaItem = {0, 4, 15, 19};
    r.DaOrder = {1, 1, 1, 1};
    r.DaMag = {0, 0, 0, 0};
    r.DaRate = {0, 0, 0, 0};
    r.AdRange = {0, 0};
    r.Pc = FactoryPcSettings(appPath);
    return r;
}

void SetDefaultSettings(AppContext& ctx) {
    SettingRecord factory = FactorySettings(ctx.clock.now(), ctx.AppPath, DefaultLanguage(ctx.catalogue));
    if (ctx.OperationMode == operation_mode::SystemReset) {
        const SettingRecord& kept = ctx.CurrentSetting;
        factory.Language = kept.Language;
        factory.Id = kept.Id;
        factory.SysDate = kept.SysDate;
        factory.SysTime = kept.SysTime;
        factory.Pc = kept.Pc;
    }
    ctx.CurrentSetting = std::move(factory);
}

}  // namespace voltaro
