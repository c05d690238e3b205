// Files are put in place whole or not at all: a failed write leaves the earlier file as it
// was and no temporary file beside it; links are written through, special files refused.
#include "app/AtomicFile.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/TextOutput.h"
#include "support/FileSizeLimit.h"
#include "support/TemporaryFolder.h"

namespace voltaro {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

TEST(AtomicFile, ACopyReplacesTheEarlierFileWholeAndAFailedOneLeavesItAndNoTemporaryFile) {
    test::TemporaryFolder folder;
    const fs::path target = folder.path() / "A.CSV";
    folder.write("A.CSV", std::string(5000, 'x'));
    std::string error;
    ASSERT_TRUE(CopyFileAtomically(folder.write("SOURCE", "earlier"), target.string(), error)) << error;
    EXPECT_EQ(test::FileBytes(target), "earlier");
    {
        const test::FileSizeLimit limit(4096);
        EXPECT_FALSE(WriteFileAtomically(target.string(), std::string(64 << 10, 'w'), error));
        EXPECT_EQ(error, target.string() + ": File too large");
        TextOutput output;
        ASSERT_TRUE(output.create(target.string())) << output.error();
        output.append(std::string(64 << 10, 'w'));
        EXPECT_FALSE(output.close());
        EXPECT_EQ(output.error(), target.string() + ": File too large");
    }
    EXPECT_EQ(test::FileBytes(target), "earlier");
    EXPECT_EQ(folder.names(), (Names{"A.CSV", "SOURCE"}));
}

// A streamed file appears under its name only when closed; dropped unclosed, it leaves nothing.
TEST(AtomicFile, AStreamedFileTakesItsNameOnlyWhenClosed) {
    test::TemporaryFolder folder;
    const std::string target = folder.write("A.CSV", "earlier");
    {
        TextOutput output;
        ASSERT_TRUE(output.create(target));
        output.append("half of it");
    }
    EXPECT_EQ(test::FileBytes(target), "earlier");
    EXPECT_EQ(folder.names(), Names{"A.CSV"});

    // Under a free name only: a taken name keeps the finished file for the next one.
    TextOutput output;
    ASSERT_TRUE(output.create(target));
    output.append("new");
    EXPECT_EQ(output.closeUnderFreeName(target), Placement::NameTaken);
    EXPECT_EQ(output.closeUnderFreeName((folder.path() / "B.CSV").string()), Placement::Placed);
    EXPECT_EQ(test::FileBytes(folder.path() / "B.CSV"), "new");
    EXPECT_EQ(test::FileBytes(target), "earlier");
    EXPECT_EQ(folder.names(), (Names{"A.CSV", "B.CSV"}));
}

// Texts short and long, appended or written in place, reach the file in the order they came.
TEST(AtomicFile, AStreamedFileKeepsItsTextsInOrder) {
    test::TemporaryFolder folder;
    const std::string target = (folder.path() / "A.CSV").string();
    TextOutput output(64);
    ASSERT_TRUE(output.create(target));
    std::string expected;
    for (const std::size_t length : {3, 40, 1, 15, 16, 63, 64, 200, 7}) {
        const std::string text(length, static_cast<char>('a' + expected.size() % 26));
        output.append(text);
        char* room = output.reserve(2);
        room[0] = '#';
        output.commit(room + 1);
        expected += text + "#";
    }
    ASSERT_TRUE(output.close()) << output.error();
    EXPECT_EQ(test::FileBytes(target), expected);
}

// A link is written through to the file it leads to, in that file's folder; a device, a
// FIFO, a socket or a folder is never turned into a regular file.
TEST(AtomicFile, WritesThroughLinksAndRefusesSpecialFiles) {
    test::TemporaryFolder folder, elsewhere;
    const std::string real = elsewhere.write("REAL.SET", "earlier");
    fs::create_symlink(real, folder.path() / "LINK.SET");
    fs::create_symlink("LINK.SET", folder.path() / "CHAIN.SET");  // relative, to a link
    fs::create_symlink(elsewhere.path() / "NEW.SET", folder.path() / "DANGLING.SET");
    std::string error;
    ASSERT_TRUE(WriteFileAtomically((folder.path() / "CHAIN.SET").string(), "through", error)) << error;
    EXPECT_EQ(test::FileBytes(real), "through");
    ASSERT_TRUE(WriteFileAtomically((folder.path() / "DANGLING.SET").string(), "new", error)) << error;
    EXPECT_EQ(test::FileBytes(elsewhere.path() / "NEW.SET"), "new");
    EXPECT_TRUE(fs::is_symlink(folder.path() / "LINK.SET"));
    EXPECT_EQ(elsewhere.names(), (Names{"NEW.SET", "REAL.SET"}));

    const fs::path fifo = folder.path() / "FIFO", socket = folder.path() / "SOCKET", dir = folder.path() / "DIR";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(dir);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socket.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    fs::create_symlink(fifo, folder.path() / "TO-FIFO");
    for (const fs::path& special : {fifo, socket, dir, folder.path() / "TO-FIFO"}) {
        SCOPED_TRACE(special.string());
        EXPECT_FALSE(WriteFileAtomically(special.string(), "x", error));
        EXPECT_EQ(error, special.string() + ": Not a regular file");
        TextOutput output;
        EXPECT_FALSE(output.create(special.string()));
        EXPECT_EQ(output.error(), special.string() + ": Not a regular file");
    }
    ::close(fd);
    EXPECT_TRUE(fs::is_fifo(fifo) && fs::is_socket(socket) && fs::is_directory(dir));
    EXPECT_EQ(folder.names(), (Names{"CHAIN.SET", "DANGLING.SET", "DIR", "FIFO", "LINK.SET", "SOCKET", "TO-FIFO"}));
}

}  // namespace
}  // namespace voltaro
