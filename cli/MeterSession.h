#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/AppContext.h"
#include "cli/CommandLine.h"
#include "cli/ConsoleReporter.h"
#include "link/Link.h"

namespace voltaro {

// What a command that talks to the meter needs: the application's state read from the
// Parameter file, the serial options of the command line laid over it, and a line.
class MeterSession {
public:
    // Reads the port options out of `args` (the rest stays). Nothing, after saying why on
    // the error stream, when they are wrong (`status` a usage error) or there is no
    // serial line to be had (`status` a failure).
    static std::optional<MeterSession> create(std::vector<std::string>& args, const Console& console,
                                              ConsoleAnswers answers, const std::string& command, int& status);

    AppContext& context() { return *ctx_; }
    Link& link() { return *link_; }
    ConsoleReporter& reporter() { return *reporter_; }

private:
    MeterSession() = default;

    std::unique_ptr<ConsoleReporter> reporter_;
    std::unique_ptr<SystemWallClock> wallClock_;
    std::unique_ptr<AppContext> ctx_;
    std::unique_ptr<SerialPort> port_;
    std::unique_ptr<SteadyClock> steadyClock_;
    std::unique_ptr<Link> link_;
};

// Takes the port options out of `args` and lays them over `pc`; false, after saying why
// on `err`, when one is wrong.
bool TakePortOptions(std::vector<std::string>& args, PcSettings& pc, std::ostream& err, const std::string& command);

// The --flow value of a flow-control list entry ("off", "xon", "xon-rts", "rts").
std::string_view FlowOptionName(int flowIndex);

// The help lines of the port options every meter command takes.
extern const char* const kPortOptionsHelp;

// Says on the error stream what is wrong with a meter command's arguments, then its usage
// and the port options; returns the usage error status.
int MeterCommandUsage(const Console& console, const std::string& command, std::string_view synopsis,
                      const std::string& complaint);

}  // namespace voltaro
