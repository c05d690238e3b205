// Files are put in place whole or not at all: a failed write leaves the earlier file as it
// was and no temporary file beside it.
#include "app/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TemporaryFolder.h"

namespace voltaro {
namespace {

namespace fs = std::filesystem;

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
    folder.write("A.CSV", std::string(5000, 'x'));
    std::string error;
    ASSERT_TRUE(CopyFileAtomically(folder.write("SOURCE", "earlier"), target.string(), error)) << error;
    EXPECT_EQ(test::FileBytes(target), "earlier");
    {
        const FileSizeLimit limit(4096);
        EXPECT_FALSE(WriteFileAtomically(target.string(), std::string(64 << 10, 'w'), error));
        EXPECT_EQ(error, target.string() + ": File too large");
    }
    EXPECT_EQ(test::FileBytes(target), "earlier");
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"A.CSV", "SOURCE"}));
}

}  // namespace
}  // namespace voltaro
