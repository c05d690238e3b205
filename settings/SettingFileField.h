#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace voltaro {

// One field of a setting file is the text up to a comma or a line end. The first field of
// a line starts with the line's key, then blanks, then the first value; the further
// fields are values alone.

// `key` followed by `count` spaces: how a line starts.
std::string FormatKeyPrefix(std::string_view key, int count);

// Takes a number from `field`, which must start with `key` exactly (letter case counts;
// an empty key always matches); blanks between the key and the value are skipped. The
// value must be a plain decimal number that fits the target: an integer target takes it
// rounded to the nearest whole number (halves to even), a single-precision target the
// value nearest to the decimal text. Returns 0 and stores it, or -1 and leaves the
// target as it was.
std::int16_t ParseNumberField(std::string_view field, std::string_view key, std::int16_t& target);
std::int16_t ParseNumberField(std::string_view field, std::string_view key, std::int32_t& target);
std::int16_t ParseNumberField(std::string_view field, std::string_view key, float& target);

// Takes the text after `key` and its blanks, under the same key rule; 0, or -1 with the
// target as it was.
std::int16_t ParseTextField(std::string_view field, std::string_view key, std::string& target);

}  // namespace voltaro
