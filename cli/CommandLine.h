#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace voltaro {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Runs `voltaro ARGS...` headless (ARGS without the program name) and returns the exit status.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The help text: usage, options and every subcommand.
void PrintHelp(std::ostream& out);

}  // namespace voltaro
