#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace voltaro {

// Numbers as the setting file spells them: plain decimal notation with a point,
// whatever the user's locale.

// A plain decimal number: an optional sign, then digits with at most one point and at
// least one digit ("-1", "2.5", ".5", "7."); blanks around it allowed. No exponent, no
// thousands separators, no "inf" or "nan".
std::optional<double> ParsePlainNumber(std::string_view text);

// The same, as the single-precision value nearest to the decimal text itself; nothing
// beyond the single-precision range.
std::optional<float> ParsePlainSingle(std::string_view text);

// `value` with at least `digits` digits, zeros in front and a minus sign before them:
// 7 with three digits is "007", -5 with two is "-05", 123 with two is "123".
std::string FormatZeroPadded(int value, int digits);

}  // namespace voltaro
