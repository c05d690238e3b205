#include "divide/RowFields.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "divide/DivideFormat.h"

namespace voltaro {

namespace {

constexpr std::string_view kEndOfData = "STOP";
constexpr std::size_t kFixed = kFixedColumns;

// The eight bytes at `at` as a word with the first byte lowest.
std::uint64_t wordAt(const char* at) {
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
    return word;
}

// The high bit set in each byte of `word` that is a comma, and nothing else.
std::uint64_t commaBits(std::uint64_t word) {
    constexpr std::uint64_t kEachByte = 0x0101010101010101;
    constexpr std::uint64_t kLowSeven = kEachByte * 0x7F;
    const std::uint64_t x = word ^ (kEachByte * ',');
    // A byte of x is zero when its high bit is clear and adding 0x7F to the seven below carries nothing.
    return ~(((x & kLowSeven) + kLowSeven) | x | kLowSeven);
}

// Hands the position of each comma in `text` to `take`, in order, until it returns false; true when
// it took them all. The commas are looked for a word at a time.
template <class Take>
bool forEachComma(std::string_view text, Take take) {
    const char* data = text.data();
    std::size_t at = 0;
    for (; at + sizeof(std::uint64_t) <= text.size(); at += sizeof(std::uint64_t))
        for (std::uint64_t commas = commaBits(wordAt(data + at)); commas != 0; commas &= commas - 1)
            if (!take(at + static_cast<std::size_t>(std::countr_zero(commas)) / 8)) return false;
    for (; at < text.size(); ++at)
        if (data[at] == ',' && !take(at)) return false;
    return true;
}

}  // namespace

void RowFields::split(std::string_view line) {
    // Kept apart from the members while the line is gone through, so that they stay in registers.
    std::size_t* const ends = ends_.data();
    const std::size_t most = ends_.size();
    std::size_t count = 0;
    bool stop = false;
    std::size_t start = 0;
    // Takes the field that ends at `end`; false once the row has all its fields.
    auto take = [&](std::size_t end) {
        ends[count++] = end;
        if (end - start == kEndOfData.size() && line.substr(start, kEndOfData.size()) == kEndOfData) stop = true;
        start = end + 1;
        // The meter's end of data ends the row, but never before the fields every piece takes.
        return count < most && !(stop && count >= kFixed);
    };
    if (forEachComma(line, take)) take(line.size());
    line_ = line;
    count_ = count;
    stop_ = stop;
}

}  // namespace voltaro
