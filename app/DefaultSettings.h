#pragma once

#include <cstdint>
#include <string>

#include "app/AppContext.h"
#include "app/SettingRecord.h"
#include "app/WallClock.h"

namespace voltaro {

// The meter language a fresh setting starts with: Japanese for a Japanese catalogue,
// English otherwise.
std::int16_t DefaultLanguage(const Catalogue& catalogue);

// The name the meter gives its measurement files until the user chooses another: a setting
// needs an eight-character name to be valid, the factory setting included.
inline constexpr const char* kFactoryFileName = "DATA0001";

// The factory PC-side preferences, every folder set to `appPath`.
PcSettings FactoryPcSettings(const std::string& appPath);

// The factory setting at local time `now`, with every PC folder set to `appPath`.
SettingRecord FactorySettings(const LocalDateTime& now, const std::string& appPath, std::int16_t language);

// Fills CurrentSetting with the factory setting. During a system reset the meter's
// language, ID, clock and all PC-side fields keep their values.
void SetDefaultSettings(AppContext& ctx);

}  // namespace voltaro
