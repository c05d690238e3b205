#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CommandLine.h"

namespace voltaro {

// One headless job of `voltaro`, such as converting data files.
struct Subcommand {
    std::string_view name;
    std::string_view synopsis;  // the arguments, as shown in the help
    std::string_view summary;
    int (*run)(const std::vector<std::string>& args, const Console& console);
};

// Every subcommand this build offers, in the order the help lists them.
std::span<const Subcommand> Subcommands();

}  // namespace voltaro
