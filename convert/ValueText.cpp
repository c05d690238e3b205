#include "convert/ValueText.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

namespace voltaro {

namespace {

// Powers of ten as doubles, 10^-48 .. 10^48: every scale a float's digits can need.
constexpr int kLowestPower = -48;
constexpr int kHighestPower = 48;
const std::array<double, kHighestPower - kLowestPower + 1> kPowersOfTen = [] {
    std::array<double, kHighestPower - kLowestPower + 1> powers{};
    for (int p = kLowestPower; p <= kHighestPower; ++p)
        powers[static_cast<std::size_t>(p - kLowestPower)] = std::stod("1e" + std::to_string(p));
    return powers;
}();

double powerOfTen(int p) { return kPowersOfTen[static_cast<std::size_t>(p - kLowestPower)]; }

constexpr std::uint32_t kDigitLimit[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};

// The scaled value is the float times an inexact power of ten: off by a few parts in
// 10^16 at most. Anything this close to a rounding tie or a decade boundary is left
// to the exact formatter.
constexpr double kSafetyMargin = 1e-7;

char* writeExponent(char* out, int exponent) {
    *out++ = 'E';
    *out++ = exponent < 0 ? '-' : '+';
    unsigned magnitude = static_cast<unsigned>(exponent < 0 ? -exponent : exponent);
    if (magnitude >= 100) {
        *out++ = static_cast<char>('0' + magnitude / 100);
        magnitude %= 100;
    }
    *out++ = static_cast<char>('0' + magnitude / 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
    return out;
}

// Scientific notation of a finite non-zero value from double arithmetic, or nullptr
// when the value sits too near a tie or a decade for that to be certainly exact.
char* writeScientificFast(char* out, float value, int decimals) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    const int binaryExponent = static_cast<int>((bits >> 23) & 0xFF) - 127;  // value in [2^e, 2^(e+1))
    // floor(e * log10(2)): the decimal exponent or one below it; the range check settles it.
    int exponent = (binaryExponent * 78913) >> 18;
    const double magnitude = std::fabs(static_cast<double>(value));  // exact
    const double lowest = static_cast<double>(kDigitLimit[decimals]);
    const double highest = lowest * 10;
    double scaled = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int scale = decimals - exponent;
        if (scale < kLowestPower || scale > kHighestPower) return nullptr;
        scaled = magnitude * powerOfTen(scale);
        if (scaled < lowest) {
            --exponent;
        } else if (scaled >= highest) {
            ++exponent;
        } else {
            break;
        }
    }
    if (scaled < lowest * (1 + kSafetyMargin) || scaled >= highest * (1 - kSafetyMargin)) return nullptr;
    std::uint32_t digits = static_cast<std::uint32_t>(scaled);
    const double fraction = scaled - digits;
    if (std::fabs(fraction - 0.5) < kSafetyMargin * 10) return nullptr;
    if (fraction > 0.5) ++digits;
    if (digits >= static_cast<std::uint32_t>(highest)) {  // 9.9996 rounds up to the next decade
        digits /= 10;
        ++exponent;
    }
    if (value < 0) *out++ = '-';
    char text[8];
    for (int i = decimals; i >= 0; --i) {
        text[i] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    *out++ = text[0];
    *out++ = '.';
    std::memcpy(out, text + 1, static_cast<std::size_t>(decimals));
    out += decimals;
    return writeExponent(out, exponent);
}

}  // namespace

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
    if (std::isfinite(value) && value != 0.0f && decimals <= 6) {
        if (char* end = writeScientificFast(out, value, decimals)) return end;
    }
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

}  // namespace voltaro
