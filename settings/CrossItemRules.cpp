#include "settings/CrossItemRules.h"

#include "settings/AnalogOutputItems.h"
#include "settings/CodeTables.h"
#include "settings/HarmonicSaveItems.h"
#include "settings/SettingConversions.h"

namespace voltaro {

namespace {

constexpr std::int16_t kFirstLoad = 1;
constexpr int kFirstListPosition = 0;
constexpr std::int16_t kConnectPc = 0;
constexpr std::int16_t kConnectPrinter = 1;
constexpr std::int16_t kCopyToPcCard = 0;
constexpr std::int16_t kCopyToPrinter = 2;
constexpr std::int16_t kPhaseFromU1 = 1;
constexpr std::int16_t kSourceU1 = 0;

template <std::size_t N>
void takeTicks(std::array<std::int16_t, N>& flags, const std::array<CheckBoxState, N>& boxes) {
    for (std::size_t i = 0; i < N; ++i) flags[i] = boxes[i].ticked ? 1 : 0;
}

void keepDaItemsInLists(SettingRecord& r) {
    for (int channel = 0; channel < static_cast<int>(r.DaItem.size()); ++channel) KeepDaItemInList(r, channel);
}

}  // namespace

void RefreshHarmonicSaveFlags(SettingRecord& r) {
    const HarmonicSaveBoxes boxes = HarmonicSaveBoxesFor(r.Wiring, r.Load, r.SaveHrm != 0);
    takeTicks(r.SaveHrmLoad, boxes.loads);
    takeTicks(r.SaveHrmCh, boxes.channels);
    takeTicks(r.SaveHrmItem, boxes.items);
}

void KeepDaItemInList(SettingRecord& r, int channel) {
    const auto index = static_cast<std::size_t>(channel);
    const std::vector<std::int16_t> items = BuildDaItemList(r.Wiring, r.Load, r.DaKind[index]);
    if (!items.empty() && DaItemToPosition(items, r.DaItem[index]) < 0) r.DaItem[index] = items.front();
}

void FollowWiring(SettingRecord& r) {
    r.Load = kFirstLoad;
    r.Source = SourceFromListPosition(r.Wiring, kFirstListPosition);
    FollowLoad(r);
}

void FollowLoad(SettingRecord& r) {
    RefreshHarmonicSaveFlags(r);
    keepDaItemsInLists(r);
}

void FollowClamp(SettingRecord& r, int channel, std::int16_t kept) {
    const auto index = static_cast<std::size_t>(channel);
    const std::int16_t clamp = r.Clamp[index];
    const std::int16_t range = ARangeFromListPosition(clamp, ARangeListPosition(clamp, kept));
    if (range >= 0) r.ARange[index] = range;  // an unknown clamp has no ranges to choose from
}

void FollowInterval(SettingRecord& r) {
    if (IntervalAllowsPrinter(r.Interval) || r.Rs232Connect != kConnectPrinter) return;
    r.Rs232Connect = kConnectPc;
    FollowConnection(r);
}

void FollowConnection(SettingRecord& r) {
    if (r.Copy >= CopyMediaCount(r.Rs232Connect)) r.Copy = kCopyToPcCard;
}

void FollowHardCopy(SettingRecord& r) {
    if (r.Copy == kCopyToPrinter && r.Rs232Connect == kConnectPc) r.Rs232Connect = kConnectPrinter;
}

void FollowPhaseReference(SettingRecord& r) {
    if (r.HrmPA == kPhaseFromU1) r.Source = kSourceU1;
}

}  // namespace voltaro
