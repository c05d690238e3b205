#pragma once

#include <string>
#include <vector>

#include "cli/CommandLine.h"

namespace voltaro {

// voltaro convert [-o DIR] FILE...
int RunConvertCommand(const std::vector<std::string>& args, const Console& console);

}  // namespace voltaro
