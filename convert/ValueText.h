#pragma once

#include <cstdint>
#include <cstddef>

namespace voltaro {

// The meter's two marker values; compared by their exact single-precision pattern.
inline constexpr std::uint32_t kOverRangeBits = 0x7E94F56A;  // 9.9E+37
inline constexpr std::uint32_t kNoDataBits = 0x7E951BEE;     // 9.91E+37

// Longest text a value can take: "-1.000000E+38".
inline constexpr std::size_t kMaxValueText = 16;

// Writes a measured value as "OR", "----" or scientific notation with `decimals`
// decimals, an upper-case E, the exponent's sign and at least two exponent digits
// ("-1.235E+02"). Returns the end of the text; `out` needs kMaxValueText bytes.
char* WriteValueText(char* out, std::uint32_t bits, int decimals);

}  // namespace voltaro
