#pragma once

namespace voltaro {

// While it lives, an interrupt (SIGINT) or a termination request (SIGTERM) does not end the
// process: it asks the run at hand to stop, which stops at its next block, keeping the files
// it completed and removing the one it was writing. A second such signal ends the process
// at once, for a run that does not stop.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // True once a signal has asked to stop.
    static bool received();
};

}  // namespace voltaro
