#pragma once

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace voltaro {

// Numbers as setting files, the meter's replies and the windows' boxes spell them: plain
// decimal notation with a point, whatever the user's locale. One reader serves them all.

// Whether a sign may stand before the digits. A count of lines or columns is typed as bare
// digits, so a count box takes neither "+20" nor "-20".
enum class NumberSign { Allowed, Refused };

// A plain decimal number: an optional sign, then digits with at most one point and at
// least one digit ("-1", "2.5", ".5", "7."); blanks around it allowed. No exponent, no
// thousands separators, no "inf" or "nan".
std::optional<double> ParsePlainNumber(std::string_view text, NumberSign sign = NumberSign::Allowed);

// The same, as the single-precision value nearest to the decimal text itself; nothing
// beyond the single-precision range.
std::optional<float> ParsePlainSingle(std::string_view text);

// The nearest whole number, a half going to the even neighbour (2.5 is 2, 3.5 is 4).
inline double RoundHalfEven(double value) { return std::nearbyint(value); }

// A plain decimal number rounded half to even; nothing when it is no number or the
// rounded value does not fit `Int`.
template <typename Int>
std::optional<Int> ParseWholeNumber(std::string_view text) {
    const std::optional<double> number = ParsePlainNumber(text);
    if (!number) return std::nullopt;
    const double rounded = RoundHalfEven(*number);
    if (rounded < std::numeric_limits<Int>::min() || rounded > std::numeric_limits<Int>::max()) return std::nullopt;
    return static_cast<Int>(rounded);
}

// `value` with at least `digits` digits, zeros in front and a minus sign before them:
// 7 with three digits is "007", -5 with two is "-05", 123 with two is "123".
std::string FormatZeroPadded(int value, int digits);

// A ratio as "0.00": two decimals, rounded to nearest.
std::string FormatRatio(float value);

}  // namespace voltaro
