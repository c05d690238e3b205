#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "link/Link.h"

namespace voltaro {

inline constexpr std::string_view kMeterModel = "ZR915";

// The model and the version the meter names in its identification reply.
std::string ModelOfIdentity(std::string_view reply);
std::string VersionOfIdentity(std::string_view reply);

// A version of the form "?.??".
bool IsVersionText(std::string_view version);

// 0 when the version reads "?.??"; otherwise reports "Invalid version number." and returns 357.
std::int16_t CheckVersionFormat(AppContext& ctx, std::string_view version);

// The identification reply of a ZR915 with a readable version: what the identity check passes.
bool IsMeterIdentity(std::string_view reply);

// Each check below returns 0 when it passed and -1 after reporting why it did not.

// The right meter with a readable version (kept in MeterVersion).
std::int16_t CheckMeterIdentity(Link& link);
// The identity over an exchange of its own: port opened, headers off, identity, headers on,
// port closed.
std::int16_t IdentifyMeter(Link& link);
// The identity, then, on a measuring, top, setting or file screen, no measurement
// running and no hold.
std::int16_t CheckMeterReady(Link& link);
// The meter takes setting commands (its error status is not 200).
std::int16_t CheckSettingAccepted(Link& link);
// Brings the meter to its setting screen (three tries), keeping the screen it showed in
// SavedDisplayMode; with `restoreBeep` 1 the beeper is set back afterwards.
std::int16_t SwitchToSettingScreen(Link& link, std::int16_t restoreBeep);

}  // namespace voltaro
