#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace voltaro {

// voltaro convert [-o DIR] FILE...
int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace voltaro
