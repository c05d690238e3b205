#include "transfer/SpreadsheetLine.h"

#include <charconv>
#include <cmath>

namespace voltaro {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Skips the digits at `at`; returns how many there were.
std::size_t skipDigits(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (at < text.size() && isDigit(text[at])) ++at;
    return at - start;
}

bool isDecimalNumber(std::string_view text) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    std::size_t digits = skipDigits(text, at);
    if (at < text.size() && text[at] == '.') {
        ++at;
        digits += skipDigits(text, at);
    }
    if (digits == 0) return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
        if (skipDigits(text, at) == 0) return false;
    }
    return at == text.size();
}

}  // namespace

void SplitSpreadsheetLine(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    for (;;) {
        const std::size_t comma = line.find(',');
        std::string_view field = line.substr(0, comma);
        if (!field.empty() && field.front() == '"') field.remove_prefix(1);
        if (!field.empty() && field.back() == '"') field.remove_suffix(1);
        fields.push_back(field);
        if (comma == std::string_view::npos || fields.size() == kMaxSpreadsheetFields) return;
        line.remove_prefix(comma + 1);
    }
}

bool ReadSpreadsheetNumber(std::string_view field, double& value) {
    if (!isDecimalNumber(field)) return false;
    // from_chars takes no plus sign.
    if (field.front() == '+') field.remove_prefix(1);
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc{} && end == field.data() + field.size() && std::isfinite(value);
}

}  // namespace voltaro
