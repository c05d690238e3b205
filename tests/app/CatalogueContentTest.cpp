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

// Error codes whose texts are easy to "correct" by mistake: some really lack their full stop
// (340, 440) and 356 keeps its odd spacing; the first and last codes bound the table.
constexpr Entry kCodeTexts[] = {
    {100, "Communication failed."},
    {204, "Not setting file."},
    {331, "Invalid filename."},
    {340, "Invalid standard voltage"},
    {356, "Product of [rated power xVT ratio xCT ratio x1.3] exceeds 999.9TW."},
    {440, "Average save setting failure"},
    {478, "Analog output4 setting failure."},
};

// Texts that code fetches by number, blanks and missing full stops included.
constexpr Entry kTexts[] = {
    {420, "Do you want to replace it?"},
    {514, "is not a normal file."},
    {999, "This error is undefined with the application."},
    {1002, "To use Voltaro, set RS-232 connection of ZR915 to PC."},
    {2009, "Setting file(*.set)|*.SET"},
    {2017, "Interval time is set to 30 seconds and under"},
    {2411, "Save/Print  item"},
    {2802, "Japanese"},  // the default meter language follows this entry
    {3000, "U1"},
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

TEST(CatalogueContentTest, CodesKeepTheirExactTexts) {
    const Catalogue& catalogue = Catalogue::builtIn();
    for (const Entry& entry : kCodeTexts) {
        SCOPED_TRACE(entry.number);
        EXPECT_TRUE(catalogue.hasCode(entry.number));
        EXPECT_EQ(catalogue.codeText(entry.number), entry.text);
    }
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
