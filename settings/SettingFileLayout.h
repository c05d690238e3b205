#pragma once

#include <array>
#include <span>
#include <string_view>

namespace voltaro::setting_file {

// How the fields of a setting file are spelled. A plain 16-bit field is a whole number, a
// single-precision one a ratio with two decimals, a span one field per element; the
// wrappers below mark the rest. They hold references, so one list serves the writer
// (over a const record) and the reader. The deduction guides are for compilers that do
// not deduce an aggregate's arguments by themselves (clang before 17).

inline constexpr std::string_view kModel = "ZR915";
inline constexpr std::string_view kFileType = "T100";
inline constexpr std::string_view kWrittenVersion = "9.98";
inline constexpr int kFirstYearOfCentury = 2000;

// A fixed name, compared without regard to letter case; on the first line the key
// too.
struct FixedName {
    std::string_view name;
};

// The version: the writer writes its own, the reader keeps the file's.
template <typename Text>
struct VersionText {
    Text& version;
};
template <typename Text>
VersionText(Text&) -> VersionText<Text>;

// A text as it is, possibly empty.
template <typename Text>
struct PlainText {
    Text& text;
};
template <typename Text>
PlainText(Text&) -> PlainText<Text>;

// A whole number with at least `digits` digits, zeros in front.
template <typename Int>
struct ZeroPadded {
    Int& value;
    int digits;
};
template <typename Int>
ZeroPadded(Int&, int) -> ZeroPadded<Int>;

// The averaging index, spelled as the count of averaged values.
template <typename Int>
struct AveragingCount {
    Int& index;
};
template <typename Int>
AveragingCount(Int&) -> AveragingCount<Int>;

// Year, month, day, hour and minute of a calendar time: the year as two digits counted
// from 2000, month, day and minute with two digits, the hour plain. Seconds are left out.
template <typename Time>
struct CalendarMinute {
    Time& time;
};
template <typename Time>
CalendarMinute(Time&) -> CalendarMinute<Time>;

// Hours, minutes and seconds as one count of seconds.
template <typename Timer>
struct TimerSeconds {
    Timer& timer;
};
template <typename Timer>
TimerSeconds(Timer&) -> TimerSeconds<Timer>;

// The harmonic order selection, which files of some versions do not have (see the
// reader); `version` is the version read before it.
template <typename Int, typename Text>
struct OrderSelection {
    Int& selection;
    const Text& version;
};
template <typename Int, typename Text>
OrderSelection(Int&, const Text&) -> OrderSelection<Int, Text>;

inline constexpr std::array<std::string_view, 5> kOrderKeys{
    "SAVE_ORDER1", "SAVE_ORDER2", "SAVE_ORDER3", "SAVE_ORDER4", "SAVE_ORDER5"};
inline constexpr std::size_t kOrdersPerLine = 10;
inline constexpr std::array<std::string_view, 4> kAnalogOutputKeys{"DAOUT1", "DAOUT2", "DAOUT3", "DAOUT4"};

// Calls line(key, fields...) for every line of the file, in file order.
template <typename Record, typename Line>
void ForEachLine(Record& r, Line&& line) {
    line("MODEL", FixedName{kModel}, FixedName{kFileType});
    line("VERSION", VersionText{r.Version});
    line("ID", ZeroPadded{r.Id, 3});
    line("WIRING", r.Wiring);
    line("LOAD", r.Load);
    line("SAMPLING", r.Sampling);
    line("1P3W_CONNECT", r.Connect1P);
    line("VAR_METHOD", r.VarMethod);
    line("FREQUENCY", r.FixClock);
    line("AVERAGING", AveragingCount{r.Average});
    line("U_RANGE", r.URange);
    line("VT", r.Vt);
    line("A_RANGE", std::span(r.ARange));
    line("CT", std::span(r.Ct));
    line("CLAMP", std::span(r.Clamp));
    line("MSTART_METHOD", r.StartMethod);
    line("MSTART_TIME", CalendarMinute{r.StartTime});
    line("MSTOP_METHOD", r.StopMethod);
    line("MSTOP_TIME", CalendarMinute{r.StopTime});
    line("MSTOP_TIMER", TimerSeconds{r.StopTimer});
    line("INTERVAL", r.Interval);
    line("DOUT", r.DOut);
    line("CONNECT", r.Rs232Connect);
    line("FILE", PlainText{r.FileName});
    line("COPY", r.Copy);
    line("SAVE1", r.SaveNormal, r.SaveWh, r.SaveHrm, r.SaveWave);
    line("SAVE2", r.SaveInstant, r.SaveAve, r.SaveMax, r.SaveMin);
    line("SAVE_HARM1", std::span(r.SaveHrmLoad));
    line("SAVE_HARM2", std::span(r.SaveHrmCh));
    line("SAVE_HARM3", std::span(r.SaveHrmItem));
    for (std::size_t k = 0; k < kOrderKeys.size(); ++k)
        line(kOrderKeys[k], std::span(r.SaveHrmOrder).subspan(k * kOrdersPerLine, kOrdersPerLine));
    line("TOTAL_WH", r.TotalWhDigit, r.TotalWhUnit);
    line("INTERVAL_WH", r.IntervalWhDigit, r.IntervalWhUnit);
    line("RS232C", r.Rs232Baud, r.Rs232DataLen, r.Rs232Parity, r.Rs232StopBit, r.Rs232Flow);
    line("THD", r.Thd);
    line("HRM_PA", r.HrmPA);
    line("ORDER", r.GraphOrder);
    line("BACKLIGHT", r.BackLight);
    line("BEEP", r.Beep);
    line("LANGUAGE", r.Language);
    line("DETECT", r.Detect);
    line("STD_VOLT", r.StdVolt);
    line("HYSTERESIS", r.Hysteresis);
    line("SWELL", r.Swell);
    line("DIP", r.Dip);
    line("INTERRUPTION", r.Interruption);
    line("SOURCE", r.Source);
    line("FILTER", r.Filter);
    line("CONTRAST", r.Contrast);
    for (std::size_t ch = 0; ch < kAnalogOutputKeys.size(); ++ch)
        line(kAnalogOutputKeys[ch], r.DaKind[ch], r.DaItem[ch], r.DaOrder[ch], r.DaMag[ch], r.DaRate[ch]);
    line("ADINP", std::span(r.AdRange));
    line("SAVE_ORDER_SEL", OrderSelection{r.SaveHrmOrdSel, r.Version});
}

}  // namespace voltaro::setting_file
