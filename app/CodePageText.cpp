#include "app/CodePageText.h"

namespace voltaro {

namespace {

constexpr unsigned char kFirstKatakanaByte = 0xA1;
constexpr unsigned char kLastKatakanaByte = 0xDF;
constexpr char32_t kFirstKatakana = 0xFF61;
constexpr char32_t kReplacement = 0xFFFD;

// Both characters we produce outside ASCII lie in U+0800..U+FFFF: three UTF-8 bytes.
void appendThreeByteUtf8(char32_t c, std::string& utf8) {
    utf8 += static_cast<char>(0xE0 | (c >> 12));
    utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (c & 0x3F));
}

}  // namespace

void AppendCodePageAsUtf8(std::string_view bytes, std::string& utf8) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte != 0 && byte < 0x80)
            utf8 += c;
        else if (byte >= kFirstKatakanaByte && byte <= kLastKatakanaByte)
            appendThreeByteUtf8(kFirstKatakana + (byte - kFirstKatakanaByte), utf8);
        else
            appendThreeByteUtf8(kReplacement, utf8);
    }
}

}  // namespace voltaro
