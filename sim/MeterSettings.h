#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "app/SettingRecord.h"

namespace voltaro::sim {

// The meter's own setting, item by item, as its setting queries report it. A set
// command stores its argument in the meter's reply spelling ("60Hz" reads back "60",
// "1kA" as "1KA"); channel items (":CLAM", ":CURR:RANG", ":CT") are set one channel at
// a time ("2,52140") and reported for all four channels.
class MeterSettings {
public:
    explicit MeterSettings(const SettingRecord& factory);

    // The reply to the query of setting item `header` (":WIRI"); empty for no such item.
    std::optional<std::string> query(std::string_view header) const;
    // Applies the set command of item `header`; false when there is no such item.
    bool set(std::string_view header, std::string_view argument);
    // Back to `factory`. The meter keeps its language, ID and clock, as the PC side
    // keeps them in its own copy of a reset setting.
    void reset(const SettingRecord& factory);

private:
    std::map<std::string, std::string, std::less<>> replies_;
};

}  // namespace voltaro::sim
