#include "sim/PseudoTerminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace voltaro::sim {

namespace {

std::string SystemText(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

std::optional<PseudoTerminal> PseudoTerminal::open(std::string& error) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        error = SystemText("posix_openpt");
        return std::nullopt;
    }
    const auto fail = [&](const char* what, int slave = -1) -> std::optional<PseudoTerminal> {
        error = SystemText(what);
        if (slave >= 0) ::close(slave);
        ::close(master);
        return std::nullopt;
    };
    if (::grantpt(master) != 0) return fail("grantpt");
    if (::unlockpt(master) != 0) return fail("unlockpt");
    const char* name = ::ptsname(master);
    if (name == nullptr) return fail("ptsname");
    std::string devicePath(name);
    const int slave = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY);
    if (slave < 0) return fail("open");
    // Raw bytes both ways: no echo, no line editing, no CR and LF translation.
    termios mode{};
    if (::tcgetattr(slave, &mode) != 0) return fail("tcgetattr", slave);
    ::cfmakeraw(&mode);
    if (::tcsetattr(slave, TCSANOW, &mode) != 0) return fail("tcsetattr", slave);
    const int flags = ::fcntl(master, F_GETFL);
    if (flags < 0 || ::fcntl(master, F_SETFL, flags | O_NONBLOCK) != 0) return fail("fcntl", slave);
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave, F_SETFD, FD_CLOEXEC);
    return PseudoTerminal(master, slave, std::move(devicePath));
}

PseudoTerminal::PseudoTerminal(PseudoTerminal&& other) noexcept
    : master_(std::exchange(other.master_, -1)),
      slave_(std::exchange(other.slave_, -1)),
      devicePath_(std::move(other.devicePath_)) {}

PseudoTerminal::~PseudoTerminal() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
}

}  // namespace voltaro::sim
