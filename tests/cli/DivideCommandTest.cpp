#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/CommandLine.h"
#include "support/TemporaryFolder.h"

namespace voltaro {
namespace {

// A converted file: 14 setting lines (the last ends in a lone CR), the title row, 10 rows.
std::string convertedFile() {
    std::string text = "MODEL,ZR915,T351\r\n";
    for (int i = 2; i <= 13; ++i) text += "KEY" + std::to_string(i) + ",x\r\n";
    text += "CT,1.00,1.00,1.00,1.00\r\r\nDATE,TIME,,A,B\r\n";
    for (int row = 0; row < 10; ++row) text += "2004/01/01,00:00:0" + std::to_string(row) + ",X,1,2\r\n";
    return text;
}

struct DivideCommand : ::testing::Test {
    test::TemporaryFolder folder;
    std::istringstream in;
    std::ostringstream out, err;
    std::string input = (folder.path() / "DATA.CSV").string();

    DivideCommand() { std::ofstream(input, std::ios::binary) << convertedFile(); }
    int divide(std::vector<std::string> args, bool terminal = false) {
        args.insert(args.begin(), "divide");
        args.insert(args.end(), {"-o", folder.path().string(), input});
        err.str("");
        return RunCommandLine(args, {in, out, err, terminal, false});
    }
    bool exists(const char* name) const { return std::filesystem::exists(folder.path() / name); }
    // Whether piece zero is still the four bytes put there in its place.
    bool kept() const { return std::filesystem::file_size(folder.path() / "DATA_00.CSV") == 4; }
};

TEST_F(DivideCommand, ExistingPiecesAreOverwrittenOnlyWhenTheUserAgrees) {
    std::ofstream(folder.path() / "DATA_00.CSV") << "keep";
    EXPECT_EQ(divide({"--lines", "20"}), 1);  // nobody to ask: Cancel
    EXPECT_NE(err.str().find(" Cancel\n"), std::string::npos);
    EXPECT_TRUE(kept());
    EXPECT_FALSE(exists("DATA_01.CSV"));

    in.str("ok\n");
    EXPECT_EQ(divide({"--lines", "20"}, true), 0);
    EXPECT_FALSE(kept());
    std::ofstream(folder.path() / "DATA_00.CSV") << "keep";
    EXPECT_EQ(divide({"--lines", "20", "--yes"}), 0);
    EXPECT_FALSE(kept());
}

}  // namespace
}  // namespace voltaro
