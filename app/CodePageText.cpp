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

constexpr char kUnrepresentable = '?';

// The length of the UTF-8 sequence a lead byte starts; 0 for a byte no sequence starts with.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

}  // namespace

std::string CodePageFromUtf8(std::string_view utf8) {
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = sequenceLength(lead);
        bool whole = length != 0 && i + length <= utf8.size();
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            whole = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!whole) {
            bytes += kUnrepresentable;
            ++i;
            continue;
        }
        if (c != 0 && c < 0x80)
            bytes += static_cast<char>(c);
        else if (c >= kFirstKatakana && c <= kFirstKatakana + (kLastKatakanaByte - kFirstKatakanaByte))
            bytes += static_cast<char>(kFirstKatakanaByte + (c - kFirstKatakana));
        else
            bytes += kUnrepresentable;
        i += length;
    }
    return bytes;
}

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
