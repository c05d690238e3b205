#include <gtest/gtest.h>

#include "app/Catalogue.h"
#include "settings/AnalogOutputItems.h"

namespace voltaro {
namespace {

constexpr std::int16_t k1P2W = 0, k1P3W = 1, k1P3W3I = 2, k3P3W2I = 3, k3P3W3I = 4, k3P4W = 5, k3P4W4I = 6,
                       k3P3W1P3W = 7;
constexpr std::int16_t kNormal = 0, kEnergy = 1, kLevel = 2, kContent = 3, kHarmPA = 4, kTotal = 5, kThd = 6;

// The items of a list by their window labels, "U1 I1_1 ...".
std::string labels(const std::vector<std::int16_t>& list) {
    std::string out;
    for (const std::int16_t item : list) out += (out.empty() ? "" : " ") + Catalogue::builtIn().text(3000 + item);
    return out;
}

constexpr const char* kEnergy1 = "Wh+_1 Wh-_1 Varh+_1 Varh-_1";
constexpr const char* kEnergy2 = "Wh+_1 Wh+_2 Wh-_1 Wh-_2 Varh+_1 Varh+_2 Varh-_1 Varh-_2";

// Every load count each wiring allows, for the kinds that differ most, and a sample of the others.
TEST(AnalogOutputItems, ListsFollowWiringLoadAndKind) {
    const struct {
        std::int16_t wiring, load, kind;
        const char* expected;
    } cases[] = {
        {k1P2W, 1, kNormal, "U1 I1_1 P_1 Q_1 S_1 PF_1 PA_1 F"},
        {k1P2W, 2, kNormal, "U1 I1_1 I1_2 P_1 P_2 Q_1 Q_2 S_1 S_2 PF_1 PF_2 PA_1 PA_2 F"},
        {k1P2W, 3, kNormal, "U1 I1_1 I1_2 I1_3 P_1 P_2 P_3 Q_1 Q_2 Q_3 S_1 S_2 S_3 PF_1 PF_2 PF_3 PA_1 PA_2 PA_3 F"},
        {k1P2W, 4, kNormal, "U1 I1_1 I1_2 I1_3 I1_4 P_1 P_2 P_3 P_4 Q_1 Q_2 Q_3 Q_4 S_1 S_2 S_3 S_4 "
                            "PF_1 PF_2 PF_3 PF_4 PA_1 PA_2 PA_3 PA_4 F"},
        {k1P3W, 1, kNormal, "U1 U2 Uave I1_1 I2_1 Iave_1 P_1 Q_1 S_1 PF_1 PA_1 F"},
        {k1P3W, 2, kNormal, "U1 U2 Uave I1_1 I2_1 Iave_1 I1_2 I2_2 Iave_2 "
                            "P_1 P_2 Q_1 Q_2 S_1 S_2 PF_1 PF_2 PA_1 PA_2 F"},
        {k1P3W3I, 1, kNormal, "U1 U2 Uave I1_1 I2_1 I4_1 Iave_1 P_1 Q_1 S_1 PF_1 PA_1 F"},
        {k3P3W2I, 1, kNormal, "U1 U2 U3 Uave I1_1 I2_1 I3_1 Iave_1 P_1 Q_1 S_1 PF_1 PA_1 F"},
        {k3P3W2I, 2, kNormal, "U1 U2 U3 Uave I1_1 I2_1 I3_1 Iave_1 I1_2 I2_2 I3_2 Iave_2 "
                              "P_1 P_2 Q_1 Q_2 S_1 S_2 PF_1 PF_2 PA_1 PA_2 F"},
        {k3P3W3I, 1, kNormal, "U1 U2 U3 Uave I1_1 I2_1 I3_1 Iave_1 P_1 Q_1 S_1 PF_1 PA_1 F"},
        {k3P4W, 1, kNormal, "U1 U2 U3 Uave I1_1 I2_1 I3_1 Iave_1 P_1 Q_1 S_1 PF_1 PA_1 F"},
        {k3P4W4I, 1, kNormal, "U1 U2 U3 Uave I1_1 I2_1 I3_1 I4_1 Iave_1 P_1 Q_1 S_1 PF_1 PA_1 F"},
        {k3P3W1P3W, 1, kNormal, "U1_3P U2_3P U3_3P Uave_3P I1_3P I2_3P I3_3P Iave_3P P_3P Q_3P S_3P PF_3P PA_3P "
                                "U1_1P U2_1P Uave_1P I1_1P I2_1P Iave_1P P_1P Q_1P S_1P PF_1P PA_1P F"},

        {k1P2W, 1, kThd, "U1 I1_1"},
        {k1P2W, 2, kThd, "U1 I1_1 I1_2"},
        {k1P2W, 3, kThd, "U1 I1_1 I1_2 I1_3"},
        {k1P2W, 4, kThd, "U1 I1_1 I1_2 I1_3 I1_4"},
        {k1P3W, 1, kThd, "U1 U2 I1_1 I2_1"},
        {k1P3W, 2, kThd, "U1 U2 I1_1 I2_1 I1_2 I2_2"},
        {k1P3W3I, 1, kThd, "U1 U2 I1_1 I2_1 I4_1"},
        {k3P3W2I, 1, kThd, "U1 U2 U3 I1_1 I2_1 I3_1"},
        {k3P3W2I, 2, kThd, "U1 U2 U3 I1_1 I2_1 I3_1 I1_2 I2_2 I3_2"},
        {k3P3W3I, 1, kThd, "U1 U2 U3 I1_1 I2_1 I3_1"},
        {k3P4W, 1, kThd, "U1 U2 U3 I1_1 I2_1 I3_1"},
        {k3P4W4I, 1, kThd, "U1 U2 U3 I1_1 I2_1 I3_1 I4_1"},
        {k3P3W1P3W, 1, kThd, "U1_3P U2_3P U3_3P I1_3P I2_3P I3_3P U1_1P U2_1P I1_1P I2_1P"},

        {k1P2W, 1, kEnergy, kEnergy1},
        {k1P2W, 2, kEnergy, kEnergy2},
        {k1P2W, 3, kEnergy, "Wh+_1 Wh+_2 Wh+_3 Wh-_1 Wh-_2 Wh-_3 Varh+_1 Varh+_2 Varh+_3 Varh-_1 Varh-_2 Varh-_3"},
        {k1P2W, 4, kEnergy, "Wh+_1 Wh+_2 Wh+_3 Wh+_4 Wh-_1 Wh-_2 Wh-_3 Wh-_4 "
                            "Varh+_1 Varh+_2 Varh+_3 Varh+_4 Varh-_1 Varh-_2 Varh-_3 Varh-_4"},
        {k1P3W, 1, kEnergy, kEnergy1},
        {k1P3W, 2, kEnergy, kEnergy2},
        {k1P3W3I, 1, kEnergy, kEnergy1},
        {k3P3W2I, 1, kEnergy, kEnergy1},
        {k3P3W2I, 2, kEnergy, kEnergy2},
        {k3P3W3I, 1, kEnergy, kEnergy1},
        {k3P4W, 1, kEnergy, kEnergy1},
        {k3P4W4I, 1, kEnergy, kEnergy1},
        {k3P3W1P3W, 1, kEnergy, "Wh+_3P Wh-_3P Varh+_3P Varh-_3P Wh+_1P Wh-_1P Varh+_1P Varh-_1P"},

        // The harmonic kinds and Total: the THD list with the power of each load.
        {k1P2W, 2, kLevel, "U1 I1_1 I1_2 P_1 P_2"},
        {k1P3W3I, 1, kContent, "U1 U2 I1_1 I2_1 I4_1 P_1"},
        {k3P3W2I, 2, kHarmPA, "U1 U2 U3 I1_1 I2_1 I3_1 I1_2 I2_2 I3_2 P_1 P_2"},
        {k3P3W1P3W, 1, kTotal, "U1_3P U2_3P U3_3P I1_3P I2_3P I3_3P P_3P U1_1P U2_1P I1_1P I2_1P P_1P"},

        // A load number outside 1..4 counts as the nearest; an unknown wiring or kind lists nothing.
        {k1P2W, 0, kEnergy, kEnergy1},
        {k1P2W, 5, kThd, "U1 I1_1 I1_2 I1_3 I1_4"},
        {8, 1, kNormal, ""},
        {-1, 1, kNormal, ""},
        {k3P4W, 1, 7, ""},
        {k3P4W, 1, -1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(labels(BuildDaItemList(c.wiring, c.load, c.kind)), c.expected)
            << "wiring " << c.wiring << ", load " << c.load << ", kind " << c.kind;
}

TEST(AnalogOutputItems, PositionsMapToStoredItemsWithinTheListOnly) {
    const std::vector<std::int16_t> normal = BuildDaItemList(k1P2W, 1, kNormal);
    EXPECT_EQ(DaItemToPosition(normal, 15), 2);  // P_1
    EXPECT_EQ(DaItemToPosition(normal, 35), 7);  // F
    EXPECT_EQ(DaItemToPosition(normal, 0), 0);
    EXPECT_EQ(PositionToDaItem(normal, 2), 15);
    EXPECT_EQ(PositionToDaItem(normal, 7), 35);
    EXPECT_EQ(PositionToDaItem(normal, 8), -1);
    EXPECT_EQ(PositionToDaItem(normal, -1), -1);

    // Normal measure to THD under 1P2W: the stored P_1 is gone, so the window falls back to the first entry.
    const std::vector<std::int16_t> thd = BuildDaItemList(k1P2W, 1, kThd);
    EXPECT_EQ(DaItemToPosition(thd, 15), -1);
    EXPECT_EQ(DaItemToPosition(thd, 4), 1);
    EXPECT_EQ(DaItemToPosition({}, 0), -1);
    EXPECT_EQ(PositionToDaItem({}, 0), -1);
}

TEST(AnalogOutputItems, KindsTakeOrderMagnificationOrRate) {
    const struct {
        std::int16_t kind;
        DaKindChoices expected;
    } cases[] = {
        {kNormal, {false, false, false}}, {kEnergy, {false, false, true}}, {kLevel, {true, true, false}},
        {kContent, {true, true, false}},  {kHarmPA, {true, false, false}}, {kTotal, {false, false, false}},
        {kThd, {false, false, false}},    {7, {false, false, false}},      {-1, {false, false, false}},
    };
    for (const auto& c : cases) EXPECT_EQ(DaKindChoicesFor(c.kind), c.expected) << "kind " << c.kind;
}

// Only the reactive energies have their rates in kVarh: not active energy, not reactive power.
TEST(AnalogOutputItems, ReactiveEnergiesAreTheVarhItems) {
    for (const std::int16_t item : {44, 47, 48, 51, 67, 68, 82, 83}) EXPECT_TRUE(IsReactiveEnergyItem(item)) << item;
    for (const std::int16_t item : {0, 19, 36, 43, 61, 65, 66, 76, 80, 81, -1, 84})
        EXPECT_FALSE(IsReactiveEnergyItem(item)) << item;
}

}  // namespace
}  // namespace voltaro
