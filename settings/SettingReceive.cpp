#include "settings/SettingReceive.h"

#include <algorithm>

#include "app/ErrorReporting.h"
#include "app/NumberText.h"
#include "link/MeterChecks.h"
#include "settings/CodeTables.h"
#include "settings/SettingCheck.h"

namespace voltaro {

namespace {

using Int16 = std::int16_t;

constexpr int kChannels = 4;
constexpr int kAnalogOutputFields = 6;
constexpr int kOrderFields = 8;  // the selection, then seven masks of eight orders
constexpr int kHarmonicItemFirstBit = 2;

// Each store turns one reply into record fields; false when a number it needs cannot
// be read from the reply.
using Store = bool (*)(std::string_view reply, SettingRecord& r);
// Whether a query is asked, judged on what has been received so far.
using Condition = bool (*)(const SettingRecord& r);

struct Query {
    constexpr Query(std::string_view text, Store store, Condition asked = nullptr)
        : text(text), store(store), asked(asked) {}
    std::string_view text;
    Store store;
    Condition asked;  // always when empty
};

bool ToInteger(std::string_view text, Int16& into) {
    const auto value = ParseWholeNumber<Int16>(text);
    if (value) into = *value;
    return value.has_value();
}

std::optional<BitList> ReplyBits(std::string_view text) {
    const auto mask = ParseWholeNumber<Int16>(text);
    if (!mask) return std::nullopt;
    return SplitBits(*mask);
}

template <auto Member, auto Convert>
bool Token(std::string_view reply, SettingRecord& r) {
    r.*Member = Convert(reply);
    return true;
}

template <auto Member>
bool Integer(std::string_view reply, SettingRecord& r) {
    return ToInteger(reply, r.*Member);
}

// The first `Count` fields of the reply as whole numbers, into the first elements of
// an array field; the elements after them keep their values.
template <auto Member, int Count>
bool Integers(std::string_view reply, SettingRecord& r) {
    const ReplyFields fields = SplitReplyFields(reply, Count);
    for (int i = 0; i < Count; ++i)
        if (!ToInteger(fields[i], (r.*Member)[i])) return false;
    return true;
}

template <auto Member, auto Convert>
bool ChannelTokens(std::string_view reply, SettingRecord& r) {
    const ReplyFields fields = SplitReplyFields(reply, kChannels);
    for (int i = 0; i < kChannels; ++i) (r.*Member)[i] = Convert(fields[i]);
    return true;
}

bool Vt(std::string_view reply, SettingRecord& r) {
    const auto value = ParsePlainSingle(reply);
    if (value) r.Vt = *value;
    return value.has_value();
}

bool Ct(std::string_view reply, SettingRecord& r) {
    const ReplyFields fields = SplitReplyFields(reply, kChannels);
    for (int i = 0; i < kChannels; ++i) {
        const auto value = ParsePlainSingle(fields[i]);
        if (!value) return false;
        r.Ct[i] = *value;
    }
    return true;
}

bool FileName(std::string_view reply, SettingRecord& r) {
    r.FileName = reply;
    return true;
}

// Bit 0 normal, bit 1 energy, bits 2..6 the harmonic items.
bool SaveItem1(std::string_view reply, SettingRecord& r) {
    const auto mask = ParseWholeNumber<Int16>(reply);
    if (!mask) return false;
    const BitList bits = SplitBits(*mask);
    r.SaveHrm = HarmonicSaveFlag(*mask);
    for (std::size_t i = 0; i < r.SaveHrmItem.size(); ++i) r.SaveHrmItem[i] = bits[kHarmonicItemFirstBit + i];
    r.SaveWh = bits[1];
    r.SaveNormal = bits[0];
    return true;
}

bool SaveItem2(std::string_view reply, SettingRecord& r) {
    const auto bits = ReplyBits(reply);
    if (!bits) return false;
    r.SaveInstant = (*bits)[0];
    r.SaveAve = (*bits)[1];
    r.SaveMax = (*bits)[2];
    r.SaveMin = (*bits)[3];
    return true;
}

// Flag i of an array field is bit i of the mask.
template <auto Member>
bool MaskBits(std::string_view reply, SettingRecord& r) {
    const auto bits = ReplyBits(reply);
    if (!bits) return false;
    auto& flags = r.*Member;
    for (std::size_t i = 0; i < flags.size(); ++i) flags[i] = (*bits)[i];
    return true;
}

// The order selection, then seven masks: bit j of mask k holds order 8k + j + 1.
// Bits beyond order 50 are dropped.
bool SaveItem5(std::string_view reply, SettingRecord& r) {
    const ReplyFields fields = SplitReplyFields(reply, kOrderFields);
    r.SaveHrmOrdSel = OrderSelToIndex(fields[0]);
    for (std::size_t k = 1; k < kOrderFields; ++k) {
        const auto bits = ReplyBits(fields[k]);
        if (!bits) return false;
        for (std::size_t j = 0; j < bits->size(); ++j) {
            const std::size_t element = (k - 1) * bits->size() + j;
            if (element < r.SaveHrmOrder.size()) r.SaveHrmOrder[element] = (*bits)[j];
        }
    }
    return true;
}

// Element, kind, quantity, order, magnification, rate; the item is the element and the
// quantity together ("1,U1").
template <int Channel>
bool AnalogOutput(std::string_view reply, SettingRecord& r) {
    const ReplyFields f = SplitReplyFields(reply, kAnalogOutputFields);
    if (!ToInteger(f[1], r.DaKind[Channel]) || !ToInteger(f[3], r.DaOrder[Channel])) return false;
    r.DaItem[Channel] = DaItemToIndex(f[0] + ',' + f[2]);
    r.DaMag[Channel] = DaMagToIndex(f[4]);
    r.DaRate[Channel] = DaRateToIndex(f[5]);
    return true;
}

template <int Input>
bool AnalogInput(std::string_view reply, SettingRecord& r) {
    r.AdRange[Input] = AdRangeToIndex(reply);
    return true;
}

bool StartsAtTime(const SettingRecord& r) { return r.StartMethod == method_code::Time; }
bool StopsAtTime(const SettingRecord& r) { return r.StopMethod == method_code::Time; }
bool StopsByTimer(const SettingRecord& r) { return r.StopMethod == method_code::Timer; }

using R = SettingRecord;

// The queries in the order the meter is asked.
constexpr Query kQueries[] = {
    {":WIRI?", Token<&R::Wiring, WiringToIndex>},
    {":LOAD?", Integer<&R::Load>},
    {":1PCO?", Token<&R::Connect1P, ConnectToIndex>},
    {":VOLT:RANG?", Token<&R::URange, URangeToIndex>},
    {":VT?", Vt},
    {":CLAM?", ChannelTokens<&R::Clamp, ClampToIndex>},
    {":CURR:RANG?", ChannelTokens<&R::ARange, ARangeToIndex>},
    {":CT?", Ct},
    {":OPER?", Integer<&R::VarMethod>},
    {":SAMP?", Token<&R::Sampling, SamplingToIndex>},
    {":FREQ?", Token<&R::FixClock, FixClockToIndex>},
    {":SOUR?", Token<&R::Source, SourceToIndex>},
    {":FILT?", Integer<&R::Filter>},
    {":AVER?", Token<&R::Average, AverageToIndex>},
    {":WH:TOTA:DIGI?", Token<&R::TotalWhDigit, WhDigitToIndex>},
    {":WH:TOTA:UNIT?", Token<&R::TotalWhUnit, WhUnitToIndex>},
    {":WH:INTE:DIGI?", Token<&R::IntervalWhDigit, WhDigitToIndex>},
    {":WH:INTE:UNIT?", Token<&R::IntervalWhUnit, WhUnitToIndex>},
    {":THD?", Token<&R::Thd, ThdToIndex>},
    {":HPA?", Integer<&R::HrmPA>},
    {":ORDE?", Token<&R::GraphOrder, GraphOrderToIndex>},
    {":STAR:METH?", Token<&R::StartMethod, MethodToIndex>},
    {":STOP:METH?", Token<&R::StopMethod, MethodToIndex>},
    // Year, month, day, hour, minute; the seconds are the meter's business.
    {":STAR:TIME?", Integers<&R::StartTime, 5>, StartsAtTime},
    {":STOP:TIME?", Integers<&R::StopTime, 5>, StopsAtTime},
    {":TIME?", Integers<&R::StopTimer, 3>, StopsByTimer},
    {":INTE?", Token<&R::Interval, IntervalToIndex>},
    {":DOUT:MEDI?", Token<&R::DOut, MediaToIndex>},
    {":DOUT:COPY:MEDI?", Token<&R::Copy, CopyMediaToIndex>},
    {":FILE:MEAS?", FileName},
    {":DOUT:ITEM1?", SaveItem1},
    {":DOUT:ITEM2?", SaveItem2},
    {":DOUT:ITEM3?", MaskBits<&R::SaveHrmLoad>},
    {":DOUT:ITEM4?", MaskBits<&R::SaveHrmCh>},
    {":DOUT:ITEM5?", SaveItem5},
    {":DOUT:WAVE?", Integer<&R::SaveWave>},
    {":VDET:MEAS?", Integer<&R::Detect>},
    {":STDV?", Token<&R::StdVolt, StdVoltToIndex>},
    {":THRE:SWEL?", Integer<&R::Swell>},
    {":THRE:DIP?", Integer<&R::Dip>},
    {":THRE:INTE?", Integer<&R::Interruption>},
    {":HYST?", Integer<&R::Hysteresis>},
    {":LANG?", Token<&R::Language, LanguageToIndex>},
    {":BEEP?", Integer<&R::Beep>},
    {":CONT?", Integer<&R::Contrast>},
    {":ID?", Integer<&R::Id>},
    {":SYST:DATE?", Integers<&R::SysDate, 3>},
    {":SYST:TIME?", Integers<&R::SysTime, 3>},
    {":AOUT:CH1?", AnalogOutput<0>},
    {":AOUT:CH2?", AnalogOutput<1>},
    {":AOUT:CH3?", AnalogOutput<2>},
    {":AOUT:CH4?", AnalogOutput<3>},
    {":AINP:CH1?", AnalogInput<0>},
    {":AINP:CH2?", AnalogInput<1>},
};

enum class Outcome { Received, Reported, UnreadableReply };

// The exchange inside the open port. After a failure on the way the meter is left on
// its setting screen with headers off.
Outcome ReadSetting(Link& link, SettingRecord& r) {
    if (link.SendCommand(":COMM:HEAD OFF") != 0 || CheckMeterReady(link) != 0 || SwitchToSettingScreen(link, 1) != 0)
        return Outcome::Reported;
    std::string reply;
    for (const Query& query : kQueries) {
        if (query.asked != nullptr && !query.asked(r)) continue;
        if (link.SendCommand(query.text) != 0 || link.ReceiveResponse(reply) != 0) return Outcome::Reported;
        if (!query.store(reply, r)) return Outcome::UnreadableReply;
    }
    if (link.SendCommand(":DISP:MODE " + link.context().SavedDisplayMode) != 0 ||
        link.SendCommand(":COMM:HEAD ON") != 0)
        return Outcome::Reported;
    return Outcome::Received;
}

}  // namespace

ReplyFields SplitReplyFields(std::string_view reply, int count) {
    ReplyFields fields;
    std::size_t start = 0;
    for (int i = 0; i < std::min(count, kMaxReplyFields); ++i) {
        const std::size_t comma = reply.find(',', start);
        if (comma == std::string_view::npos) {
            fields[i] = reply.substr(start);
            start = 0;
        } else {
            fields[i] = reply.substr(start, comma - start);
            start = comma + 1;
        }
    }
    return fields;
}

BitList SplitBits(int mask) {
    // Taken from the top bit down, so a value past 255 still sets bit 7 and what is
    // left over fills the lower bits.
    BitList bits{};
    for (int i = static_cast<int>(bits.size()) - 1; i >= 0; --i) {
        const int weight = 1 << i;
        bits[i] = mask / weight != 0 ? 1 : 0;
        mask %= weight;
    }
    return bits;
}

std::int16_t HarmonicSaveFlag(int item1Mask) { return item1Mask > 3 ? 1 : 0; }

std::int16_t SettingComRead2(Link& link, SettingRecord& record) {
    if (link.OpenCommPort(record.Pc) != 0) return kAlreadyReported;
    SettingRecord received = record;
    const Outcome outcome = ReadSetting(link, received);
    link.CloseCommPort();
    switch (outcome) {
        case Outcome::Received:
            record = std::move(received);
            return 0;
        case Outcome::UnreadableReply:
            ShowErrorMessage(link.context(), kErrKindApplication, kCommunicationFailed);
            return kAlreadyReported;
        case Outcome::Reported:
            break;
    }
    return kAlreadyReported;
}

std::int16_t ReceiveProcedure(Link& link, bool& taken) {
    AppContext& ctx = link.context();
    SettingRecord working = ctx.CurrentSetting;
    const std::int16_t status = SettingComRead2(link, working);
    taken = status == 0 && CheckSettingRecord(ctx, working) == 0;
    if (taken) ctx.CurrentSetting = std::move(working);
    return status;
}

}  // namespace voltaro
