#include <gtest/gtest.h>

#include "app/AppPath.h"

namespace voltaro {
namespace {

TEST(AppPath, OverrideThenWritableExecutableFolderThenUserData) {
    const struct {
        std::optional<std::string> overrideDir;
        bool writable;
        const char* expected;
    } cases[] = {
        {"/portable", false, "/portable/"},
        {"/portable/", true, "/portable/"},
        {std::nullopt, true, "/opt/voltaro/bin/"},
        {std::nullopt, false, "/home/u/.local/share/voltaro/"},
    };
    for (const auto& c : cases) {
        AppPathSources sources{c.overrideDir, "/opt/voltaro/bin", c.writable, "/home/u/.local/share/voltaro"};
        EXPECT_EQ(ChooseAppPath(sources), c.expected);
    }
    EXPECT_EQ(WithTrailingSeparator("/"), "/");
}

}  // namespace
}  // namespace voltaro
