#pragma once

#include <string>
#include <vector>

#include "cli/CommandLine.h"

namespace voltaro {

// voltaro identify [PORT OPTIONS]: prints the meter's model and version.
// voltaro identify --scan [DEVICE...] [PORT OPTIONS]: asks every serial port the system
// reports, and each DEVICE, for a ZR915 at the speed and format of the port options, and
// prints one line for each meter found ("/dev/ttyUSB0  ZR915 1.05"); status 1 when none.
int RunIdentifyCommand(const std::vector<std::string>& args, const Console& console);

// voltaro setup [PORT OPTIONS]: keeps the serial port setup in the Parameter file, as
// the communication setup dialog does, and prints it.
int RunSetupCommand(const std::vector<std::string>& args, const Console& console);

// voltaro reset [--yes] [PORT OPTIONS]: resets the meter to its factory setting.
int RunResetCommand(const std::vector<std::string>& args, const Console& console);

}  // namespace voltaro
