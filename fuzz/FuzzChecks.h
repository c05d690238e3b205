#pragma once

#include <cstdlib>

#include "app/DefaultSettings.h"
#include "app/SettingRecord.h"

namespace voltaro::fuzz {

// A property every input must keep; its failure is a finding, as a crash is.
inline void require(bool holds) {
    if (!holds) std::abort();
}

// The setting a target starts from: the factory setting of a fixed day.
inline const SettingRecord& startingSetting() {
    static const SettingRecord record = FactorySettings({2026, 1, 1, 0, 0, 0}, "/pc/", 0);
    return record;
}

}  // namespace voltaro::fuzz
