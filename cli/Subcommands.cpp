#include "cli/Subcommands.h"

#include <array>

namespace voltaro {

namespace {

// Each tool's command joins this table as the tool itself is built.
constexpr std::array<Subcommand, 0> kSubcommands{};

}  // namespace

std::span<const Subcommand> Subcommands() { return kSubcommands; }

}  // namespace voltaro
