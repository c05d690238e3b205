#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "sim/MeterFaults.h"
#include "sim/MeterModel.h"

namespace voltaro::sim {

// What voltaro-meter-sim is asked to do.
struct MeterSimOptions {
    MeterFolders folders;  // an empty card folder means the sample card beside the program
    MeterFaults faults;
    std::string logFile;  // every command line received goes here; empty for none
    // The line is closed, as by a meter unplugged, when this command arrives (a keyword such
    // as :CARD:DIRE? or a whole line); empty for never.
    std::string hangUpOn;
    bool help = false;
};

extern const std::string_view kMeterSimUsage;

// Reads the arguments after the program name. On a usage error returns nothing and
// says why in `error`.
std::optional<MeterSimOptions> ParseMeterSimOptions(std::span<const std::string_view> arguments, std::string& error);

}  // namespace voltaro::sim
