#include <gtest/gtest.h>

#include "app/Catalogue.h"

namespace voltaro {
namespace {

TEST(CatalogueParse, KeepsTextsByteForByteAndUnescapes) {
    std::string error;
    const auto catalogue = Catalogue::parse(
        "# comment\n\n[texts]\n"
        "108\t   Voltaro  Version  \n"
        "110\tline one\\nline two\\r\\ttabbed \\\\ end\r\n"
        "111\t\n"
        "112\tkeeps\ttabs after the first\n"
        "[codes]\n"
        "100\tCommunication failed.\n",
        error);
    ASSERT_TRUE(catalogue) << error;
    EXPECT_EQ(catalogue->text(108), "   Voltaro  Version  ");
    EXPECT_EQ(catalogue->text(110), "line one\nline two\r\ttabbed \\ end");
    EXPECT_EQ(catalogue->text(112), "keeps\ttabs after the first");
    EXPECT_EQ(catalogue->codeText(100), "Communication failed.");
    EXPECT_EQ(catalogue->textIds(), (std::vector<int>{108, 110, 111, 112}));  // codes are a number space apart
}

TEST(CatalogueParse, RefusesMalformedFilesNamingTheLine) {
    const struct {
        const char* data;
        const char* line;
    } cases[] = {
        {"101\tbefore any section\n", "line 1"},
        {"[texts]\n101 no tab\n", "line 2"},
        {"[texts]\n101\tbad \\q escape\n", "line 2"},
        {"[texts]\n101\ttrailing backslash \\\n", "line 2"},
        {"[texts]\n102\ta\n101\tb\n", "line 3"},
        {"[texts]\n101\ta\n101\tb\n", "line 3"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(Catalogue::parse(c.data, error)) << c.data;
        EXPECT_NE(error.find(c.line), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace voltaro
