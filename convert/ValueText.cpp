#include "convert/ValueText.h"

#include <bit>
#include <charconv>
#include <cstring>

namespace voltaro {

char* WriteValueText(char* out, std::uint32_t bits, int decimals) {
    if (bits == kOverRangeBits) {
        std::memcpy(out, "OR", 2);
        return out + 2;
    }
    if (bits == kNoDataBits) {
        std::memcpy(out, "----", 4);
        return out + 4;
    }
    float value = std::bit_cast<float>(bits);
    if (value == 0.0f) value = 0.0f;  // no "-0.000E+00"
    char* end = std::to_chars(out, out + kMaxValueText, value, std::chars_format::scientific, decimals).ptr;
    // to_chars spells the exponent "e+02"; the files use an upper-case E.
    for (char* p = end - 1; p > out; --p) {
        if (*p == 'e') {
            *p = 'E';
            break;
        }
    }
    return end;
}

std::string FormatRatio(float value) {
    char text[64];
    if (value == 0.0f) value = 0.0f;
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    return std::string(text, result.ptr);
}

}  // namespace voltaro
