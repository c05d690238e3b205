#pragma once

#include <cstdint>

#include "link/Link.h"

namespace voltaro {

// Resets the meter to its factory setting after the user agrees, then loads the factory
// setting into CurrentSetting, keeping the meter's language, ID and clock and every
// PC-side field. 0 when done; -1 when the user declined or a failure was reported.
// CurrentSetting is untouched unless the meter was reset.
std::int16_t SystemReset(Link& link);

}  // namespace voltaro
