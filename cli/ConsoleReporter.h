#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "app/Messages.h"

namespace voltaro {

// How the command line reports: each message as its text alone on a line of the error
// stream, and, on a terminal, a one-line progress display redrawn in place that a
// message first clears.
class ConsoleReporter final : public Messages {
public:
    // `enabled` false (not a terminal) makes update() silent; messages still print.
    ConsoleReporter(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}

    // Shows "name: 45% (120.0 of 266.7 MB)" when the work is large enough to watch.
    void update(const std::string& name, std::uint64_t done, std::uint64_t total);
    void clear();

    void notify(MessageIcon icon, const std::string& title, const std::string& text) override;

private:
    std::ostream& err_;
    bool enabled_;
    bool shown_ = false;
    int lastPercent_ = -1;
};

// True when file descriptor 2 is a terminal.
bool StandardErrorIsTerminal();

}  // namespace voltaro
