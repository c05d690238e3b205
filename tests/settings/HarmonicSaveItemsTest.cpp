#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "settings/HarmonicSaveItems.h"

namespace voltaro {
namespace {

constexpr const char* kChannels[] = {"U1", "U2", "U3", "P", "I1", "I2", "I3", "I4"};

// The boxes that are open and ticked, by caption; any open box not ticked or ticked box not
// open shows as "?caption".
template <std::size_t Count>
std::string openBoxes(const std::array<CheckBoxState, Count>& boxes, auto caption) {
    std::string out;
    for (std::size_t k = 0; k < Count; ++k) {
        if (!boxes[k].enabled && !boxes[k].ticked) continue;
        out += (out.empty() ? "" : " ") + std::string(boxes[k].enabled && boxes[k].ticked ? "" : "?") + caption(k);
    }
    return out;
}
std::string channelNames(const std::array<CheckBoxState, kHarmonicChannelCount>& boxes) {
    return openBoxes(boxes, [](std::size_t k) { return std::string(kChannels[k]); });
}
std::string loadNames(const std::array<CheckBoxState, kHarmonicLoadCount>& boxes) {
    return openBoxes(boxes, [](std::size_t k) { return "Load" + std::to_string(k + 1); });
}
HarmonicChannelFlags ticked(std::initializer_list<int> channels) {
    HarmonicChannelFlags flags{};
    for (const int channel : channels) flags[static_cast<std::size_t>(channel)] = 1;
    return flags;
}

TEST(HarmonicSaveItems, WiringAndLoadLeaveTheirBoxesOpenAndTicked) {
    const struct {
        std::int16_t wiring, load;
        const char* channels;
        const char* loads;
    } cases[] = {
        {0, 1, "U1 P I4", "Load1"},
        {0, 3, "U1 P I4", "Load1 Load2 Load3"},
        {0, 4, "U1 P I4", "Load1 Load2 Load3 Load4"},
        {1, 2, "U1 U2 P I1 I4", "Load1 Load2"},
        {2, 1, "U1 U2 P I1 I3 I4", "Load1"},
        {3, 2, "U1 U2 U3 P I1 I2 I4", "Load1 Load2"},
        {4, 1, "U1 U2 U3 P I1 I2 I4", "Load1"},
        {5, 1, "U1 U2 U3 P I1 I2 I4", "Load1"},
        {6, 1, "U1 U2 U3 P I1 I2 I3 I4", "Load1"},
        {7, 1, "U1 U2 U3 P I1 I2 I4", "Load1"},
        {8, 0, "", ""},
    };
    for (const auto& c : cases) {
        const HarmonicSaveBoxes boxes = HarmonicSaveBoxesFor(c.wiring, c.load, true);
        EXPECT_EQ(channelNames(boxes.channels), c.channels) << "wiring " << c.wiring;
        EXPECT_EQ(loadNames(boxes.loads), c.loads) << "wiring " << c.wiring << ", load " << c.load;
        EXPECT_EQ(boxes.items, (std::array<CheckBoxState, 5>{{{true, true}, {true, true}, {true, true}, {true, true},
                                                              {true, true}}}));
        EXPECT_TRUE(boxes.orderSelection);
        EXPECT_EQ(boxes.mirrors, c.wiring == 7) << "wiring " << c.wiring;
    }
    // Without harmonic saving every box is closed and cleared, and the mirror boxes stay hidden.
    EXPECT_EQ(HarmonicSaveBoxesFor(7, 1, false), (HarmonicSaveBoxes{{}, {}, {}, false, false}));
}

TEST(HarmonicSaveItems, MirrorBoxesCopyTheirOwnChannels) {
    const struct {
        int channel;
        std::array<std::int16_t, 5> mirrors;  // U1, U2, P, I1, I4
    } cases[] = {
        {0, {1, 0, 0, 0, 0}}, {1, {0, 1, 0, 0, 0}}, {2, {0, 0, 0, 0, 0}}, {3, {0, 0, 1, 0, 0}},
        {4, {0, 0, 0, 1, 0}}, {5, {0, 0, 0, 0, 0}}, {6, {0, 0, 0, 0, 0}}, {7, {0, 0, 0, 0, 1}},
    };
    for (const auto& c : cases) EXPECT_EQ(HarmonicMirrorTicks(ticked({c.channel})), c.mirrors) << kChannels[c.channel];
}

TEST(HarmonicSaveItems, ThdNeedsATickedOfferedChannelOtherThanI4) {
    const struct {
        std::int16_t wiring;
        HarmonicChannelFlags channels;
        bool thd;
    } cases[] = {
        {0, ticked({7}), false},          {0, ticked({0}), true},  {0, ticked({3, 7}), true},
        {0, ticked({1, 2, 4, 5, 6, 7}), false},  // ticked but not offered under 1P2W
        {1, ticked({4}), true},           {1, ticked({6}), false}, {2, ticked({6}), true},
        {5, ticked({6, 7}), false},       {5, ticked({5}), true},  {6, ticked({7}), false},
        {6, ticked({6}), true},           {7, ticked({2}), true},  {3, ticked({}), false},
        {8, ticked({0, 1, 2, 3, 4, 5, 6, 7}), false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsHarmonicThdItemEnabled(c.wiring, c.channels), c.thd) << c.wiring;
}

TEST(HarmonicSaveItems, OrderSelectionTicksAllOddOrEvenOrdersOrTheSavedOnes) {
    HarmonicOrderFlags saved{};
    saved[1] = saved[48] = 1;  // orders 2 and 49
    const struct {
        std::int16_t selection;
        bool enabled;
        std::array<std::int16_t, 4> orders1_2_49_50;
        int count;
    } cases[] = {
        {0, false, {1, 1, 1, 1}, 50}, {1, false, {1, 0, 1, 0}, 25}, {2, false, {0, 1, 0, 1}, 25},
        {3, true, {0, 1, 1, 0}, 2},   {4, false, {0, 0, 0, 0}, 0},  {-1, false, {0, 0, 0, 0}, 0},
    };
    for (const auto& c : cases) {
        const HarmonicOrderBoxes boxes = HarmonicOrderBoxesFor(c.selection, saved);
        EXPECT_EQ(boxes.enabled, c.enabled) << c.selection;
        const auto& t = boxes.ticked;
        EXPECT_EQ((std::array{t[0], t[1], t[48], t[49]}), c.orders1_2_49_50) << c.selection;
        EXPECT_EQ(std::count(t.begin(), t.end(), 1), c.count) << c.selection;
    }
}

}  // namespace
}  // namespace voltaro
