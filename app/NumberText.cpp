#include "app/NumberText.h"

#include <charconv>
#include <cstdlib>

#include "app/TextTools.h"

namespace voltaro {

namespace {

// The text without blanks and without a leading "+" (from_chars takes only "-"), when
// it is a plain decimal number; empty otherwise.
std::string_view plainDigits(std::string_view text, NumberSign sign) {
    text = TrimBlanks(text);
    const bool hasSign = text.starts_with('+') || text.starts_with('-');
    if (hasSign && sign == NumberSign::Refused) return {};
    const std::string_view unsignedText = hasSign ? text.substr(1) : text;
    bool digit = false;
    bool point = false;
    for (char c : unsignedText) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return {};
        }
    }
    if (!digit) return {};
    return text.starts_with('+') ? unsignedText : text;
}

template <typename Real>
std::optional<Real> parse(std::string_view text, NumberSign sign) {
    const std::string_view digits = plainDigits(text, sign);
    if (digits.empty()) return std::nullopt;
    Real value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<double> ParsePlainNumber(std::string_view text, NumberSign sign) { return parse<double>(text, sign); }

std::optional<float> ParsePlainSingle(std::string_view text) { return parse<float>(text, NumberSign::Allowed); }

std::string FormatZeroPadded(int value, int digits) {
    std::string magnitude = std::to_string(std::abs(static_cast<long long>(value)));
    if (magnitude.size() < static_cast<std::size_t>(digits))
        magnitude.insert(0, static_cast<std::size_t>(digits) - magnitude.size(), '0');
    return value < 0 ? '-' + magnitude : magnitude;
}

std::string FormatRatio(float value) {
    char text[64];
    if (value == 0.0f) value = 0.0f;  // no "-0.00"
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    return std::string(text, result.ptr);
}

}  // namespace voltaro
