#pragma once

#include <optional>
#include <string>

namespace voltaro::sim {

// The master side of a pseudo-terminal in raw mode. Its slave device is what a serial
// port program opens. The slave stays open here too, so the master never sees a
// hang-up while no program has the device open.
class PseudoTerminal {
public:
    // A new pseudo-terminal; on failure `error` holds the system's text.
    static std::optional<PseudoTerminal> open(std::string& error);

    PseudoTerminal(PseudoTerminal&& other) noexcept;
    PseudoTerminal& operator=(PseudoTerminal&&) = delete;
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;
    ~PseudoTerminal();

    // The master, non-blocking.
    int fd() const { return master_; }
    const std::string& devicePath() const { return devicePath_; }

private:
    PseudoTerminal(int master, int slave, std::string devicePath)
        : master_(master), slave_(slave), devicePath_(std::move(devicePath)) {}

    int master_;
    int slave_;
    std::string devicePath_;
};

}  // namespace voltaro::sim
