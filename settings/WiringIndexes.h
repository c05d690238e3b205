#pragma once

#include <cstdint>

namespace voltaro::wiring {

// Wiring indexes of the setting record, in the order of the wiring list.
inline constexpr std::int16_t k1P2W = 0;
inline constexpr std::int16_t k1P3W = 1;
inline constexpr std::int16_t k1P3W3I = 2;
inline constexpr std::int16_t k3P3W2I = 3;
inline constexpr std::int16_t k3P3W3I = 4;
inline constexpr std::int16_t k3P4W = 5;
inline constexpr std::int16_t k3P4W4I = 6;
inline constexpr std::int16_t k3P3W1P3W = 7;  // 3P3W+1P3W

}  // namespace voltaro::wiring
