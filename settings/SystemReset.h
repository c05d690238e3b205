#pragma once

#include <cstdint>

#include "app/AppContext.h"
#include "link/Link.h"

namespace voltaro {

// Resets the meter to its factory setting after the user agrees, then loads the factory
// setting into CurrentSetting, keeping the meter's language, ID and clock and every
// PC-side field, and says so. 0 when done; -1 when the user declined or a failure was
// reported. CurrentSetting is untouched unless the meter was reset.
std::int16_t SystemReset(Link& link);

// The steps of SystemReset, for a window that shows the factory setting before the last
// box and talks to the meter on a worker. Each runs with OperationMode at SystemReset,
// which the caller sets and puts back.
// Asks the user; true to go on.
bool ConfirmSystemReset(AppContext& ctx);
// The exchange and the factory setting: 0, or -1 after the failure was reported.
std::int16_t ResetMeter(Link& link);
// "Reset was performed."
void ReportSystemReset(AppContext& ctx);

}  // namespace voltaro
