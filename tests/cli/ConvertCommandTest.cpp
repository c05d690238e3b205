#include <gtest/gtest.h>

#include <sstream>

#include "cli/CommandLine.h"
#include "convert/DataFileImage.h"

namespace voltaro {
namespace {

using test::InstHeader;
using test::InstRecord;

struct ConvertCommand : ::testing::Test {
    test::TemporaryFolder input, output;
    std::istringstream in;
    std::ostringstream out, err;

    std::string put(const std::string& name, const std::string& bytes) const {
        std::ofstream((input.path() / name).string(), std::ios::binary) << bytes;
        return (input.path() / name).string();
    }
    int convert(std::vector<std::string> args) {
        args.insert(args.begin(), {"convert", "-o", output.path().string()});
        return RunCommandLine(args, {in, out, err});
    }
};

const std::string kGoodFile = InstHeader{}.bytes() + InstRecord("2004/01/01,00:00:00", "ABCDEFGHI",
                                                                 std::vector<std::uint32_t>(10, 0));

TEST_F(ConvertCommand, PrintsEachOutputAndCompletesWithStatusZero) {
    const std::string first = put("A.BIN", kGoodFile);
    const std::string second = put("B.bin", kGoodFile);
    EXPECT_EQ(convert({first, second}), 0);
    const std::string folder = output.path().string() + "/";
    EXPECT_EQ(out.str(), folder + "A.CSV\n" + folder + "B.CSV\n");
    EXPECT_EQ(err.str(), "Data conversion was completed.\n");
}

TEST_F(ConvertCommand, RefusedOrDamagedFilesGiveStatusOneWithTheWindowTexts) {
    const std::string damaged = put("CUT.BIN", kGoodFile.substr(0, kGoodFile.size() - 3));
    const std::string good = put("GOOD.BIN", kGoodFile);
    EXPECT_EQ(convert({damaged, good}), 1);
    EXPECT_EQ(err.str(), "CUT.BINis not a normal file.\nData conversion was completed.\n");

    err.str("");
    const std::string notData = put("TEXT.BIN", "hello");
    EXPECT_EQ(convert({notData, good}), 1);
    EXPECT_EQ(err.str(), "It is not data file for ZR915.\n");
}

TEST_F(ConvertCommand, MisuseIsAUsageError) {
    const std::vector<std::string> misuses[] = {{}, {"--fast"}, {"-o"}};
    for (const auto& args : misuses) {
        std::vector<std::string> full{"convert"};
        full.insert(full.end(), args.begin(), args.end());
        err.str("");
        EXPECT_EQ(RunCommandLine(full, {in, out, err}), 2);
        EXPECT_NE(err.str().find("usage: voltaro convert"), std::string::npos);
    }
}

}  // namespace
}  // namespace voltaro
