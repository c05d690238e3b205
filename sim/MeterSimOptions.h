#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "sim/MeterFaults.h"
#include "sim/MeterModel.h"

namespace voltaro::sim {

// What voltaro-meter-sim is asked to do.
struct MeterSimOptions {
    MeterFolders folders;  // an empty card folder means the sample card (DefaultCardFolder)
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

// The sample card served without --card, for a program in `programFolder`: "meter-card" beside
// the program, where the build writes it, else in the program's own files of an installed
// tree, <prefix>/share/voltaro/meter-card beside <prefix>/bin. When neither is there, the one
// beside the program, which then serves an empty card.
std::filesystem::path DefaultCardFolder(const std::filesystem::path& programFolder);

}  // namespace voltaro::sim
