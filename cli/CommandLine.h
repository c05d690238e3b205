#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace voltaro {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// The streams a command works with, and whether the user sits at them.
struct Console {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool inputIsTerminal = false;  // a question can be asked and answered
    bool errorIsTerminal = false;  // a progress line can be redrawn in place
};

// The process's own standard streams.
Console StandardConsole();

// Runs `voltaro ARGS...` headless (ARGS without the program name) and returns the exit status.
int RunCommandLine(const std::vector<std::string>& args, const Console& console);

// The help text: usage, options and every subcommand.
void PrintHelp(std::ostream& out);

}  // namespace voltaro
