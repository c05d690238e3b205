#include "sim/MeterSettings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <span>
#include <vector>

#include "settings/CodeTables.h"
#include "settings/SettingSend.h"

namespace voltaro::sim {

namespace {

using Int16 = std::int16_t;

enum class Shape {
    Whole,       // the argument is the whole value
    PerChannel,  // "n,value" sets channel n of four
};

enum class Spelling {
    AsSent,    // numbers and the file name
    Capitals,  // tokens: the meter reports them in capitals ("1KA", "1H", "1,WH+")
    Hertz,     // the frequency is reported without its unit
};

constexpr int kChannels = 4;

struct Item {
    std::string_view header;
    Shape shape;
    Spelling spelling;
    // The item's value in a setting record, spelled as the PC sends it.
    std::string (*factory)(const SettingRecord&);
};

std::string Decimal(int value) { return std::to_string(value); }

template <typename Range, typename Format>
std::string Joined(const Range& values, Format format) {
    std::string out;
    for (const auto& value : values) {
        if (!out.empty()) out += ',';
        out += format(value);
    }
    return out;
}

std::string Decimals(std::span<const Int16> values) { return Joined(values, Decimal); }

// The order selection and the seven order masks.
std::string SaveItem5(const SettingRecord& r) {
    constexpr std::array kFields{1, 2, 3, 4, 5, 6, 7, 8};
    return Joined(kFields, [&r](int field) { return SaveItem5Field(r, field); });
}

std::string Averaging(const SettingRecord& r) {
    Int16 index = r.Average;
    return IndexToAverage(index);
}

// The setting items in the order the PC reads them.
constexpr Item kItems[] = {
    {":WIRI", Shape::Whole, Spelling::Capitals, [](const SettingRecord& r) { return IndexToWiring(r.Wiring); }},
    {":LOAD", Shape::Whole, Spelling::AsSent, [](const SettingRecord& r) { return Decimal(r.Load); }},
    {":1PCO", Shape::Whole, Spelling::Capitals, [](const SettingRecord& r) { return IndexToConnect(r.Connect1P); }},
    {":VOLT:RANG", Shape::Whole, Spelling::Capitals, [](const SettingRecord& r) { return IndexToURange(r.URange); }},
    {":VT", Shape::Whole, Spelling::AsSent, [](const SettingRecord& r) { return DecimalText(r.Vt); }},
    {":CLAM", Shape::PerChannel, Spelling::Capitals,
     [](const SettingRecord& r) { return Joined(r.Clamp, IndexToClamp); }},
    {":CURR:RANG", Shape::PerChannel, Spelling::Capitals,
     [](const SettingRecord& r) { return Joined(r.ARange, IndexToARange); }},
    {":CT", Shape::PerChannel, Spelling::AsSent, [](const SettingRecord& r) { return Joined(r.Ct, DecimalText); }},
    {":OPER", Shape::Whole, Spelling::AsSent, [](const SettingRecord& r) { return Decimal(r.VarMethod); }},
    {":SAMP", Shape::Whole, Spelling::Capitals, [](const SettingRecord& r) { return IndexToSampling(r.Sampling); }},
    {":FREQ", Shape::Whole, Spelling::Hertz, [](const SettingRecord& r) { return IndexToFixClock(r.FixClock); }},
    {":SOUR", Shape::Whole, Spelling::Capitals, [](const SettingRecord& r) { return IndexToSource(r.Source); }},
    {":FILT", Shape::Whole, Spelling::AsSent, [](const SettingRecord& r) { return Decimal(r.Filter); }},
    {":AVER", Shape::Whole, Spelling::AsSent, Averaging},
    {":WH:TOTA:DIGI", Shape::Whole, Spelling::Capitals,
     [](const SettingRecord& r) { return IndexToWhDigit(r.TotalWhDigit); }},
    {":WH:TOTA:UNIT", Shape::Whole, Spelling::Capitals,
     [](const SettingRecord& r) { return IndexToWhUnit(r.TotalWhUnit); }},
    {":WH:INTE:DIGI", Shape::Whole, Spelling::Capitals,
     [](const SettingRecord& r) { return IndexToWhDigit(r.IntervalWhDigit); }},
    {":WH:INTE:UNIT", Shape::Whole, Spelling::Capitals,
     [](const SettingRecord& r) { return IndexToWhUnit(r.IntervalWhUnit); }},
    {":THD", Shape::Whole, Spelling::Capitals, [](const SettingRecord& r) { return IndexToThd(r.Thd); }},
    {":HPA", Shape::Whole, Spelling::AsSent, [](const SettingRecord& r) { return Decimal(r.HrmPA); }},
    {":ORDE", Shape::Whole, Spelling::Capitals, [](const SettingRecord& r) { return IndexToGraphOrder(r.GraphOrder); }},
    {":STAR:METH", Shape::Whole, Spelling::Capitals,
     [](const SettingRecord& r) { return IndexToMethod(r.StartMethod); }},
    {":STOP:METH", Shape::Whole, Spelling::Capitals,
     [](const SettingRecord& r) { return IndexToMethod(r.StopMethod); }},
    {":STAR:TIME", Shape::Whole, Spelling::AsSent,
     [](const SettingRecord& r) { return Decimals(std::span(r.StartTime).first(5)); }},
    {":STOP:TIME", Shape::Whole, Spelling::AsSent,
     [](const SettingRecord& r) { return Decimals(std::span(r.StopTime).first(5)); }},
    {":TIME", Shape::Whole, Spelling::AsSent, [](const SettingRecord& r) { return Decimals(r.StopTimer); }},
    {":INTE", Shape::Whole, Spelling::Capitals,
     [](const SettingRecord& r) { return IndexToInterval(r.Interval, IntervalSpelling::Set); }},
    {":DOUT:MEDI", Shape::Whole, Spelling::Capitals, [](const SettingRecord& r) { return IndexToMedia(r.DOut); }},
    {":DOUT:COPY:MEDI", Shape::Whole, Spelling::Capitals,
     [](const SettingRecord& r) { return IndexToCopyMedia(r.Copy); }},
    {":FILE:MEAS", Shape::Whole, Spelling::AsSent, [](const SettingRecord& r) { return r.FileName; }},
    {":DOUT:ITEM1", Shape::Whole, Spelling::AsSent, SaveItem1Mask},
    {":DOUT:ITEM2", Shape::Whole, Spelling::AsSent, SaveItem2Mask},
    {":DOUT:ITEM3", Shape::Whole, Spelling::AsSent, SaveItem3Mask},
    {":DOUT:ITEM4", Shape::Whole, Spelling::AsSent, SaveItem4Mask},
    {":DOUT:ITEM5", Shape::Whole, Spelling::AsSent, SaveItem5},
    {":DOUT:WAVE", Shape::Whole, Spelling::AsSent, [](const SettingRecord& r) { return Decimal(r.SaveWave); }},
    {":VDET:MEAS", Shape::Whole, Spelling::AsSent, [](const SettingRecord& r) { return Decimal(r.Detect); }},
    {":STDV", Shape::Whole, Spelling::Capitals, [](const SettingRecord& r) { return IndexToStdVolt(r.StdVolt); }},
    {":THRE:SWEL", Shape::Whole, Spelling::AsSent, [](const SettingRecord& r) { return Decimal(r.Swell); }},
    {":THRE:DIP", Shape::Whole, Spelling::AsSent, [](const SettingRecord& r) { return Decimal(r.Dip); }},
    {":THRE:INTE", Shape::Whole, Spelling::AsSent, [](const SettingRecord& r) { return Decimal(r.Interruption); }},
    {":HYST", Shape::Whole, Spelling::AsSent, [](const SettingRecord& r) { return Decimal(r.Hysteresis); }},
    {":LANG", Shape::Whole, Spelling::Capitals, [](const SettingRecord& r) { return IndexToLanguage(r.Language); }},
    {":BEEP", Shape::Whole, Spelling::AsSent, [](const SettingRecord& r) { return Decimal(r.Beep); }},
    {":CONT", Shape::Whole, Spelling::AsSent, [](const SettingRecord& r) { return Decimal(r.Contrast); }},
    {":ID", Shape::Whole, Spelling::AsSent, [](const SettingRecord& r) { return Decimal(r.Id); }},
    {":SYST:DATE", Shape::Whole, Spelling::AsSent, [](const SettingRecord& r) { return Decimals(r.SysDate); }},
    {":SYST:TIME", Shape::Whole, Spelling::AsSent, [](const SettingRecord& r) { return Decimals(r.SysTime); }},
    {":AOUT:CH1", Shape::Whole, Spelling::Capitals, [](const SettingRecord& r) { return AnalogOutputArgument(r, 0); }},
    {":AOUT:CH2", Shape::Whole, Spelling::Capitals, [](const SettingRecord& r) { return AnalogOutputArgument(r, 1); }},
    {":AOUT:CH3", Shape::Whole, Spelling::Capitals, [](const SettingRecord& r) { return AnalogOutputArgument(r, 2); }},
    {":AOUT:CH4", Shape::Whole, Spelling::Capitals, [](const SettingRecord& r) { return AnalogOutputArgument(r, 3); }},
    {":AINP:CH1", Shape::Whole, Spelling::Capitals,
     [](const SettingRecord& r) { return IndexToAdRange(r.AdRange[0]); }},
    {":AINP:CH2", Shape::Whole, Spelling::Capitals,
     [](const SettingRecord& r) { return IndexToAdRange(r.AdRange[1]); }},
};

// What a reset leaves as it was.
constexpr std::string_view kKeptByReset[] = {":LANG", ":ID", ":SYST:DATE", ":SYST:TIME"};

const Item* FindItem(std::string_view header) {
    const auto* item =
        std::find_if(std::begin(kItems), std::end(kItems), [header](const Item& i) { return i.header == header; });
    return item == std::end(kItems) ? nullptr : item;
}

std::string Respelled(std::string value, Spelling spelling) {
    switch (spelling) {
        case Spelling::AsSent:
            break;
        case Spelling::Capitals:
            std::transform(value.begin(), value.end(), value.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
            break;
        case Spelling::Hertz:
            if (value.ends_with("Hz")) value.resize(value.size() - 2);
            break;
    }
    return value;
}

// The channel list with channel `index` replaced.
std::string WithChannel(std::string_view list, std::size_t index, std::string field) {
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = list.find(',', start);
        fields.emplace_back(list.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    fields.resize(kChannels);
    fields[index] = std::move(field);
    return Joined(fields, [](const std::string& f) { return f; });
}

std::optional<int> Channel(std::string_view digits) {
    int channel = 0;
    const auto parsed = std::from_chars(digits.data(), digits.data() + digits.size(), channel);
    if (parsed.ec != std::errc{} || parsed.ptr != digits.data() + digits.size()) return std::nullopt;
    if (channel < 1 || channel > kChannels) return std::nullopt;
    return channel;
}

}  // namespace

MeterSettings::MeterSettings(const SettingRecord& factory) {
    for (const Item& item : kItems)
        replies_[std::string(item.header)] = Respelled(item.factory(factory), item.spelling);
}

std::optional<std::string> MeterSettings::query(std::string_view header) const {
    const auto found = replies_.find(header);
    if (found == replies_.end()) return std::nullopt;
    return found->second;
}

bool MeterSettings::set(std::string_view header, std::string_view argument) {
    const Item* item = FindItem(header);
    if (item == nullptr) return false;
    std::string& reply = replies_.find(header)->second;
    if (item->shape == Shape::Whole) {
        reply = Respelled(std::string(argument), item->spelling);
        return true;
    }
    // "n,value" with n = 1..4; the meter ignores any other channel.
    const std::size_t comma = argument.find(',');
    if (comma == std::string_view::npos) return true;
    if (const auto channel = Channel(argument.substr(0, comma)))
        reply = WithChannel(reply, static_cast<std::size_t>(*channel - 1),
                            Respelled(std::string(argument.substr(comma + 1)), item->spelling));
    return true;
}

void MeterSettings::reset(const SettingRecord& factory) {
    for (const Item& item : kItems) {
        if (std::find(std::begin(kKeptByReset), std::end(kKeptByReset), item.header) != std::end(kKeptByReset))
            continue;
        replies_[std::string(item.header)] = Respelled(item.factory(factory), item.spelling);
    }
}

}  // namespace voltaro::sim
