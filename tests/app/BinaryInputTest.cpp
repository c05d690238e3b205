#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/BinaryInput.h"
#include "support/TemporaryFolder.h"

namespace voltaro {
namespace {

// A file reads back byte for byte in reads of any size, across blocks and after seeks both ways,
// and the position ends at its size.
TEST(BinaryInput, ReadsEveryByteInOrder) {
    test::TemporaryFolder folder;
    std::string bytes(3 * BinaryInput::kBlockBytes + 12345, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 1000);
    BinaryInput input;
    std::string error;
    ASSERT_TRUE(input.open(folder.write("DATA.BIN", bytes), error)) << error;
    std::string got;
    for (std::size_t ask = 1; got.size() < bytes.size(); ask = ask * 3 + 1) {
        std::string chunk(ask % 700000, '\0');
        chunk.resize(input.read(chunk.data(), chunk.size()));
        got += chunk;
        if (chunk.empty()) break;
    }
    EXPECT_TRUE(got == bytes);
    EXPECT_EQ(input.readByte(), -1);
    EXPECT_EQ(input.position(), bytes.size());
    for (const std::uint64_t at : {std::uint64_t{100}, std::uint64_t{2 * BinaryInput::kBlockBytes - 1}, bytes.size() - 3}) {
        input.seek(at);
        EXPECT_EQ(input.position(), at);
        char three[4] = {};
        EXPECT_EQ(input.read(three, 4), std::min<std::size_t>(4, bytes.size() - at));
        EXPECT_EQ(std::string(three, 3), bytes.substr(at, 3));
    }
    EXPECT_FALSE(input.failed());
}

}  // namespace
}  // namespace voltaro
