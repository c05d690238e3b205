// Reading a catalogue, and the built-in one against what windows, boxes and the command line
// bind to by number: texts kept once per window that must agree, and the lists that are
// filled by counting from a first id.
#include "app/Catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace voltaro {
namespace {

TEST(CatalogueParse, KeepsTextsByteForByteAndUnescapes) {
    std::string error;
    const auto catalogue = Catalogue::parse(
        "# comment\n\n[texts]\n"
        "108\t   Voltaro  Version  \n"
        "110\tline one\\nline two\\r\\ttabbed \\\\ end\r\n"
        "111\t\n"
        "112\tkeeps\ttabs after the first\n"
        "[codes]\n"
        "100\tCommunication failed.\n",
        error);
    ASSERT_TRUE(catalogue) << error;
    EXPECT_EQ(catalogue->text(108), "   Voltaro  Version  ");
    EXPECT_EQ(catalogue->text(110), "line one\nline two\r\ttabbed \\ end");
    EXPECT_EQ(catalogue->text(112), "keeps\ttabs after the first");
    EXPECT_EQ(catalogue->codeText(100), "Communication failed.");
    EXPECT_EQ(catalogue->textIds(), (std::vector<int>{108, 110, 111, 112}));  // codes are a number space apart
}

TEST(CatalogueParse, RefusesMalformedFilesNamingTheLine) {
    const struct {
        const char* data;
        const char* line;
    } cases[] = {
        {"101\tbefore any section\n", "line 1"},
        {"[texts]\n101 no tab\n", "line 2"},
        {"[texts]\n101\tbad \\q escape\n", "line 2"},
        {"[texts]\n102\ta\n101\tb\n", "line 3"},
        {"[texts]\n101\ta\n101\tb\n", "line 3"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(Catalogue::parse(c.data, error)) << c.data;
        EXPECT_NE(error.find(c.line), std::string::npos) << error;
    }
}

// Lists filled by counting from their first id; a gap or a pasted twin shifts every later entry.
// Serial ports, baud rates, flow control, wirings, current ranges, clamp sensors, intervals,
// standard voltages, analog output rates and measurement items.
constexpr int kListRuns[][2] = {
    {303, 10}, {314, 6}, {333, 4}, {2102, 8}, {2126, 20}, {2148, 10}, {2316, 17}, {2705, 17}, {2921, 14}, {3000, 84},
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

TEST(CatalogueContent, TextsKeptOncePerWindowReadTheSame) {
    const Catalogue& catalogue = Catalogue::builtIn();
    // The ID box shows its own message with the text of the ID code.
    EXPECT_EQ(catalogue.text(2034), catalogue.codeText(349));
    for (const auto& pair : kSameText)
        EXPECT_EQ(catalogue.text(pair[0]), catalogue.text(pair[1])) << pair[0] << " vs " << pair[1];
}

TEST(CatalogueContent, CountedListsHaveNoGapsOrTwins) {
    const Catalogue& catalogue = Catalogue::builtIn();
    for (const auto& [first, count] : kListRuns) {
        std::set<std::string> seen;
        for (int id = first; id < first + count; ++id) {
            EXPECT_TRUE(catalogue.hasText(id)) << id;
            EXPECT_TRUE(seen.insert(catalogue.text(id)).second) << id << " repeats an earlier entry";
        }
    }
}

}  // namespace
}  // namespace voltaro
