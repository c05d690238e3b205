#include "cli/StopSignals.h"

#include <csignal>

namespace voltaro {

namespace {

volatile std::sig_atomic_t stopAsked = 0;
struct sigaction earlierInterrupt {};
struct sigaction earlierTermination {};

extern "C" void askToStop(int) { stopAsked = 1; }

}  // namespace

StopSignals::StopSignals() {
    stopAsked = 0;
    struct sigaction action {};
    action.sa_handler = askToStop;
    sigemptyset(&action.sa_mask);
    // Reads and writes go on after the signal; the second signal has its usual effect.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGINT, &action, &earlierInterrupt);
    sigaction(SIGTERM, &action, &earlierTermination);
}

StopSignals::~StopSignals() {
    sigaction(SIGINT, &earlierInterrupt, nullptr);
    sigaction(SIGTERM, &earlierTermination, nullptr);
}

bool StopSignals::received() { return stopAsked != 0; }

}  // namespace voltaro
