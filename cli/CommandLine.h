#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "link/MeterScan.h"
#include "link/MonotonicClock.h"
#include "link/PortNames.h"
#include "link/SerialPort.h"

namespace voltaro {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// The streams a command works with, and whether the user sits at them.
struct Console {
    Console(std::istream& in, std::ostream& out, std::ostream& err, bool inputIsTerminal = false,
            bool errorIsTerminal = false)
        : in(in), out(out), err(err), inputIsTerminal(inputIsTerminal), errorIsTerminal(errorIsTerminal) {}

    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool inputIsTerminal = false;  // a question can be asked and answered
    bool errorIsTerminal = false;  // a progress line can be redrawn in place
    // Makes the serial line the meter commands talk over; empty in a build without one.
    std::function<std::unique_ptr<SerialPort>()> makeSerialPort;
    // The clock of the line's time-outs; the steady clock when not set.
    const MonotonicClock* linkClock = nullptr;
    // The serial ports the system reports, which `identify --scan` asks; none when not set.
    std::function<std::vector<ReportedPort>()> listSerialPorts;
    // Runs the workers of a scan, each on a thread of its own; plain threads when not set.
    ParallelRunner runInParallel;
};

// The process's own standard streams.
Console StandardConsole();

// Runs `voltaro ARGS...` headless (ARGS without the program name) and returns the exit status.
int RunCommandLine(const std::vector<std::string>& args, const Console& console);

// The help text: usage, options and every subcommand.
void PrintHelp(std::ostream& out);

// Steps from the option at `args[at]` to the value after it and copies that into `value`;
// false when the option is the last argument.
bool TakeOptionValue(const std::vector<std::string>& args, std::size_t& at, std::string& value);

}  // namespace voltaro
