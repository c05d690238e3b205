#pragma once

// Which harmonic save boxes a wiring and a load count leave open, and what the order
// selection ticks. The settings window and the command line share these rules; the boxes
// hold the record's flags (SaveHrmLoad, SaveHrmCh, SaveHrmItem, SaveHrmOrder).

#include <array>
#include <cstdint>

namespace voltaro {

// The channel boxes, in the order of SaveHrmCh.
namespace harmonic_channel {
inline constexpr int U1 = 0;
inline constexpr int U2 = 1;
inline constexpr int U3 = 2;
inline constexpr int P = 3;
inline constexpr int I1 = 4;
inline constexpr int I2 = 5;
inline constexpr int I3 = 6;
inline constexpr int I4 = 7;
}  // namespace harmonic_channel
inline constexpr int kHarmonicChannelCount = 8;
inline constexpr int kHarmonicLoadCount = 4;
inline constexpr int kHarmonicItemCount = 5;  // Level, Content, PA, Total, THD
inline constexpr int kHarmonicThdItem = 4;
inline constexpr int kHarmonicOrderCount = 50;

// The order selection list.
namespace order_selection {
inline constexpr std::int16_t All = 0;
inline constexpr std::int16_t Odd = 1;
inline constexpr std::int16_t Even = 2;
inline constexpr std::int16_t Select = 3;
}  // namespace order_selection

using HarmonicChannelFlags = std::array<std::int16_t, kHarmonicChannelCount>;
using HarmonicOrderFlags = std::array<std::int16_t, kHarmonicOrderCount>;

// Whether a wiring offers the channel box `channel`; an unknown wiring or channel gives false.
bool IsHarmonicChannelOffered(std::int16_t wiring, int channel);

// 3P3W+1P3W shows its single-phase system again in five mirror boxes, which copy these
// channel boxes in this order.
inline constexpr std::array<int, 5> kHarmonicMirrorChannels = {
    harmonic_channel::U1, harmonic_channel::U2, harmonic_channel::P, harmonic_channel::I1, harmonic_channel::I4};
bool HasHarmonicMirrorBoxes(std::int16_t wiring);
std::array<std::int16_t, kHarmonicMirrorChannels.size()> HarmonicMirrorTicks(const HarmonicChannelFlags& ticked);

// I4 alone has no THD to save: the THD item box is open when a ticked channel box the
// wiring offers is one other than I4.
bool IsHarmonicThdItemEnabled(std::int16_t wiring, const HarmonicChannelFlags& ticked);

// Whether load box `box` (0..3) is open for the record's load number `load`.
bool IsHarmonicLoadOffered(std::int16_t load, int box);

struct CheckBoxState {
    bool enabled;
    bool ticked;

    friend bool operator==(const CheckBoxState&, const CheckBoxState&) = default;
};

// The harmonic save boxes right after the wiring or the load changed: every box the wiring
// and load offer is open and ticked, the others are closed and cleared, and with harmonic
// saving off (`saving` false) everything is. The order boxes follow HarmonicOrderBoxesFor.
struct HarmonicSaveBoxes {
    std::array<CheckBoxState, kHarmonicLoadCount> loads;
    std::array<CheckBoxState, kHarmonicChannelCount> channels;
    std::array<CheckBoxState, kHarmonicItemCount> items;
    bool orderSelection;  // the order selection list is open
    bool mirrors;         // the mirror boxes are shown, ticked as HarmonicMirrorTicks gives

    friend bool operator==(const HarmonicSaveBoxes&, const HarmonicSaveBoxes&) = default;
};
HarmonicSaveBoxes HarmonicSaveBoxesFor(std::int16_t wiring, std::int16_t load, bool saving);

// The order boxes for an order selection: all, odd or even orders ticked and the boxes
// closed, or for Select the record's `saved` flags and the boxes open. A selection outside
// the list closes and clears them.
struct HarmonicOrderBoxes {
    bool enabled;
    HarmonicOrderFlags ticked;

    friend bool operator==(const HarmonicOrderBoxes&, const HarmonicOrderBoxes&) = default;
};
HarmonicOrderBoxes HarmonicOrderBoxesFor(std::int16_t selection, const HarmonicOrderFlags& saved);

}  // namespace voltaro
