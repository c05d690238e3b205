#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/ProgramFiles.h"
#include "support/TemporaryFolder.h"

namespace voltaro {
namespace {

namespace fs = std::filesystem;

// An installed tree: PREFIX/bin holds the executable, PREFIX/share/voltaro the program's files.
struct InstalledTree {
    test::TemporaryFolder root;
    fs::path prefix = root.path() / "opt";
    fs::path bin = prefix / "bin";
    fs::path share = prefix / "share" / "voltaro";
    InstalledTree() {
        fs::create_directories(bin);
        fs::create_directories(share);
    }
};

TEST(ProgramFiles, BesideTheExecutableFirstThenInstalledNeverElsewhere) {
    const struct {
        const char* name;
        bool beside;
        bool installed;
        const char* expectedFolder;  // "bin" or "share"
        bool found;
    } cases[] = {
        {"in both", true, true, "bin", true},
        {"installed only", false, true, "share", true},
        {"beside only", true, false, "bin", true},
        {"nowhere: the installed place is named", false, false, "share", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InstalledTree tree;
        if (c.beside) std::ofstream(tree.bin / "voltaroe.html") << "beside";
        if (c.installed) std::ofstream(tree.share / "voltaroe.html") << "installed";
        // The application folder's copy (the Parameter file's folder) is no program file.
        std::ofstream(tree.root.path() / "voltaroe.html") << "application folder";
        const ProgramFile file = FindProgramFile(tree.bin.string(), "voltaroe.html");
        const fs::path folder = std::string(c.expectedFolder) == "bin" ? tree.bin : tree.share;
        EXPECT_EQ(file.path, (folder / "voltaroe.html").string());
        EXPECT_EQ(file.found, c.found);
    }
}

// The installed place is relative to the executable: a moved tree still finds its files.
TEST(ProgramFiles, AMovedInstallationFindsItsFiles) {
    InstalledTree tree;
    std::ofstream(tree.share / "findfile.avi") << "GIF89a";
    const fs::path moved = tree.root.path() / "elsewhere";
    fs::rename(tree.prefix, moved);
    const ProgramFile file = FindProgramFile((moved / "bin").string(), "findfile.avi");
    EXPECT_TRUE(file.found);
    EXPECT_EQ(file.path, (moved / "share" / "voltaro" / "findfile.avi").string());
}

}  // namespace
}  // namespace voltaro
