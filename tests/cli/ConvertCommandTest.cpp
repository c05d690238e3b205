#include <gtest/gtest.h>

#include <sstream>

#include "cli/CommandLine.h"
#include "convert/DataFileImage.h"

namespace voltaro {
namespace {

struct ConvertCommand : ::testing::Test {
    test::TemporaryFolder input, output;
    std::istringstream in;
    std::ostringstream out, err;

    std::string put(const std::string& name, const std::string& bytes) const {
        std::ofstream((input.path() / name).string(), std::ios::binary) << bytes;
        return (input.path() / name).string();
    }
    int convert(std::vector<std::string> args) {
        err.str("");
        args.insert(args.begin(), {"convert", "-o", output.path().string()});
        return RunCommandLine(args, {in, out, err});
    }
};

const std::string kGoodFile =
    test::InstHeader{}.bytes() + test::InstRecord("2004/01/01,00:00:00", "ABCDEFGHI", std::vector<std::uint32_t>(10));

// Each output goes to standard output; a damaged file is said on standard error and makes the status 1.
TEST_F(ConvertCommand, PrintsEachOutputAndGivesStatusOneForADamagedFile) {
    const std::string good = put("GOOD.BIN", kGoodFile);
    EXPECT_EQ(convert({put("CUT.BIN", kGoodFile.substr(0, kGoodFile.size() - 3)), good}), 1);
    EXPECT_EQ(out.str(), output.path().string() + "/CUT.CSV\n" + output.path().string() + "/GOOD.CSV\n");
    EXPECT_EQ(err.str(), "CUT.BINis not a normal file.\nData conversion was completed.\n");
}

}  // namespace
}  // namespace voltaro
