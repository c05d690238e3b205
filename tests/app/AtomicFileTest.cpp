// Files are put in place whole or not at all: a failed write leaves the earlier file as it
// was and no temporary file beside it.
#include "app/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/TemporaryFolder.h"

namespace voltaro {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t entries(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// Writes beyond `bytes` fail with EFBIG for as long as it lives, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        signal_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, saved_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, signal_);
    }

private:
    rlimit saved_{};
    void (*signal_)(int) = nullptr;
};

TEST(AtomicFile, ACopyReplacesTheEarlierFileWholeAndAFailedOneLeavesItAndNoTemporaryFile) {
    test::TemporaryFolder folder;
    const fs::path target = folder.path() / "A.CSV";
    std::ofstream(target, std::ios::binary) << std::string(5000, 'x');
    std::ofstream(folder.path() / "SOURCE", std::ios::binary) << "earlier";
    std::string error;
    ASSERT_TRUE(CopyFileAtomically((folder.path() / "SOURCE").string(), target.string(), error)) << error;
    EXPECT_EQ(contents(target), "earlier");
    {
        const FileSizeLimit limit(4096);
        EXPECT_FALSE(WriteFileAtomically(target.string(), std::string(64 << 10, 'w'), error));
        EXPECT_EQ(error, target.string() + ": File too large");
    }
    EXPECT_EQ(contents(target), "earlier");
    EXPECT_EQ(entries(folder.path()), 2u);
}

}  // namespace
}  // namespace voltaro
