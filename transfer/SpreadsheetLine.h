#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace voltaro {

// A text line becomes at most this many cells of a row.
inline constexpr std::size_t kMaxSpreadsheetFields = 256;

// The fields of one line: split at every comma, one leading and one trailing double quote of each
// field removed (independently), at most 256 fields (the rest of the line is dropped). An empty line
// gives one empty field.
void SplitSpreadsheetLine(std::string_view line, std::vector<std::string_view>& fields);

// True, with `value` set, when `field` is entirely a finite decimal number as a spreadsheet takes
// typed text: an optional sign, digits with an optional point and decimals, an optional exponent.
bool ReadSpreadsheetNumber(std::string_view field, double& value);

}  // namespace voltaro
