#pragma once

#include <cstdint>

#include "app/AppContext.h"
#include "settings/SettingRecord.h"

namespace voltaro {

// Checks a whole setting before it is sent or taken as the current one. Returns 0 when
// the setting is acceptable; otherwise shows the first failure's message and returns
// its code. A stop at a set time with no start time (stop method 2 while the start is
// not at a set time) becomes a stop by timer (3) in the record.
std::int16_t CheckSettingRecord(AppContext& context, SettingRecord& record);

}  // namespace voltaro
