#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace voltaro {

// voltaro divide (--lines N | --columns N) [-o DIR] [--yes] FILE
int RunDivideCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace voltaro
