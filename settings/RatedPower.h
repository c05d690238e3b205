#pragma once

// The rated power a setting implies, wiring factor x U range x A range x VT x CT x 1.3,
// must stay within the 999.9 TW the meter can show.

#include <cstdint>
#include <string_view>

#include "app/AppContext.h"

namespace voltaro {

inline constexpr std::int16_t kRatedPowerTooHigh = 356;

// 1 for a single-phase two-wire wiring, 3 for the four-wire three-phase ones, 2 otherwise.
int WiringFactor(std::int16_t wiring);

// The volts of a U range text ("600V" gives 600).
float VoltsOfRange(std::string_view text);
// The amperes of an A range text: "200mA" gives 0.2, "1.5kA" 1500, "1500A" 1500.
float AmperesOfRange(std::string_view text);

// Whether one current channel's rated power stays within the limit. The range texts are
// those shown in the window or those of the code tables. VT and CT both exactly 1 pass
// without computing.
bool RatedPowerWithinLimit(std::int16_t wiring, std::string_view uRange, std::string_view aRange, float vt, float ct);

// The window's check of one channel: skipped (0) while the application itself fills the
// window; otherwise reports code 356 when the limit is exceeded and returns it. The
// window leaves out channels whose A range list is disabled.
std::int16_t CheckRatedPower(AppContext& ctx, std::int16_t wiring, std::string_view uRange, std::string_view aRange,
                             float vt, float ct);

}  // namespace voltaro
