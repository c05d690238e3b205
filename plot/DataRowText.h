#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace voltaro {

// The texts of a data file's rows, read as the viewer needs them.

// Splits `row` at its commas into at most `most` fields (the last field keeps no comma);
// returns how many it found. Fields past `most` are not looked at.
std::size_t SplitFields(std::string_view row, std::string_view* fields, std::size_t most);

// A measured value: a decimal number as the conversion and the meter write it ("-1.235E+02",
// "50.01", "+3"), blanks around it allowed. Anything else ("OR", "----", "", "POWER OFF") and
// a number too large for a single is NaN: nothing to draw.
float ValueOfField(std::string_view field);

// Seconds from 1970-01-01 00:00:00 of a date "YYYY/MM/DD" and a time "hh:mm:ss", taken as
// they are (no time zone); nothing unless both read exactly so and name a real moment.
std::optional<std::int64_t> SecondsOfDateTime(std::string_view date, std::string_view time);

// Whether a field reads as a date "YYYY/MM/DD": a data row starts with one.
bool LooksLikeDate(std::string_view field);

// "YYYY/MM/DD hh:mm:ss" of a moment in seconds from 1970-01-01.
std::string DateTimeText(std::int64_t seconds);

// The unit in a column title: the text between its first parentheses ("A" of "I1_INST(A)_1").
std::string_view UnitOfTitle(std::string_view title);

}  // namespace voltaro
