#include "cli/ConsoleMessages.h"

#include <ostream>

namespace voltaro {

void ConsoleMessages::notify(MessageIcon, const std::string&, const std::string& text) { err_ << text << std::endl; }

}  // namespace voltaro
