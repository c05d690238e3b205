#pragma once

#include <string>
#include <vector>

#include "cli/CommandLine.h"

namespace voltaro {

// voltaro plot FILE.CSV [--columns NAMES] [--record N] -o PLOT.png|PLOT.svg
int RunPlotCommand(const std::vector<std::string>& args, const Console& console);

// Whether `voltaro ARGS` draws a picture. Drawing runs its own application on the offscreen
// platform (OffscreenDrawing), so the program must not start one for it.
bool CommandDraws(const std::vector<std::string>& args);

}  // namespace voltaro
