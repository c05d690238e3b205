// Files from outside: only a regular file is opened, nothing else can hold a run up, and a line
// has a length beyond which the reading stops as failed.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/InputFile.h"
#include "app/LineInput.h"
#include "support/TemporaryFolder.h"
#include "support/UnblockingFifo.h"

namespace voltaro {
namespace {

namespace fs = std::filesystem;

// A listening place in the file system, as a program leaves one behind.
std::string boundSocket(const fs::path& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << std::strerror(errno);
    ::close(fd);
    return path.string();
}

TEST(InputFile, OnlyARegularFileOrALinkToOneIsReadAndNothingElseHoldsTheOpenUp) {
    test::TemporaryFolder folder;
    const std::string content = "a,b\r\n";
    const std::string regular = folder.write("DATA.CSV", content);
    fs::create_symlink(regular, folder.path() / "LINK.CSV");
    fs::create_directory(folder.path() / "FOLDER.CSV");
    const test::UnblockingFifo fifo(folder.path() / "FIFO.CSV");
    const std::string socket = boundSocket(folder.path() / "SOCKET.CSV");
    const auto in = [&](const char* name) { return (folder.path() / name).string(); };
    const struct {
        std::string path;
        std::size_t maxBytes;
        std::string refusal;  // empty: read
    } cases[] = {
        {regular, content.size(), ""},
        {in("LINK.CSV"), content.size(), ""},
        {regular, content.size() - 1, "File too large"},
        {fifo.path(), 64, "Not a regular file"},
        {socket, 64, "Not a regular file"},
        {in("FOLDER.CSV"), 64, "Is a directory"},
        {in("NONE.CSV"), 64, "No such file or directory"},
    };
    for (const auto& c : cases) {
        std::string bytes = "left over";
        std::string error;
        EXPECT_EQ(ReadSmallRegularFile(c.path, c.maxBytes, bytes, error), c.refusal.empty()) << c.path;
        EXPECT_EQ(error, c.refusal.empty() ? "" : c.path + ": " + c.refusal);
        EXPECT_EQ(bytes, c.refusal.empty() ? content : "") << c.path;
    }
    EXPECT_FALSE(fifo.hadToUnblock());
}

TEST(LineInput, ALineLongerThanTheLimitEndsTheReadingAsFailed) {
    test::TemporaryFolder folder;
    const std::size_t limit = LineInput::kLongestLine;
    const std::string path =
        folder.write("LONG.CSV", std::string(limit, 'a') + "\r\n" + std::string(limit + 1, 'b') + "\r\nlast\r\n");
    LineInput input;
    std::string error;
    ASSERT_TRUE(input.open(path, error)) << error;
    std::string line;
    ASSERT_TRUE(input.next(line));
    EXPECT_EQ(line.size(), limit);
    EXPECT_FALSE(input.failed());
    EXPECT_FALSE(input.next(line));
    EXPECT_TRUE(input.lineTooLong());
    EXPECT_TRUE(input.failed());
    EXPECT_FALSE(input.next(line));  // the reading stays ended
    EXPECT_EQ(line, "");
}

// A line runs on across refills of the reader's buffer, and a CR that ends the buffer takes its LF
// from the next fill.
TEST(LineInput, LinesAcrossTheEndOfTheBufferComeWhole) {
    test::TemporaryFolder folder;
    const std::size_t block = BinaryInput::kBlockBytes;
    for (const std::size_t endAt : {block - 2, block - 1, block}) {
        for (const std::string end : {"\r\n", "\r"}) {
            SCOPED_TRACE("first line end at " + std::to_string(endAt) + (end == "\r" ? ", a lone CR" : ""));
            const std::vector<std::string> lines = {std::string(endAt, 'a'), "b\nc", "", "d"};
            const std::string path =
                folder.write("LINES.CSV", lines[0] + end + lines[1] + "\r" + lines[2] + "\r\n" + lines[3]);
            LineInput input;
            std::string error;
            ASSERT_TRUE(input.open(path, error)) << error;
            std::vector<std::string> read;
            for (std::string_view line; input.nextView(line);) read.emplace_back(line);
            EXPECT_EQ(read, lines);
            EXPECT_FALSE(input.failed());
        }
    }
}

}  // namespace
}  // namespace voltaro
