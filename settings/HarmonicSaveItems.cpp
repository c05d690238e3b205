#include "settings/HarmonicSaveItems.h"

#include <iterator>

#include "settings/CodeTables.h"
#include "settings/WiringIndexes.h"

namespace voltaro {

namespace {

// The channel boxes each wiring offers, in wiring order.
constexpr HarmonicChannelFlags kOfferedChannels[kWiringCount] = {
    // U1 U2 U3 P  I1 I2 I3 I4
    {1, 0, 0, 1, 0, 0, 0, 1},  // 1P2W
    {1, 1, 0, 1, 1, 0, 0, 1},  // 1P3W
    {1, 1, 0, 1, 1, 0, 1, 1},  // 1P3W3I
    {1, 1, 1, 1, 1, 1, 0, 1},  // 3P3W2I
    {1, 1, 1, 1, 1, 1, 0, 1},  // 3P3W3I
    {1, 1, 1, 1, 1, 1, 0, 1},  // 3P4W
    {1, 1, 1, 1, 1, 1, 1, 1},  // 3P4W4I
    {1, 1, 1, 1, 1, 1, 0, 1},  // 3P3W+1P3W
};

// What All, Odd and Even tick.
struct OrderPattern {
    bool oddOrders;
    bool evenOrders;
};
constexpr OrderPattern kOrderPatterns[] = {{true, true}, {true, false}, {false, true}};

template <std::size_t Count>
std::array<CheckBoxState, Count> boxes(bool open, auto offered) {
    std::array<CheckBoxState, Count> out{};
    for (std::size_t k = 0; k < Count; ++k) {
        const bool on = open && offered(static_cast<int>(k));
        out[k] = {on, on};
    }
    return out;
}

}  // namespace

bool IsHarmonicChannelOffered(std::int16_t wiring, int channel) {
    if (wiring < 0 || wiring >= kWiringCount || channel < 0 || channel >= kHarmonicChannelCount) return false;
    return kOfferedChannels[wiring][static_cast<std::size_t>(channel)] != 0;
}

bool HasHarmonicMirrorBoxes(std::int16_t wiring) { return wiring == wiring::k3P3W1P3W; }

std::array<std::int16_t, kHarmonicMirrorChannels.size()> HarmonicMirrorTicks(const HarmonicChannelFlags& ticked) {
    std::array<std::int16_t, kHarmonicMirrorChannels.size()> mirrors{};
    for (std::size_t k = 0; k < mirrors.size(); ++k)
        mirrors[k] = ticked[static_cast<std::size_t>(kHarmonicMirrorChannels[k])];
    return mirrors;
}

bool IsHarmonicThdItemEnabled(std::int16_t wiring, const HarmonicChannelFlags& ticked) {
    for (int channel = 0; channel < kHarmonicChannelCount; ++channel)
        if (channel != harmonic_channel::I4 && ticked[static_cast<std::size_t>(channel)] != 0 &&
            IsHarmonicChannelOffered(wiring, channel))
            return true;
    return false;
}

bool IsHarmonicLoadOffered(std::int16_t load, int box) { return box >= 0 && box < kHarmonicLoadCount && box < load; }

HarmonicSaveBoxes HarmonicSaveBoxesFor(std::int16_t wiring, std::int16_t load, bool saving) {
    return {
        .loads = boxes<kHarmonicLoadCount>(saving, [&](int box) { return IsHarmonicLoadOffered(load, box); }),
        .channels = boxes<kHarmonicChannelCount>(
            saving, [&](int channel) { return IsHarmonicChannelOffered(wiring, channel); }),
        .items = boxes<kHarmonicItemCount>(saving, [](int) { return true; }),
        .orderSelection = saving,
        .mirrors = saving && HasHarmonicMirrorBoxes(wiring),
    };
}

HarmonicOrderBoxes HarmonicOrderBoxesFor(std::int16_t selection, const HarmonicOrderFlags& saved) {
    if (selection == order_selection::Select) return {true, saved};
    HarmonicOrderBoxes out{false, {}};
    if (selection < 0 || selection >= static_cast<std::int16_t>(std::size(kOrderPatterns))) return out;
    const OrderPattern pattern = kOrderPatterns[selection];
    for (std::size_t k = 0; k < out.ticked.size(); ++k) {
        const bool oddOrder = k % 2 == 0;  // flag k is order k + 1
        out.ticked[k] = (oddOrder ? pattern.oddOrders : pattern.evenOrders) ? 1 : 0;
    }
    return out;
}

}  // namespace voltaro
