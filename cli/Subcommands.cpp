#include "cli/Subcommands.h"

#include <array>

#include "cli/ConvertCommand.h"

namespace voltaro {

namespace {

// Each tool's command joins this table as the tool itself is built.
constexpr std::array kSubcommands{
    Subcommand{"convert", "[-o DIR] FILE...",
               "convert the meter's .BIN and .WFM data files into CSV files in DIR (default: here)",
               RunConvertCommand},
};

}  // namespace

std::span<const Subcommand> Subcommands() { return kSubcommands; }

}  // namespace voltaro
