#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "app/ProgressObserver.h"
#include "link/MonotonicClock.h"

namespace voltaro {

// "12,345 of 65,536 bytes (18%), 0:14 left": the time left is estimated from the pace so
// far and left out until a second of it has been seen.
std::string TransferProgressText(std::uint64_t done, std::uint64_t total, MonotonicClock::Duration elapsed);

// Turns the byte counts of a file arriving from the meter into its name followed by the
// progress text, passed on to `shown` (a window's file-name line, a terminal's progress
// line) at most ten times a second, and always at the start and the end of a file.
class TransferProgress final : public ProgressObserver {
public:
    TransferProgress(const MonotonicClock& clock, ProgressObserver& shown) : clock_(clock), shown_(shown) {}

    void progress(const std::string& name, std::uint64_t done, std::uint64_t total) override;
    bool stopRequested() const override { return shown_.stopRequested(); }

private:
    const MonotonicClock& clock_;
    ProgressObserver& shown_;
    std::string name_;
    MonotonicClock::TimePoint started_{};
    MonotonicClock::TimePoint lastShown_{};
};

}  // namespace voltaro
