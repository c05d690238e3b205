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

}  // namespace

void RowFields::split(std::string_view line) {
    line_ = line;
    count_ = 0;
    stop_ = false;
    std::size_t start = 0;
    // Takes the field that ends at `end`; false once the row has all its fields.
    auto take = [&](std::size_t end) {
        ends_[count_++] = end;
        if (line.substr(start, end - start) == kEndOfData) stop_ = true;
        start = end + 1;
        // The meter's end of data ends the row, but never before the fields every piece takes.
        return count_ < ends_.size() && !(stop_ && count_ >= kFixed);
    };
    // The commas are looked for a word at a time.
    const char* data = line.data();
    std::size_t at = 0;
    for (; at + sizeof(std::uint64_t) <= line.size(); at += sizeof(std::uint64_t))
        for (std::uint64_t commas = commaBits(wordAt(data + at)); commas != 0; commas &= commas - 1)
            if (!take(at + static_cast<std::size_t>(std::countr_zero(commas)) / 8)) return;
    for (; at < line.size(); ++at)
        if (data[at] == ',' && !take(at)) return;
    take(line.size());
}

}  // namespace voltaro
