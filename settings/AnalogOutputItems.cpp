#include "settings/AnalogOutputItems.h"

#include <algorithm>
#include <iterator>

#include "settings/CodeTables.h"
#include "settings/WiringIndexes.h"

namespace voltaro {

namespace {

using Mask = std::uint8_t;  // one bit per wiring, or one bit per kind

constexpr Mask bit(std::int16_t index) { return static_cast<Mask>(1u << index); }

constexpr Mask kLoadWirings = bit(wiring::k1P2W) | bit(wiring::k1P3W) | bit(wiring::k1P3W3I) | bit(wiring::k3P3W2I) |
                              bit(wiring::k3P3W3I) | bit(wiring::k3P4W) | bit(wiring::k3P4W4I);
constexpr Mask kTwoVoltages = kLoadWirings & static_cast<Mask>(~bit(wiring::k1P2W));
constexpr Mask kThreePhase = bit(wiring::k3P3W2I) | bit(wiring::k3P3W3I) | bit(wiring::k3P4W) | bit(wiring::k3P4W4I);
constexpr Mask kWithI4 = bit(wiring::k1P3W3I) | bit(wiring::k3P4W4I);
constexpr Mask kSplit = bit(wiring::k3P3W1P3W);

constexpr Mask kEnergy = bit(da_kind::Energy);
constexpr Mask kNormal = bit(da_kind::Normal);
constexpr Mask kMeasured = static_cast<Mask>((1u << kDaKindCount) - 1u) & static_cast<Mask>(~kEnergy);
constexpr Mask kNoThd = kMeasured & static_cast<Mask>(~bit(da_kind::Thd));

// Absolute item numbers; a per-load item is named by its load 1.
namespace item {
constexpr std::int16_t U1 = 0, U2 = 1, U3 = 2, Uave = 3;
constexpr std::int16_t I1_1 = 4, I1_2 = 5, I1_3 = 6, I1_4 = 7, I2_1 = 8, I2_2 = 9, I3_1 = 10, I3_2 = 11;
constexpr std::int16_t Iave_1 = 12, Iave_2 = 13, I4_1 = 14;
constexpr std::int16_t P_1 = 15, Q_1 = 19, S_1 = 23, PF_1 = 27, PA_1 = 31, F = 35;
constexpr std::int16_t WhIn_1 = 36, WhOut_1 = 40, VarhIn_1 = 44, VarhOut_1 = 48;
constexpr std::int16_t U1_3P = 52, U2_3P = 53, U3_3P = 54, Uave_3P = 55, I1_3P = 56, I2_3P = 57, I3_3P = 58;
constexpr std::int16_t Iave_3P = 59, P_3P = 60, Q_3P = 61, S_3P = 62, PF_3P = 63, PA_3P = 64;
constexpr std::int16_t WhIn_3P = 65, WhOut_3P = 66, VarhIn_3P = 67, VarhOut_3P = 68;
constexpr std::int16_t U1_1P = 69, U2_1P = 70, Uave_1P = 71, I1_1P = 72, I2_1P = 73, Iave_1P = 74;
constexpr std::int16_t P_1P = 75, Q_1P = 76, S_1P = 77, PF_1P = 78, PA_1P = 79;
constexpr std::int16_t WhIn_1P = 80, WhOut_1P = 81, VarhIn_1P = 82, VarhOut_1P = 83;
}  // namespace item

constexpr int kMaxLoads = 4;

// One row of the item list: offered for the wirings and kinds it names, when the load
// count lies in fromLoads..toLoads. A group row stands for one item per load 1..n, in
// consecutive numbers from its item.
struct ItemRow {
    std::int16_t item;
    Mask wirings;
    Mask kinds;
    int fromLoads = 1;
    int toLoads = kMaxLoads;
    bool eachLoad = false;
};

constexpr ItemRow one(std::int16_t number, Mask wirings, Mask kinds) { return {number, wirings, kinds}; }
constexpr ItemRow group(std::int16_t first, Mask wirings, Mask kinds) {
    return {first, wirings, kinds, 1, kMaxLoads, true};
}
constexpr ItemRow loads(std::int16_t number, Mask wirings, Mask kinds, int from, int to = kMaxLoads) {
    return {number, wirings, kinds, from, to};
}

// The kinds never share an item list, so one table holds them all in list order.
constexpr ItemRow kItemRows[] = {
    group(item::WhIn_1, kLoadWirings, kEnergy),
    group(item::WhOut_1, kLoadWirings, kEnergy),
    group(item::VarhIn_1, kLoadWirings, kEnergy),
    group(item::VarhOut_1, kLoadWirings, kEnergy),

    one(item::U1, kLoadWirings, kMeasured),
    one(item::U2, kTwoVoltages, kMeasured),
    one(item::U3, kThreePhase, kMeasured),
    one(item::Uave, kTwoVoltages, kNormal),
    one(item::I1_1, kLoadWirings, kMeasured),
    one(item::I2_1, kTwoVoltages, kMeasured),
    one(item::I3_1, kThreePhase, kMeasured),
    one(item::I4_1, kWithI4, kMeasured),
    one(item::Iave_1, kTwoVoltages, kNormal),
    loads(item::I1_2, kLoadWirings, kMeasured, 2),
    loads(item::I2_2, kTwoVoltages, kMeasured, 2),
    loads(item::I3_2, kThreePhase, kMeasured, 2),
    loads(item::Iave_2, kTwoVoltages, kNormal, 2, 2),
    loads(item::I1_3, kLoadWirings, kMeasured, 3),
    loads(item::I1_4, kLoadWirings, kMeasured, 4),
    group(item::P_1, kLoadWirings, kNoThd),
    group(item::Q_1, kLoadWirings, kNormal),
    group(item::S_1, kLoadWirings, kNormal),
    group(item::PF_1, kLoadWirings, kNormal),
    group(item::PA_1, kLoadWirings, kNormal),
    one(item::F, kLoadWirings, kNormal),

    one(item::WhIn_3P, kSplit, kEnergy),
    one(item::WhOut_3P, kSplit, kEnergy),
    one(item::VarhIn_3P, kSplit, kEnergy),
    one(item::VarhOut_3P, kSplit, kEnergy),
    one(item::WhIn_1P, kSplit, kEnergy),
    one(item::WhOut_1P, kSplit, kEnergy),
    one(item::VarhIn_1P, kSplit, kEnergy),
    one(item::VarhOut_1P, kSplit, kEnergy),

    one(item::U1_3P, kSplit, kMeasured),
    one(item::U2_3P, kSplit, kMeasured),
    one(item::U3_3P, kSplit, kMeasured),
    one(item::Uave_3P, kSplit, kNormal),
    one(item::I1_3P, kSplit, kMeasured),
    one(item::I2_3P, kSplit, kMeasured),
    one(item::I3_3P, kSplit, kMeasured),
    one(item::Iave_3P, kSplit, kNormal),
    one(item::P_3P, kSplit, kNoThd),
    one(item::Q_3P, kSplit, kNormal),
    one(item::S_3P, kSplit, kNormal),
    one(item::PF_3P, kSplit, kNormal),
    one(item::PA_3P, kSplit, kNormal),
    one(item::U1_1P, kSplit, kMeasured),
    one(item::U2_1P, kSplit, kMeasured),
    one(item::Uave_1P, kSplit, kNormal),
    one(item::I1_1P, kSplit, kMeasured),
    one(item::I2_1P, kSplit, kMeasured),
    one(item::Iave_1P, kSplit, kNormal),
    one(item::P_1P, kSplit, kNoThd),
    one(item::Q_1P, kSplit, kNormal),
    one(item::S_1P, kSplit, kNormal),
    one(item::PF_1P, kSplit, kNormal),
    one(item::PA_1P, kSplit, kNormal),
    one(item::F, kSplit, kNormal),
};

// Order, magnification and rate by kind.
constexpr DaKindChoices kKindChoices[kDaKindCount] = {
    {false, false, false},  // Normal measure
    {false, false, true},   // Electric energy
    {true, true, false},    // Level
    {true, true, false},    // Content
    {true, false, false},   // Harm. PA
    {false, false, false},  // Total
    {false, false, false},  // THD
};

}  // namespace

std::vector<std::int16_t> BuildDaItemList(std::int16_t wiring, std::int16_t load, std::int16_t kind) {
    std::vector<std::int16_t> list;
    if (wiring < 0 || wiring >= kWiringCount || kind < 0 || kind >= kDaKindCount) return list;
    const int n = std::clamp<int>(load, 1, kMaxLoads);
    for (const ItemRow& row : kItemRows) {
        if ((row.wirings & bit(wiring)) == 0 || (row.kinds & bit(kind)) == 0) continue;
        if (n < row.fromLoads || n > row.toLoads) continue;
        const int count = row.eachLoad ? n : 1;
        for (int k = 0; k < count; ++k) list.push_back(static_cast<std::int16_t>(row.item + k));
    }
    return list;
}

int DaItemToPosition(std::span<const std::int16_t> list, std::int16_t daItem) {
    const auto found = std::find(list.begin(), list.end(), daItem);
    return found == list.end() ? -1 : static_cast<int>(std::distance(list.begin(), found));
}

std::int16_t PositionToDaItem(std::span<const std::int16_t> list, int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= list.size()) return -1;
    return list[static_cast<std::size_t>(position)];
}

DaKindChoices DaKindChoicesFor(std::int16_t kind) {
    if (kind < 0 || kind >= kDaKindCount) return {};
    return kKindChoices[kind];
}

bool IsReactiveEnergyItem(std::int16_t daItem) { return IndexToDaItem(daItem).find("varh") != std::string::npos; }

}  // namespace voltaro
