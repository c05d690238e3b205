#include "settings/SettingSend.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "app/ErrorReporting.h"
#include "app/TextTools.h"
#include "link/MeterChecks.h"
#include "settings/CodeTables.h"
#include "settings/SettingCheck.h"
#include "settings/SettingCompare.h"
#include "settings/SettingReceive.h"

namespace voltaro {

namespace {

using Int16 = std::int16_t;

constexpr int kChannels = 4;
constexpr int kAdInputs = 2;
constexpr int kTimePasses = 2;
constexpr int kFirstOrderField = 2;
constexpr int kLastOrderField = 8;
constexpr int kOrdersPerField = 8;
// Order selection index -> the meter's selection field.
constexpr std::array<std::string_view, 4> kOrderSelection{"4", "2", "1", "0"};

std::string Decimal(int value) { return std::to_string(value); }

// Values joined by commas, each in decimal.
std::string Joined(std::span<const Int16> values) {
    std::string text;
    for (const Int16 value : values) {
        if (!text.empty()) text += ',';
        text += Decimal(value);
    }
    return text;
}

// Sum of 2^i for each set flag i, counting the flags as the numbers they hold.
int Weighted(std::span<const Int16> flags) {
    int sum = 0;
    for (std::size_t i = 0; i < flags.size(); ++i) sum += flags[i] * (1 << i);
    return sum;
}

// The channel's number (1..4) and a comma, for the commands that set one channel at a time.
std::string ChannelPrefix(int channel) { return Decimal(channel + 1) + ','; }

// Year, month, day, hour and minute: the meter keeps no seconds for a start or stop.
std::string MomentText(const std::array<Int16, 6>& time) { return Joined(std::span(time).first(5)); }

struct ClockText {
    std::string date;
    std::string time;
};

ClockText MeterClock(const SettingRecord& r, const std::optional<LocalDateTime>& pcClock) {
    if (!pcClock) return {Joined(r.SysDate), Joined(r.SysTime)};
    const LocalDateTime& c = *pcClock;
    return {Decimal(c.year) + ',' + Decimal(c.month) + ',' + Decimal(c.day),
            Decimal(c.hour) + ',' + Decimal(c.minute) + ',' + Decimal(c.second)};
}

// The set commands for `r`, in the order the meter is to take them.
std::vector<std::string> SetCommands(const SettingRecord& r, const std::optional<LocalDateTime>& pcClock) {
    std::vector<std::string> commands;
    const auto add = [&commands](std::string_view mnemonic, const std::string& argument) {
        commands.push_back(std::string(mnemonic) + argument);
    };
    add(":WIRI ", IndexToWiring(r.Wiring));
    add(":LOAD ", Decimal(r.Load));
    add(":1PCO ", IndexToConnect(r.Connect1P));
    add(":VOLT:RANG ", IndexToURange(r.URange));
    add(":VT ", DecimalText(r.Vt));
    for (int n = 0; n < kChannels; ++n) add(":CLAM ", ChannelPrefix(n) + IndexToClamp(r.Clamp[n]));
    // The meter spells the kilo-ampere ranges in capitals ("1KA"), in both directions.
    for (int n = 0; n < kChannels; ++n)
        add(":CURR:RANG ", ChannelPrefix(n) + UpperCaseAscii(IndexToARange(r.ARange[n])));
    for (int n = 0; n < kChannels; ++n) add(":CT ", ChannelPrefix(n) + DecimalText(r.Ct[n]));
    add(":OPER ", Decimal(r.VarMethod));
    add(":SAMP ", IndexToSampling(r.Sampling));
    add(":FREQ ", IndexToFixClock(r.FixClock));
    add(":SOUR ", IndexToSource(r.Source));
    add(":FILT ", Decimal(r.Filter));
    Int16 average = r.Average;
    add(":AVER ", IndexToAverage(average));
    add(":WH:TOTA:DIGI ", IndexToWhDigit(r.TotalWhDigit));
    add(":WH:TOTA:UNIT ", IndexToWhUnit(r.TotalWhUnit));
    add(":WH:INTE:DIGI ", IndexToWhDigit(r.IntervalWhDigit));
    add(":WH:INTE:UNIT ", IndexToWhUnit(r.IntervalWhUnit));
    add(":THD ", IndexToThd(r.Thd));
    add(":HPA ", Decimal(r.HrmPA));
    add(":ORDE ", IndexToGraphOrder(r.GraphOrder));
    add(":STAR:METH ", IndexToMethod(r.StartMethod));
    add(":STOP:METH ", IndexToMethod(r.StopMethod));
    // The start and stop times go out twice: the meter may refuse a start after the
    // stop it still holds, or a stop before the start it still holds, on the first pass.
    for (int pass = 0; pass < kTimePasses; ++pass) {
        if (r.StartMethod == method_code::Time) add(":STAR:TIME ", MomentText(r.StartTime));
        if (r.StopMethod == method_code::Time) add(":STOP:TIME ", MomentText(r.StopTime));
    }
    if (r.StopMethod == method_code::Timer) add(":TIME ", Joined(r.StopTimer));
    add(":INTE ", IndexToInterval(r.Interval, IntervalSpelling::Set));
    add(":DOUT:MEDI ", IndexToMedia(r.DOut));
    add(":DOUT:COPY:MEDI ", IndexToCopyMedia(r.Copy));
    add(":FILE:MEAS ", r.FileName);
    add(":DOUT:ITEM1 ", SaveItem1Mask(r));
    add(":DOUT:ITEM2 ", SaveItem2Mask(r));
    add(":DOUT:ITEM3 ", SaveItem3Mask(r));
    add(":DOUT:ITEM4 ", SaveItem4Mask(r));
    std::string item5 = SaveItem5Field(r, 1);
    for (int field = kFirstOrderField; field <= kLastOrderField; ++field) item5 += ',' + SaveItem5Field(r, field);
    add(":DOUT:ITEM5 ", item5);
    add(":DOUT:WAVE ", Decimal(r.SaveWave));
    add(":VDET:MEAS ", Decimal(r.Detect));
    add(":STDV ", IndexToStdVolt(r.StdVolt));
    add(":THRE:SWEL ", Decimal(r.Swell));
    add(":THRE:DIP ", Decimal(r.Dip));
    add(":THRE:INTE ", Decimal(r.Interruption));
    add(":HYST ", Decimal(r.Hysteresis));
    add(":LANG ", IndexToLanguage(r.Language));
    add(":BEEP ", Decimal(r.Beep));
    add(":CONT ", Decimal(r.Contrast));
    add(":ID ", Decimal(r.Id));
    const ClockText clock = MeterClock(r, pcClock);
    add(":SYST:DATE ", clock.date);
    add(":SYST:TIME ", clock.time);
    for (int n = 0; n < kChannels; ++n) add(":AOUT:CH" + Decimal(n + 1) + ' ', AnalogOutputArgument(r, n));
    for (int n = 0; n < kAdInputs; ++n) add(":AINP:CH" + Decimal(n + 1) + ' ', IndexToAdRange(r.AdRange[n]));
    return commands;
}

// The exchange inside the open port. After a failure on the way the meter is left on
// its setting screen with headers off.
bool WriteSetting(Link& link, const SettingRecord& record, bool pcTime) {
    AppContext& ctx = link.context();
    if (link.SendCommand(":COMM:HEAD OFF") != 0 || CheckMeterReady(link) != 0 || CheckSettingAccepted(link) != 0 ||
        SwitchToSettingScreen(link, 0) != 0)
        return false;
    const std::optional<LocalDateTime> pcClock = pcTime ? std::optional(ctx.clock.now()) : std::nullopt;
    for (const std::string& command : SetCommands(record, pcClock))
        if (link.SendCommand(command) != 0) return false;
    return link.SendCommand(":DISP:MODE " + ctx.SavedDisplayMode) == 0 && link.SendCommand(":COMM:HEAD ON") == 0;
}

}  // namespace

std::string DecimalText(float value) {
    // Room for any single in fixed notation: 39 digits before the point, 45 after.
    std::array<char, 96> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return std::string(text.data(), result.ptr);
}

std::string SaveItem1Mask(const SettingRecord& r) {
    int mask = r.SaveNormal + 2 * r.SaveWh;
    if (r.SaveHrm == 1) mask += 4 * Weighted(r.SaveHrmItem);
    return Decimal(mask);
}

std::string SaveItem2Mask(const SettingRecord& r) {
    return Decimal(Weighted(std::array{r.SaveInstant, r.SaveAve, r.SaveMax, r.SaveMin}));
}

std::string SaveItem3Mask(const SettingRecord& r) { return Decimal(Weighted(r.SaveHrmLoad)); }

std::string SaveItem4Mask(const SettingRecord& r) { return Decimal(Weighted(r.SaveHrmCh)); }

std::string SaveItem5Field(const SettingRecord& r, int field) {
    if (field == 1)
        return std::string(r.SaveHrmOrdSel >= 0 && r.SaveHrmOrdSel < std::ssize(kOrderSelection)
                               ? kOrderSelection[r.SaveHrmOrdSel]
                               : kOrderSelection.back());
    if (field < kFirstOrderField || field > kLastOrderField) return "0";
    const std::span<const Int16> orders(r.SaveHrmOrder);
    const std::size_t first = static_cast<std::size_t>(field - kFirstOrderField) * kOrdersPerField;
    return Decimal(Weighted(orders.subspan(first, std::min<std::size_t>(kOrdersPerField, orders.size() - first))));
}

std::string AnalogOutputArgument(const SettingRecord& r, int channel) {
    // The item is "element,quantity"; the kind goes between the two.
    const std::string item = IndexToDaItem(r.DaItem[channel]);
    const std::size_t split = std::min<std::size_t>(2, item.size());
    return item.substr(0, split) + Decimal(r.DaKind[channel]) + ',' + item.substr(split) + ',' +
           Decimal(r.DaOrder[channel]) + ',' + IndexToDaMag(r.DaMag[channel]) + ',' + IndexToDaRate(r.DaRate[channel]);
}

std::int16_t SettingComWrite2(Link& link, const SettingRecord& record, bool pcTime) {
    if (link.OpenCommPort(record.Pc) != 0) return kAlreadyReported;
    const bool written = WriteSetting(link, record, pcTime);
    link.CloseCommPort();
    return written ? 0 : kAlreadyReported;
}

std::int16_t SendProcedure(Link& link, SettingRecord sent, bool pcTime) {
    AppContext& ctx = link.context();
    if (CheckSettingRecord(ctx, sent) != 0) return kAlreadyReported;
    if (const std::int16_t status = SettingComWrite2(link, sent, pcTime); status != 0) return status;
    SettingRecord readBack = ctx.CurrentSetting;
    ctx.OperationMode = operation_mode::ReadingBackSetting;
    const std::int16_t status = SettingComRead2(link, readBack);
    ctx.OperationMode = operation_mode::Idle;
    if (status != 0) return status;
    if (const std::int16_t code = CompareSetting(sent, readBack, ctx.CurrentSetting, pcTime); code != 0) {
        // Put the meter back to what it held before; its own failure is reported by itself.
        SettingComWrite2(link, ctx.CurrentSetting, pcTime);
        ShowErrorMessage(ctx, kErrKindApplication, code);
        return code;
    }
    ctx.CurrentSetting = std::move(sent);
    ctx.CurrentSetting.Version = ctx.MeterVersion;
    return 0;
}

std::int16_t SendOverMetersSetting(Link& link, SettingRecord sent, bool pcTime, bool keepMeterClock) {
    AppContext& ctx = link.context();
    if (CheckSettingRecord(ctx, sent) != 0) return kAlreadyReported;
    SettingRecord held = ctx.CurrentSetting;
    if (SettingComRead2(link, held) != 0) return kAlreadyReported;
    if (keepMeterClock) {
        sent.SysDate = held.SysDate;
        sent.SysTime = held.SysTime;
    }
    SettingRecord before = std::exchange(ctx.CurrentSetting, std::move(held));
    const std::int16_t status = SendProcedure(link, std::move(sent), pcTime);
    if (status != 0) ctx.CurrentSetting = std::move(before);
    return status;
}

}  // namespace voltaro
