// The built-in catalogue against the texts that windows, boxes and the command line bind to
// by number: every error code, the texts code looks up directly, the lists that are filled by
// counting from a first id, and the block layout that keeps each window's texts together.
#include "app/Catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace voltaro {
namespace {

struct Entry {
    int number;
    std::string_view text;
};

// Every application error code with the exact text of its box. Some texts really lack their
// full stop (340, 440) and 356 keeps its odd spacing.
constexpr Entry kCodeTexts[] = {
    {100, "Communication failed."},
    {200, "Information on the pc card can't be read during integration measurement."},
    {201, "ZR915 not ready."},
    {202, "Measurement data is not cleared."},
    {203, "Pc card not ready."},
    {204, "Not setting file."},
    {205, "It is under hold."},
    {206, "It cannot move to a setting screen."},
    {207, "Cannot set to 30 seconds and under as RS-232 is connected to printer."},
    {208, "Cannot set printer as Interval time is 30 seconds and under."},
    {209, "Cannot set as RS-232 is connected to PC."},
    {210, "Cannot set as Hard copy is printer."},
    {211, "Reset failure."},
    {300, "Invalid wiring."},
    {301, "Invalid Load."},
    {302, "Invalid 1P connect."},
    {303, "Invalid U range."},
    {304, "Invalid A range."},
    {305, "Invalid VT ratio."},
    {306, "Invalid CT ratio."},
    {307, "Invalid clamp type."},
    {308, "Invalid var method."},
    {309, "Invalid sampling method."},
    {310, "Invalid Fixed clock."},
    {311, "Invalid Frequency source."},
    {312, "Invalid zero cross filter."},
    {313, "Invalid average times."},
    {314, "Invalid decimal point of electric energy."},
    {315, "Invalid unit of electric energy."},
    {316, "Invalid decimal point of interval electric energy."},
    {317, "Invalid unit of interval electric energy."},
    {318, "Invalid THD measuring method."},
    {319, "Invalid phase calculate method."},
    {320, "Invalid harmonic graph order."},
    {321, "Invalid measure start."},
    {322, "Invalid start date."},
    {323, "Invalid start time."},
    {324, "Invalid measure stop."},
    {325, "Invalid stop date."},
    {326, "Invalid stop time."},
    {327, "Invalid stop timer."},
    {328, "Invalid interval time."},
    {329, "Invalid data save."},
    {330, "Invalid hard copy."},
    {331, "Invalid filename."},
    {332, "Invalid output order."},
    {333, "Invalid RS-232 connect."},
    {334, "Invalid baud rate."},
    {335, "Invalid data length."},
    {336, "Invalid parity."},
    {337, "Invalid stop bit."},
    {338, "Invalid flow control."},
    {339, "Invalid voltage quality."},
    {340, "Invalid standard voltage"},
    {341, "Invalid swell."},
    {342, "Invalid dip."},
    {343, "Invalid interruption."},
    {344, "Invalid Hysteresis."},
    {345, "Invalid language."},
    {346, "Invalid beep."},
    {347, "Invalid backlight auto off."},
    {348, "Invalid LCD contrast."},
    {349, "Invalid ID No."},
    {350, "Invalid analog output.(item)"},
    {351, "Invalid analog output.(element)"},
    {352, "Invalid analog output.(order)"},
    {353, "Invalid analog output.(mag)"},
    {354, "Invalid analog output.(output rate)"},
    {355, "Invalid analog input range."},
    {356, "Product of [rated power xVT ratio xCT ratio x1.3] exceeds 999.9TW."},
    {357, "Invalid version number."},
    {358, "Invalid save items."},
    {359, "Invalid harmonic output items."},
    {400, "Wiring setting failure."},
    {401, "Load setting failure."},
    {402, "1P connect setting failure."},
    {403, "U range setting failure."},
    {404, "VT setting failure."},
    {405, "A range setting failure."},
    {406, "CT setting failure."},
    {407, "Clamp type setting failure."},
    {408, "Var method setting failure."},
    {409, "Sampling method setting failure."},
    {410, "Fixed clock setting failure."},
    {411, "Frequency source setting failure."},
    {412, "Zero cross filter setting failure."},
    {413, "Average times setting failure."},
    {414, "Decimal of electric energy setting failure."},
    {415, "Unit of electric energy setting failure."},
    {416, "Decimal of interval electric energy setting failure."},
    {417, "Unit of interval electric energy setting failure."},
    {418, "THD measuring method setting failure."},
    {419, "Phase calculating method setting failure."},
    {420, "Harmonic graph order setting failure."},
    {421, "Measure start setting failure."},
    {422, "Start date setting failure."},
    {423, "Start time setting failure."},
    {424, "Measure stop setting failure."},
    {425, "Stop date setting failure."},
    {426, "Stop time setting failure."},
    {427, "Stop timer setting failure."},
    {428, "Interval time setting failure."},
    {429, "Data save setting failure."},
    {430, "Copy setting failure."},
    {431, "File name setting failure."},
    {432, "Save item1 setting failure."},
    {433, "Normal save setting failure."},
    {434, "Electric energy/Demand save setting failure."},
    {435, "Waveform save setting failure."},
    {436, "Harmonics save setting failure."},
    {437, "Harmonics save item setting failure."},
    {438, "Save item2 setting failure."},
    {439, "Instant save setting failure."},
    {440, "Average save setting failure"},
    {441, "Max save setting failure."},
    {442, "Minimum save setting failure."},
    {443, "Save item3 setting failure."},
    {444, "Harmonics systematic save setting failure."},
    {445, "Save item4 setting failure."},
    {446, "Harmonics element setting failure."},
    {447, "Save item5 setting failure."},
    {448, "Harmonic output order setting failure."},
    {449, "Harmonics save order setting failure."},
    {450, "RS-232 connect setting failure."},
    {451, "Baud rate setting failure."},
    {452, "Data length setting failure."},
    {453, "Parity setting failure."},
    {454, "Stop bit setting failure."},
    {455, "Flow control setting failure."},
    {456, "Voltage quality setting failure."},
    {457, "Standard voltage setting failure."},
    {458, "Swell setting failure."},
    {459, "Dip setting failure."},
    {460, "Interruption setting failure."},
    {461, "Hysteresis setting failure."},
    {462, "Language setting failure."},
    {463, "Beep setting failure."},
    {464, "Backlight auto off setting failure."},
    {465, "LCD contrast setting failure."},
    {466, "ID No. setting failure."},
    {467, "Analog output item setting failure."},
    {468, "Analog output element setting failure."},
    {469, "Analog output order setting failure."},
    {470, "Analog output mag setting failure."},
    {471, "Analog output rate setting failure."},
    {472, "Analog input range setting failure."},
    {473, "System date setting failure."},
    {474, "System time setting failure."},
    {475, "Analog output1 setting failure."},
    {476, "Analog output2 setting failure."},
    {477, "Analog output3 setting failure."},
    {478, "Analog output4 setting failure."},
};

// Texts that code fetches by number, blanks and missing full stops included.
constexpr Entry kTexts[] = {
    {101, "Voltaro"},
    {102, "Setup"},
    {103, "File transfer"},
    {104, "File conv."},
    {105, "File divide"},
    {106, "Help"},
    {107, "Exit"},
    {108, "   Voltaro  Version  "},
    {300, "/***** frmComSetting???? *****/"},
    {312, "COM10"},
    {335, "XON/RS"},
    {336, "CS/RS"},
    {409, " already exists."},
    {415, "Communicating ..."},
    {420, "Do you want to replace it?"},
    {514, "is not a normal file."},
    {999, "This error is undefined with the application."},
    {1001, "voltaroe.hlp"},
    {1002, "To use Voltaro, set RS-232 connection of ZR915 to PC."},
    {2009, "Setting file(*.set)|*.SET"},
    {2012, "Communicating ..."},
    {2013, "Receiving the setting data ..."},
    {2014, "Sending the setting data ..."},
    {2017, "Interval time is set to 30 seconds and under"},
    {2109, "3P3W+1P3W"},
    {2332, "60min"},
    {2411, "Save/Print  item"},
    {2802, "Japanese"},  // the default meter language follows this entry
    {2940, "5V"},
    {3000, "U1"},
    {3036, "Wh+_1"},
    {3083, "Varh-_1P"},
};

// Lists filled by counting from their first id; a gap or a pasted twin shifts every later entry.
struct ListRun {
    int first;
    int count;
};
constexpr ListRun kListRuns[] = {
    {303, 10},   // serial ports
    {314, 6},    // baud rates
    {333, 4},    // flow control
    {2102, 8},   // wirings
    {2126, 20},  // current ranges
    {2148, 10},  // clamp sensors
    {2316, 17},  // intervals
    {2705, 17},  // standard voltages
    {2921, 14},  // analog output rates
    {3000, 84},  // measurement items
};

// The id blocks, one per window or purpose; a marker line may stand only at a block's first id.
struct Block {
    int first;
    int last;
};
constexpr Block kBlocks[] = {
    {100, 109},  {300, 336},   {400, 430},   {500, 517},   {600, 625},   {700, 703},
    {800, 947},  {999, 999},   {1000, 1002}, {2000, 2047}, {2100, 2940}, {3000, 3083},
};

// Texts kept once per window that must still read the same everywhere.
constexpr int kSameText[][2] = {
    {415, 2012},  // progress caption
    {510, 617},   // not a data file
    {512, 621},   // file name too short
    {514, 624},   // not a normal file
    {515, 625},   // unreachable folder
    {106, 502},   // help button
    {106, 602},
};

TEST(CatalogueContentTest, EveryApplicationCodeHasItsExactText) {
    const Catalogue& catalogue = Catalogue::builtIn();
    std::vector<int> expected;
    for (const Entry& entry : kCodeTexts) {
        SCOPED_TRACE(entry.number);
        EXPECT_TRUE(catalogue.hasCode(entry.number));
        EXPECT_EQ(catalogue.codeText(entry.number), entry.text);
        expected.push_back(entry.number);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(catalogue.codes(), expected) << "a code outside the table";
    EXPECT_FALSE(catalogue.hasCode(-1));
}

TEST(CatalogueContentTest, TextsLookedUpByNumberAreExact) {
    const Catalogue& catalogue = Catalogue::builtIn();
    for (const Entry& entry : kTexts) {
        SCOPED_TRACE(entry.number);
        EXPECT_TRUE(catalogue.hasText(entry.number));
        EXPECT_EQ(catalogue.text(entry.number), entry.text);
    }
    // The ID box shows its own message with the text of the ID code.
    EXPECT_EQ(catalogue.text(2034), catalogue.codeText(349));
    for (const auto& pair : kSameText) {
        EXPECT_EQ(catalogue.text(pair[0]), catalogue.text(pair[1])) << pair[0] << " vs " << pair[1];
    }
}

TEST(CatalogueContentTest, CountedListsHaveNoGapsOrTwins) {
    const Catalogue& catalogue = Catalogue::builtIn();
    for (const ListRun& run : kListRuns) {
        SCOPED_TRACE(run.first);
        std::set<std::string> seen;
        for (int id = run.first; id < run.first + run.count; ++id) {
            EXPECT_TRUE(catalogue.hasText(id)) << id;
            EXPECT_TRUE(seen.insert(catalogue.text(id)).second) << id << " repeats an earlier entry";
        }
    }
}

TEST(CatalogueContentTest, EveryTextLiesInItsBlockAndMarkersOnlyOpenBlocks) {
    const Catalogue& catalogue = Catalogue::builtIn();
    for (int id : catalogue.textIds()) {
        const auto block = std::find_if(std::begin(kBlocks), std::end(kBlocks),
                                        [id](const Block& b) { return b.first <= id && id <= b.last; });
        ASSERT_NE(block, std::end(kBlocks)) << id << " lies outside every block";
        const std::string& text = catalogue.text(id);
        EXPECT_FALSE(text.empty()) << id;
        if (text.rfind("/*****", 0) == 0) {
            EXPECT_EQ(id, block->first) << "marker inside a block";
        }
    }
}

}  // namespace
}  // namespace voltaro
