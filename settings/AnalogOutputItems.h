#pragma once

// What an analog output channel can put out: the items its item list offers for a wiring,
// a load count and a measurement kind, how list positions map to the stored item numbers,
// and which of the order, magnification and rate choices a kind takes. The settings window
// and the command line share these rules.

#include <cstdint>
#include <span>
#include <vector>

namespace voltaro {

// Measurement kinds, the positions of the kind list.
namespace da_kind {
inline constexpr std::int16_t Normal = 0;
inline constexpr std::int16_t Energy = 1;
inline constexpr std::int16_t Level = 2;
inline constexpr std::int16_t Content = 3;
inline constexpr std::int16_t HarmonicPA = 4;
inline constexpr std::int16_t Total = 5;
inline constexpr std::int16_t Thd = 6;
}  // namespace da_kind
inline constexpr int kDaKindCount = 7;

// The absolute analog output items (0..83) the item list offers, in list order. `load` is
// the record's load number; one outside 1..4 counts as the nearest of them, so that a load
// group never runs into the items of the next. An unknown wiring or kind gives an empty list.
std::vector<std::int16_t> BuildDaItemList(std::int16_t wiring, std::int16_t load, std::int16_t kind);

// The list position of `daItem`, or -1 when the list lacks it (the window then shows the
// first entry).
int DaItemToPosition(std::span<const std::int16_t> list, std::int16_t daItem);

// The item at list position `position`, or -1 for a position outside the list.
std::int16_t PositionToDaItem(std::span<const std::int16_t> list, int position);

// Whether an item is a reactive energy (its output rate reads in kVarh, not kWh).
bool IsReactiveEnergyItem(std::int16_t daItem);

// The choices beside the item that a kind takes; the others are disabled.
struct DaKindChoices {
    bool order;
    bool magnification;
    bool rate;

    friend bool operator==(const DaKindChoices&, const DaKindChoices&) = default;
};
// None for an unknown kind.
DaKindChoices DaKindChoicesFor(std::int16_t kind);

}  // namespace voltaro
