#pragma once

#include <string>
#include <vector>

#include "cli/CommandLine.h"

namespace voltaro {

// voltaro files list [PORT OPTIONS] [--media card|memory]: the files on the meter, one a
// line, the name, a TAB and the meter's size text.
// voltaro files get [PORT OPTIONS] [--media card|memory] [-o DIR] [--xlsx BOOK.xlsx]
// [--yes|--no] NAME...: copies the named files from the meter into DIR.
int RunFilesCommand(const std::vector<std::string>& args, const Console& console);

}  // namespace voltaro
