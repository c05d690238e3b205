#pragma once

#include <chrono>

namespace voltaro {

// The time the link's time-outs and waits count in: monotonic, so no midnight and no
// clock change disturbs them. Tests inject a clock that moves only when told.
class MonotonicClock {
public:
    using Duration = std::chrono::steady_clock::duration;
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~MonotonicClock() = default;
    virtual TimePoint now() const = 0;
    // Returns once `until` has come.
    virtual void sleepUntil(TimePoint until) const = 0;
};

class SteadyClock final : public MonotonicClock {
public:
    TimePoint now() const override { return std::chrono::steady_clock::now(); }
    void sleepUntil(TimePoint until) const override;
};

}  // namespace voltaro
