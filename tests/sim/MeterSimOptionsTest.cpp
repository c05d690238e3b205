// Where voltaro-meter-sim finds its sample card when it is not given one: in the build, and
// installed under a prefix.
#include "sim/MeterSimOptions.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TemporaryFolder.h"

namespace voltaro {
namespace {

namespace fs = std::filesystem;

// The program sits in <folder>/bin; the rows say which of the two cards exist.
TEST(MeterSimOptions, TheCardBesideTheProgramComesFirstThenTheInstalledOne) {
    struct Row {
        bool beside;
        bool installed;
        const char* expected;
    };
    const Row rows[] = {
        {true, false, "bin/meter-card"},
        {false, true, "share/voltaro/meter-card"},
        {true, true, "bin/meter-card"},
        {false, false, "bin/meter-card"},
    };
    for (const Row& row : rows) {
        test::TemporaryFolder prefix;
        fs::create_directories(prefix.path() / "bin");
        if (row.beside) fs::create_directories(prefix.path() / "bin/meter-card");
        if (row.installed) fs::create_directories(prefix.path() / "share/voltaro/meter-card");
        EXPECT_EQ(sim::DefaultCardFolder(prefix.path() / "bin"), prefix.path() / row.expected)
            << "beside " << row.beside << ", installed " << row.installed;
    }
}

}  // namespace
}  // namespace voltaro
