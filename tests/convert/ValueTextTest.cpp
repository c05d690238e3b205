#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <limits>

#include "convert/ValueText.h"

namespace voltaro {
namespace {

std::string valueText(std::uint32_t bits, int decimals) {
    char text[kMaxValueText];
    return {text, WriteValueText(text, bits, decimals)};
}

std::string valueText(float value, int decimals) { return valueText(std::bit_cast<std::uint32_t>(value), decimals); }

// The exact decimal rounding of the float, spelled the way the files spell it.
std::string exactText(float value, int decimals) {
    char text[32];
    char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, decimals).ptr;
    for (char* p = text; p != end; ++p)
        if (*p == 'e') *p = 'E';
    return {text, end};
}

TEST(ValueText, TiesAndDecadeEdgesRoundExactly) {
    const struct {
        float value;
        const char* three;
    } cases[] = {
        {1.0625f, "1.062E+00"},    // an exact tie goes to the even digit
        {1.1875f, "1.188E+00"},    // ... in both directions
        {0.15625f, "1.562E-01"},
        {9.9995f, "1.000E+01"},    // just above the tie: rounds into the next decade
        {1e10f, "1.000E+10"},
        {0.001f, "1.000E-03"},
        {-1.5f, "-1.500E+00"},
        {std::numeric_limits<float>::max(), "3.403E+38"},
        {std::numeric_limits<float>::denorm_min(), "1.401E-45"},
        {-0.0f, "0.000E+00"},
    };
    for (const auto& c : cases) EXPECT_EQ(valueText(c.value, 3), c.three) << c.value;
    EXPECT_EQ(valueText(0.0f, 6), "0.000000E+00");
    EXPECT_EQ(valueText(kOverRangeBits, 6), "OR");
    EXPECT_EQ(valueText(kNoDataBits + 1, 3), exactText(std::bit_cast<float>(kNoDataBits + 1), 3));
}

}  // namespace
}  // namespace voltaro
