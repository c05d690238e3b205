#include "app/CodePageText.h"

#include <gtest/gtest.h>

#include <string>

namespace voltaro {
namespace {

// Every byte the code page shows as a character of its own comes back from that
// character; the others (NUL, the upper half outside the katakana) have none.
TEST(CodePageText, TypedTextGivesBackTheBytesItShows) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string bytes(1, static_cast<char>(byte));
        std::string shown;
        AppendCodePageAsUtf8(bytes, shown);
        const bool ownCharacter = (byte > 0 && byte < 0x80) || (byte >= 0xA1 && byte <= 0xDF);
        EXPECT_EQ(CodePageFromUtf8(shown), ownCharacter ? bytes : "?") << "byte " << byte;
    }
}

TEST(CodePageText, CharactersTheCodePageLacksAndBrokenTextBecomeQuestionMarks) {
    const struct {
        const char* utf8;
        const char* bytes;
    } cases[] = {
        {"A\xC3\xA9Z", "A?Z"},                 // e acute: two bytes, no single byte of its own
        {"\xE3\x81\x82", "?"},                 // full-width hiragana
        {"\xF0\x9F\x98\x80!", "?!"},           // beyond the basic plane
        {"\xEF\xBD\xA1\xEF\xBE\x9F", "\xA1\xDF"},  // the first and last half-width katakana
        {"\xEF\xBD", "??"},                    // a sequence cut short
        {"\x80" "A", "?A"},                    // a stray continuation byte
        {"\xC0\xAF", "??"},                    // an overlong slash
    };
    for (const auto& c : cases) EXPECT_EQ(CodePageFromUtf8(c.utf8), std::string(c.bytes)) << c.utf8;
}

}  // namespace
}  // namespace voltaro
