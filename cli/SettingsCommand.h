#pragma once

#include <string>
#include <vector>

#include "cli/CommandLine.h"

namespace voltaro {

// voltaro settings receive [PORT OPTIONS] -o FILE.SET: the meter's setting, checked, into
// a setting file.
// voltaro settings send [PORT OPTIONS] [--pc-time] FILE.SET: a checked setting file into
// the meter, read back and compared; a setting the meter does not take is undone.
// voltaro settings check FILE.SET, show FILE.SET: the whole-setting check of a file, or
// its items as the settings window shows them.
// voltaro settings set FILE.SET NAME=VALUE...: items of a setting file changed by the
// settings window's rules, the file rewritten only when the whole setting passes.
// voltaro settings defaults -o FILE.SET: the factory setting as a setting file.
int RunSettingsCommand(const std::vector<std::string>& args, const Console& console);

}  // namespace voltaro
