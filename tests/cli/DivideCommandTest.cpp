#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
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

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct DivideCommand : ::testing::Test {
    test::TemporaryFolder folder;
    std::istringstream in;
    std::ostringstream out, err;
    std::string input;

    DivideCommand() {
        input = (folder.path() / "DATA.CSV").string();
        std::ofstream(input, std::ios::binary) << convertedFile();
    }
    int divide(std::vector<std::string> args, bool terminal = false) {
        args.insert(args.begin(), "divide");
        args.insert(args.end(), {"-o", folder.path().string(), input});
        err.str("");
        return RunCommandLine(args, {in, out, err, terminal, false});
    }
    std::filesystem::path piece(const char* name) const { return folder.path() / name; }
};

TEST_F(DivideCommand, DividesAndReportsCompletion) {
    EXPECT_EQ(divide({"--lines", "20"}), 0);
    EXPECT_EQ(err.str(), "File divide was completed.\n");
    EXPECT_TRUE(std::filesystem::exists(piece("DATA_02.CSV")));
    EXPECT_EQ(divide({"--columns", "4", "--yes"}), 0);
    EXPECT_TRUE(std::filesystem::exists(piece("DATA-01.CSV")));
}

TEST_F(DivideCommand, ExistingPiecesAreOverwrittenOnlyWhenTheUserAgrees) {
    std::ofstream(piece("DATA_00.CSV")) << "keep";
    EXPECT_EQ(divide({"--lines", "20"}), 1);  // nobody to ask: Cancel
    EXPECT_NE(err.str().find(" Cancel\n"), std::string::npos);
    EXPECT_EQ(contents(piece("DATA_00.CSV")), "keep");
    EXPECT_FALSE(std::filesystem::exists(piece("DATA_01.CSV")));

    in.str("cancel\n");
    EXPECT_EQ(divide({"--lines", "20"}, true), 1);
    EXPECT_EQ(contents(piece("DATA_00.CSV")), "keep");

    in.clear();
    in.str("ok\n");
    EXPECT_EQ(divide({"--lines", "20"}, true), 0);
    EXPECT_NE(contents(piece("DATA_00.CSV")), "keep");
    std::ofstream(piece("DATA_00.CSV")) << "keep";
    EXPECT_EQ(divide({"--lines", "20", "--yes"}), 0);
    EXPECT_NE(contents(piece("DATA_00.CSV")), "keep");
}

TEST_F(DivideCommand, RefusalsAndMisuse) {
    EXPECT_EQ(divide({"--lines", "16"}), 1);
    EXPECT_EQ(err.str(), "Invalid row number.\n");
    EXPECT_EQ(divide({"--columns", "x"}), 1);
    EXPECT_EQ(err.str(), "Invalid Column number.\n");
    for (const std::vector<std::string>& misuse :
         {std::vector<std::string>{}, {"--lines"}, {"--lines", "20", "--columns", "4"}, {"--fast"}}) {
        EXPECT_EQ(divide(misuse), 2);
        EXPECT_NE(err.str().find("usage: voltaro divide"), std::string::npos);
    }
}

}  // namespace
}  // namespace voltaro
