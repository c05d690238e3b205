#include <gtest/gtest.h>
#include <stdlib.h>

#include "app/AppPath.h"

namespace voltaro {
namespace {

TEST(AppPath, EndsInExactlyOneSeparator) {
    EXPECT_EQ(WithTrailingSeparator("/opt/voltaro"), "/opt/voltaro/");
    EXPECT_EQ(WithTrailingSeparator("/opt/voltaro/"), "/opt/voltaro/");
    EXPECT_EQ(WithTrailingSeparator("/"), "/");
}

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
}

TEST(AppPath, EnvironmentOverrideIsHonoured) {
    const char* saved = std::getenv("VOLTARO_APP_DIR");
    const std::string previous = saved != nullptr ? saved : "";
    setenv("VOLTARO_APP_DIR", "/srv/meter-kit", 1);
    EXPECT_EQ(GetAppPath(), "/srv/meter-kit/");
    setenv("VOLTARO_APP_DIR", "", 1);  // empty means not set
    const std::string fallback = GetAppPath();
    EXPECT_NE(fallback, "/");
    EXPECT_EQ(fallback.back(), '/');
    if (saved != nullptr)
        setenv("VOLTARO_APP_DIR", previous.c_str(), 1);
    else
        unsetenv("VOLTARO_APP_DIR");
}

}  // namespace
}  // namespace voltaro
