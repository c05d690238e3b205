#pragma once

#include <string>
#include <vector>

#include "cli/CommandLine.h"

namespace voltaro {

// voltaro divide (--lines N | --columns N) [-o DIR] [--yes] FILE
int RunDivideCommand(const std::vector<std::string>& args, const Console& console);

}  // namespace voltaro
