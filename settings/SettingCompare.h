#pragma once

#include <cstdint>

#include "app/SettingRecord.h"

namespace voltaro {

// Compares the setting sent to the meter with the one read back, item by item in a
// fixed order, and returns the failure code (400..478) of the first item that differs,
// or 0. Numbers are compared exactly, the file name case-sensitively. Which start,
// stop, copy and harmonic order items count depends on `previous`, the setting before
// the send; the meter's date does not count when its clock was set from the PC's
// (`pcTime`), and its time never does.
std::int16_t CompareSetting(const SettingRecord& sent, const SettingRecord& readBack, const SettingRecord& previous,
                            bool pcTime);

}  // namespace voltaro
