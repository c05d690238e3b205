#include "cli/ConsoleReporter.h"

#include <unistd.h>

#include <cstdio>
#include <ostream>

namespace voltaro {

namespace {

// Smaller work finishes before a progress line would be worth reading.
constexpr std::uint64_t kWorthShowingBytes = 16u << 20;

}  // namespace

void ConsoleReporter::update(const std::string& name, std::uint64_t done, std::uint64_t total) {
    if (!enabled_ || total < kWorthShowingBytes) return;
    const int percent = static_cast<int>(done * 100 / total);
    if (percent == lastPercent_ && shown_) return;
    lastPercent_ = percent;
    char line[160];
    std::snprintf(line, sizeof line, "\r%.80s: %3d%% (%.1f of %.1f MB)", name.c_str(), percent,
                  static_cast<double>(done) / 1e6, static_cast<double>(total) / 1e6);
    err_ << line << std::flush;
    shown_ = true;
}

void ConsoleReporter::clear() {
    if (!shown_) return;
    err_ << "\r\033[K" << std::flush;
    shown_ = false;
    lastPercent_ = -1;
}

void ConsoleReporter::notify(MessageIcon, const std::string&, const std::string& text) {
    clear();
    err_ << text << std::endl;
}

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace voltaro
