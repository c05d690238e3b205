// The built-in catalogue against what windows, boxes and the command line bind to by number:
// texts kept once per window that must agree, the lists that are filled by counting from a
// first id, and the block layout that keeps each window's texts together.
#include "app/Catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace voltaro {
namespace {

// Lists filled by counting from their first id; a gap or a pasted twin shifts every later entry.
struct ListRun {
    int first;
    int count;
};
// Serial ports, baud rates, flow control, wirings, current ranges, clamp sensors, intervals,
// standard voltages, analog output rates and measurement items.
constexpr ListRun kListRuns[] = {
    {303, 10}, {314, 6}, {333, 4}, {2102, 8}, {2126, 20}, {2148, 10}, {2316, 17}, {2705, 17}, {2921, 14}, {3000, 84},
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

TEST(CatalogueContentTest, TextsKeptOncePerWindowReadTheSame) {
    const Catalogue& catalogue = Catalogue::builtIn();
    // The ID box shows its own message with the text of the ID code.
    EXPECT_EQ(catalogue.text(2034), catalogue.codeText(349));
    for (const auto& pair : kSameText)
        EXPECT_EQ(catalogue.text(pair[0]), catalogue.text(pair[1])) << pair[0] << " vs " << pair[1];
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
        if (text.starts_with("/*****")) EXPECT_EQ(id, block->first) << "marker inside a block";
    }
}

}  // namespace
}  // namespace voltaro
