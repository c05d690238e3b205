// voltaro-meter-sim: a simulated ZR915 on a pseudo-terminal, for trying, demonstrating
// and testing Voltaro without the instrument. Prints the device to open as its first
// line, then serves until SIGTERM or SIGINT.

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

#include "app/WallClock.h"
#include "link/MonotonicClock.h"
#include "sim/MeterModel.h"
#include "sim/MeterSimOptions.h"
#include "sim/PseudoTerminal.h"

namespace {

using namespace voltaro;
using namespace voltaro::sim;

constexpr const char* kProgram = "voltaro-meter-sim";

// A signal's only act is a byte on this pipe, which wakes the serving loop's poll.
int stopPipe[2] = {-1, -1};

extern "C" void RequestStop(int) {
    const int saved = errno;
    const char byte = 0;
    [[maybe_unused]] const auto ignored = ::write(stopPipe[1], &byte, 1);
    errno = saved;
}

bool InstallStopSignals() {
    if (::pipe(stopPipe) != 0) return false;
    for (int end : stopPipe) ::fcntl(end, F_SETFD, FD_CLOEXEC);
    ::fcntl(stopPipe[1], F_SETFL, O_NONBLOCK);
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    return ::sigaction(SIGTERM, &action, nullptr) == 0 && ::sigaction(SIGINT, &action, nullptr) == 0;
}

std::filesystem::path ProgramFolder(const char* argv0) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::absolute(argv0, error).parent_path() : self.parent_path();
}

int PollTimeout(const MeterModel& meter, const MonotonicClock& clock) {
    const auto next = meter.nextOutputTime();
    if (!next) return -1;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - clock.now()).count();
    return static_cast<int>(std::clamp<long long>(wait, 0, INT_MAX));
}

// Moves commands to the meter and replies to the line as they fall due, sleeping in
// poll in between. Returns once a stop or a hang-up was requested; false on a line failure.
bool Serve(const PseudoTerminal& terminal, MeterModel& meter, const MonotonicClock& clock, const bool& hangUp) {
    std::array<char, 4096> buffer;
    std::string outgoing;  // taken from the meter, not yet accepted by the line
    for (;;) {
        std::array<pollfd, 2> watched = {{
            {terminal.fd(), static_cast<short>(POLLIN | (outgoing.empty() ? 0 : POLLOUT)), 0},
            {stopPipe[0], POLLIN, 0},
        }};
        const int timeout = outgoing.empty() ? PollTimeout(meter, clock) : -1;
        if (::poll(watched.data(), watched.size(), timeout) < 0) {
            if (errno == EINTR) continue;
            std::cerr << kProgram << ": poll: " << std::strerror(errno) << '\n';
            return false;
        }
        if (watched[1].revents != 0) return true;
        if ((watched[0].revents & POLLIN) != 0) {
            const ssize_t got = ::read(terminal.fd(), buffer.data(), buffer.size());
            if (got > 0) meter.receive(std::string_view(buffer.data(), static_cast<std::size_t>(got)), clock.now());
            if (hangUp) return true;
        }
        if (outgoing.empty()) outgoing.assign(buffer.data(), meter.take(buffer.data(), buffer.size(), clock.now()));
        if (!outgoing.empty()) {
            const ssize_t sent = ::write(terminal.fd(), outgoing.data(), outgoing.size());
            if (sent > 0) outgoing.erase(0, static_cast<std::size_t>(sent));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    std::string error;
    auto options = ParseMeterSimOptions(arguments, error);
    if (!options) {
        std::cerr << kProgram << ": " << error << '\n' << kMeterSimUsage;
        return 2;
    }
    if (options->help) {
        std::cout << kMeterSimUsage;
        return 0;
    }
    if (options->folders.card.empty()) options->folders.card = DefaultCardFolder(ProgramFolder(argv[0]));

    std::ofstream log;
    if (!options->logFile.empty()) {
        log.open(options->logFile, std::ios::out | std::ios::trunc);
        if (!log) {
            std::cerr << kProgram << ": cannot write " << options->logFile << ": " << std::strerror(errno) << '\n';
            return 1;
        }
    }
    if (!InstallStopSignals()) {
        std::cerr << kProgram << ": signals: " << std::strerror(errno) << '\n';
        return 1;
    }
    auto terminal = PseudoTerminal::open(error);
    if (!terminal) {
        std::cerr << kProgram << ": " << error << '\n';
        return 1;
    }

    MeterModel meter(options->folders, options->faults, SystemWallClock().now());
    bool hangUp = false;
    meter.setCommandObserver([&](std::string_view line) {
        if (log.is_open()) log << line << std::endl;
        const std::string_view named = options->hangUpOn;
        if (!named.empty() && (line == named || line.substr(0, line.find(' ')) == named)) hangUp = true;
    });

    std::cout << terminal->devicePath() << std::endl;
    const SteadyClock clock;
    // Leaving closes both sides of the pseudo-terminal: the program on it sees the line gone.
    return Serve(*terminal, meter, clock, hangUp) ? 0 : 1;
}
