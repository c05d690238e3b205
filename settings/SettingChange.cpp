#include "settings/SettingChange.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/ErrorReporting.h"
#include "settings/AnalogOutputItems.h"
#include "settings/CodeTables.h"
#include "settings/CrossItemRules.h"
#include "settings/FieldRules.h"
#include "settings/HarmonicSaveItems.h"
#include "settings/RatedPower.h"
#include "settings/SettingConversions.h"
#include "settings/SettingFile.h"
#include "settings/SettingFileField.h"
#include "settings/SettingFileLayout.h"
#include "settings/TextBoxCommit.h"

namespace voltaro {

namespace {

using Int16 = std::int16_t;
using R = SettingRecord;

constexpr std::string_view kHeaderKeys[] = {"MODEL", "VERSION"};

constexpr Int16 kInvalidLoad = 301;
constexpr Int16 kInvalidClamp = 307;
constexpr Int16 kInvalidSource = 311;
constexpr Int16 kInvalidIdNumber = 349;
constexpr Int16 kInvalidOrderSelection = 332;
constexpr Int16 kInvalidDaKind = 350;
constexpr Int16 kInvalidDaItem = 351;
constexpr Int16 kInvalidHarmonicItems = 359;

// The item's own rule: 0, or the code after reporting it. `after` holds the values as the
// file spells them and may take them in the item's own form (a ratio cut to two decimals);
// `value` is the line's text as given.
using OwnRule = Int16 (*)(AppContext& ctx, const R& before, R& after, std::string_view value);
// What the change does to other items; run only when the line changed something.
using Consequence = void (*)(const R& before, R& after);

struct ItemChange {
    std::string_view key;
    OwnRule rule;
    Consequence follow;
};

Int16 reported(AppContext& ctx, Int16 code) {
    ShowErrorMessage(ctx, kErrKindApplication, code);
    return code;
}

Int16 verdict(AppContext& ctx, bool passes, Int16 code) { return passes ? 0 : reported(ctx, code); }

std::vector<std::string_view> values(std::string_view line) {
    std::vector<std::string_view> out;
    for (std::size_t comma; (comma = line.find(',')) != std::string_view::npos; line.remove_prefix(comma + 1))
        out.push_back(line.substr(0, comma));
    out.push_back(line);
    return out;
}

// A text box's commit: the value it accepts, or its messages (the item's own code when it
// gave none) and a refusal.
template <typename Value>
Int16 committed(AppContext& ctx, const TextCommit<Value>& result, Value& field, Int16 code) {
    if (result.outcome == CommitOutcome::Accepted) {
        field = result.value;
        return 0;
    }
    if (result.messages.codes.empty() && result.messages.textId == 0) return reported(ctx, code);
    ShowCommitMessages(ctx, result.messages);
    return result.messages.codes.empty() ? code : result.messages.codes.front();
}

// The rated power of one current channel; a channel the load leaves out is not checked,
// as the window checks only the channels whose controls are open.
bool channelPowerHolds(const R& r, std::size_t channel, float vt, float ct) {
    return !IsCurrentChannelUsed(r.Wiring, r.Load, static_cast<int>(channel)) ||
           RatedPowerWithinLimit(r.Wiring, IndexToURange(r.URange), IndexToARange(r.ARange[channel]), vt, ct);
}

Int16 ratedPower(AppContext& ctx, const R& r) {
    for (std::size_t channel = 0; channel < r.Ct.size(); ++channel)
        if (!channelPowerHolds(r, channel, r.Vt, r.Ct[channel])) return reported(ctx, kRatedPowerTooHigh);
    return 0;
}

// --- own rules -----------------------------------------------------------------------

template <Int16 (*Check)(AppContext&, int), auto Field>
Int16 listItem(AppContext& ctx, const R&, R& after, std::string_view) {
    return Check(ctx, after.*Field);
}

Int16 wiring(AppContext& ctx, const R&, R& after, std::string_view) {
    if (const Int16 code = CheckWiring(ctx, after.Wiring)) return code;
    return ratedPower(ctx, after);
}

Int16 load(AppContext& ctx, const R&, R& after, std::string_view) {
    return CheckItem(ctx, ItemRule{1, static_cast<float>(LoadCount(after.Wiring)), kInvalidLoad}, after.Load);
}

Int16 uRange(AppContext& ctx, const R&, R& after, std::string_view) { return ratedPower(ctx, after); }

Int16 aRange(AppContext& ctx, const R& before, R& after, std::string_view) {
    for (std::size_t channel = 0; channel < after.ARange.size(); ++channel)
        if (after.ARange[channel] != before.ARange[channel])
            if (const Int16 code = CheckARange(ctx, after.ARange[channel])) return code;
    return ratedPower(ctx, after);
}

Int16 clamp(AppContext& ctx, const R& before, R& after, std::string_view) {
    for (std::size_t channel = 0; channel < after.Clamp.size(); ++channel)
        if (after.Clamp[channel] != before.Clamp[channel])
            if (const Int16 code = CheckItem(ctx, ItemRule{0, kClampCount - 1, kInvalidClamp}, after.Clamp[channel]))
                return code;
    return 0;
}

Int16 vt(AppContext& ctx, const R& before, R& after, std::string_view value) {
    const auto accepts = [&after](float ratio) {
        for (std::size_t channel = 0; channel < after.Ct.size(); ++channel)
            if (!channelPowerHolds(after, channel, ratio, after.Ct[channel])) return false;
        return true;
    };
    return committed(ctx, CommitVtText(value, before.Vt, accepts), after.Vt, kVtRatioRule.code);
}

// Only the channels whose ratio changed are committed, as only their boxes were typed in.
Int16 ct(AppContext& ctx, const R& before, R& after, std::string_view value) {
    const std::vector<std::string_view> typed = values(value);
    for (std::size_t channel = 0; channel < after.Ct.size(); ++channel) {
        if (after.Ct[channel] == before.Ct[channel]) continue;
        const auto accepts = [&after, channel](float ratio) {
            return channelPowerHolds(after, channel, after.Vt, ratio);
        };
        const auto result = CommitCtText(typed[channel], before.Ct[channel], accepts);
        if (const Int16 code = committed(ctx, result, after.Ct[channel], kCtRatioRule.code)) return code;
    }
    return 0;
}

template <auto Field, const ItemRule& Rule>
Int16 wholePercent(AppContext& ctx, const R& before, R& after, std::string_view value) {
    return committed(ctx, CommitWholePercentText(value, before.*Field, Rule), after.*Field, Rule.code);
}

Int16 hysteresis(AppContext& ctx, const R& before, R& after, std::string_view value) {
    return committed(ctx, CommitHysteresisText(value, before.Hysteresis), after.Hysteresis, kHysteresisRule.code);
}

Int16 id(AppContext& ctx, const R& before, R& after, std::string_view value) {
    return committed(ctx, CommitIdText(value, before.Id), after.Id, kInvalidIdNumber);
}

Int16 fileName(AppContext& ctx, const R& before, R& after, std::string_view value) {
    return committed(ctx, CommitFileNameText(value, before.FileName), after.FileName, kInvalidFilename);
}

Int16 stopTimer(AppContext& ctx, const R&, R& after, std::string_view) {
    const auto& [hours, minutes, seconds] = after.StopTimer;
    return CheckStopTimer(ctx, hours, minutes, seconds);
}

Int16 interval(AppContext& ctx, const R& before, R& after, std::string_view) {
    if (const Int16 code = CheckInterval(ctx, after.Interval)) return code;
    if (after.Interval != before.Interval)
        if (const auto warnings = IntervalWarnings(after.Interval))
            ShowSettingWarnings(ctx, warnings->interval, warnings->saving, warnings->integration);
    return 0;
}

Int16 rs232(AppContext& ctx, const R&, R& after, std::string_view) {
    const std::pair<Int16 (*)(AppContext&, int), int> lists[] = {
        {CheckBaudRate, after.Rs232Baud},
        {CheckDataLength, after.Rs232DataLen},
        {CheckParity, ParityListPosition(after.Rs232Parity)},
        {CheckStopBit, after.Rs232StopBit},
        {CheckFlowControl, after.Rs232Flow},
    };
    for (const auto& [check, position] : lists)
        if (const Int16 code = check(ctx, position)) return code;
    return 0;
}

// The frequency list offers the sources of the wiring only.
Int16 source(AppContext& ctx, const R&, R& after, std::string_view) {
    const auto offered = FrequencySources(after.Wiring);
    return verdict(ctx, std::find(offered.begin(), offered.end(), after.Source) != offered.end(), kInvalidSource);
}

// A closed box keeps its tick: the flags of `after` may differ from `before` only where a
// box is open.
template <std::size_t N>
bool changedOnlyWhereOpen(const std::array<Int16, N>& before, const std::array<Int16, N>& after,
                          const std::array<CheckBoxState, N>& boxes) {
    for (std::size_t i = 0; i < N; ++i)
        if (after[i] != before[i] && !boxes[i].enabled) return false;
    return true;
}

HarmonicSaveBoxes harmonicBoxes(const R& r) { return HarmonicSaveBoxesFor(r.Wiring, r.Load, r.SaveHrm != 0); }

Int16 harmonicLoads(AppContext& ctx, const R& before, R& after, std::string_view) {
    return verdict(ctx, changedOnlyWhereOpen(before.SaveHrmLoad, after.SaveHrmLoad, harmonicBoxes(after).loads),
                   kInvalidHarmonicItems);
}

Int16 harmonicChannels(AppContext& ctx, const R& before, R& after, std::string_view) {
    return verdict(ctx, changedOnlyWhereOpen(before.SaveHrmCh, after.SaveHrmCh, harmonicBoxes(after).channels),
                   kInvalidHarmonicItems);
}

// The THD box also needs a ticked channel other than I4.
Int16 harmonicItems(AppContext& ctx, const R& before, R& after, std::string_view) {
    auto boxes = harmonicBoxes(after).items;
    boxes[kHarmonicThdItem].enabled =
        boxes[kHarmonicThdItem].enabled && IsHarmonicThdItemEnabled(after.Wiring, after.SaveHrmCh);
    return verdict(ctx, changedOnlyWhereOpen(before.SaveHrmItem, after.SaveHrmItem, boxes), kInvalidHarmonicItems);
}

// The order boxes are open only to the user's own selection.
Int16 harmonicOrders(AppContext& ctx, const R& before, R& after, std::string_view) {
    const bool open = after.SaveHrm != 0 && HarmonicOrderBoxesFor(after.SaveHrmOrdSel, after.SaveHrmOrder).enabled;
    return verdict(ctx, open || after.SaveHrmOrder == before.SaveHrmOrder, kInvalidHarmonicItems);
}

Int16 orderSelection(AppContext& ctx, const R& before, R& after, std::string_view) {
    if (const Int16 code = CheckItem(ctx, ItemRule{0, kOrderSelCount - 1, kInvalidOrderSelection}, after.SaveHrmOrdSel))
        return code;
    const bool open = harmonicBoxes(after).orderSelection;
    return verdict(ctx, open || after.SaveHrmOrdSel == before.SaveHrmOrdSel, kInvalidHarmonicItems);
}

// A kind the list has; an item chosen anew must be one the channel's item list offers.
template <std::size_t Channel>
Int16 analogOutput(AppContext& ctx, const R& before, R& after, std::string_view) {
    const Int16 kind = after.DaKind[Channel];
    if (const Int16 code = CheckItem(ctx, ItemRule{0, kDaKindCount - 1, kInvalidDaKind}, kind)) return code;
    if (after.DaItem[Channel] == before.DaItem[Channel]) return 0;
    const std::vector<Int16> items = BuildDaItemList(after.Wiring, after.Load, kind);
    return verdict(ctx, DaItemToPosition(items, after.DaItem[Channel]) >= 0, kInvalidDaItem);
}

// --- consequences --------------------------------------------------------------------

void followWiring(const R&, R& after) { FollowWiring(after); }
void followLoad(const R&, R& after) { FollowLoad(after); }
void followInterval(const R&, R& after) { FollowInterval(after); }
void followConnection(const R&, R& after) { FollowConnection(after); }
void followHardCopy(const R&, R& after) { FollowHardCopy(after); }
void followPhaseReference(const R&, R& after) { FollowPhaseReference(after); }

// Each clamp changed keeps the range its channel had.
void followClamps(const R& before, R& after) {
    for (std::size_t channel = 0; channel < after.Clamp.size(); ++channel)
        if (after.Clamp[channel] != before.Clamp[channel])
            FollowClamp(after, static_cast<int>(channel), before.ARange[channel]);
}

void followSaving(const R& before, R& after) {
    if (after.SaveHrm != before.SaveHrm) RefreshHarmonicSaveFlags(after);
}

template <std::size_t Channel>
void followAnalogOutput(const R& before, R& after) {
    if (after.DaKind[Channel] != before.DaKind[Channel]) KeepDaItemInList(after, static_cast<int>(Channel));
}

// The lines whose change has a rule or a consequence; any other line is taken as it is,
// for the whole-setting check to judge.
constexpr ItemChange kItemChanges[] = {
    {"ID", id, nullptr},
    {"WIRING", wiring, followWiring},
    {"LOAD", load, followLoad},
    {"1P3W_CONNECT", listItem<Check1PConnect, &R::Connect1P>, nullptr},
    {"U_RANGE", uRange, nullptr},
    {"VT", vt, nullptr},
    {"A_RANGE", aRange, nullptr},
    {"CT", ct, nullptr},
    {"CLAMP", clamp, followClamps},
    {"MSTOP_TIMER", stopTimer, nullptr},
    {"INTERVAL", interval, followInterval},
    {"CONNECT", listItem<CheckRs232Connect, &R::Rs232Connect>, followConnection},
    {"FILE", fileName, nullptr},
    {"COPY", listItem<CheckHardCopy, &R::Copy>, followHardCopy},
    {"SAVE1", nullptr, followSaving},
    {"SAVE_HARM1", harmonicLoads, nullptr},
    {"SAVE_HARM2", harmonicChannels, nullptr},
    {"SAVE_HARM3", harmonicItems, nullptr},
    {"SAVE_ORDER1", harmonicOrders, nullptr},
    {"SAVE_ORDER2", harmonicOrders, nullptr},
    {"SAVE_ORDER3", harmonicOrders, nullptr},
    {"SAVE_ORDER4", harmonicOrders, nullptr},
    {"SAVE_ORDER5", harmonicOrders, nullptr},
    {"RS232C", rs232, nullptr},
    {"HRM_PA", nullptr, followPhaseReference},
    {"ORDER", listItem<CheckGraphOrder, &R::GraphOrder>, nullptr},
    {"HYSTERESIS", hysteresis, nullptr},
    {"SWELL", wholePercent<&R::Swell, kSwellRule>, nullptr},
    {"DIP", wholePercent<&R::Dip, kDipBoxRule>, nullptr},
    {"INTERRUPTION", wholePercent<&R::Interruption, kInterruptionRule>, nullptr},
    {"SOURCE", source, followPhaseReference},
    {"DAOUT1", analogOutput<0>, followAnalogOutput<0>},
    {"DAOUT2", analogOutput<1>, followAnalogOutput<1>},
    {"DAOUT3", analogOutput<2>, followAnalogOutput<2>},
    {"DAOUT4", analogOutput<3>, followAnalogOutput<3>},
    {"SAVE_ORDER_SEL", orderSelection, nullptr},
};

// The key and the number of values of every line, in file order.
struct LineShape {
    std::string_view key;
    int values;
};

std::vector<LineShape> lineShapes() {
    std::vector<LineShape> shapes;
    const SettingRecord empty;
    const std::string file = FormatSettingFile(empty);
    std::string_view rest = file;
    setting_file::ForEachLine(empty, [&](std::string_view key, const auto&...) {
        const std::string_view line = rest.substr(0, rest.find("\r\n"));
        rest.remove_prefix(std::min(rest.size(), line.size() + 2));
        shapes.push_back({key, static_cast<int>(std::count(line.begin(), line.end(), ',')) + 1});
    });
    return shapes;
}

// The record's file with item line `key` holding `value`, read back over the record; the
// orders are taken whatever the selection, so that a change of them is seen.
std::optional<SettingRecord> withLine(const SettingRecord& record, std::string_view key, std::string_view value) {
    if (!IsSettingItemKey(key) || value.find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
    std::string file = FormatSettingFile(record);
    const std::string start = "\n" + FormatKeyPrefix(key, 1);
    const std::size_t first = file.find(start) + start.size();  // item lines all follow the header
    file.replace(first, file.find("\r\n", first) - first, value);
    SettingRecord changed = record;
    if (!ParseSettingFile(file, changed, OrderLines::Always)) return std::nullopt;
    changed.Version = record.Version;  // the written file's own version is no change
    return changed;
}

}  // namespace

bool IsSettingItemKey(std::string_view key) { return SettingLineValueCount(key) > 0; }

int SettingLineValueCount(std::string_view key) {
    if (std::find(std::begin(kHeaderKeys), std::end(kHeaderKeys), key) != std::end(kHeaderKeys)) return 0;
    for (const LineShape& shape : lineShapes())
        if (shape.key == key) return shape.values;
    return 0;
}

bool IsSettingLineValue(std::string_view key, std::string_view value) {
    return withLine(SettingRecord{}, key, value).has_value();
}

std::int16_t ApplySettingChange(AppContext& ctx, SettingRecord& record, std::string_view key, std::string_view value) {
    std::optional<SettingRecord> changed = withLine(record, key, value);
    if (!changed) return reported(ctx, kNotSettingFile);
    const auto row = std::find_if(std::begin(kItemChanges), std::end(kItemChanges),
                                  [key](const ItemChange& change) { return change.key == key; });
    if (row != std::end(kItemChanges)) {
        if (row->rule != nullptr)
            if (const Int16 code = row->rule(ctx, record, *changed, value)) return code;
        if (row->follow != nullptr && !(*changed == record)) row->follow(record, *changed);
    }
    record = std::move(*changed);
    return 0;
}

}  // namespace voltaro
