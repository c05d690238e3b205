#pragma once

#include <cstdint>

#include "app/AppContext.h"
#include "app/SettingRecord.h"

namespace voltaro {

// Checks a whole setting before it is sent, saved, or taken from the meter or a file:
// every field and the rules between them, in a fixed order. Returns 0 when the setting
// is acceptable; otherwise shows the first failure's message and returns its code. A
// stop method of 2 ("just") becomes 3 (timer) in the record.
std::int16_t CheckSettingRecord(AppContext& context, SettingRecord& record);

}  // namespace voltaro
