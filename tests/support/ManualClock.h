#pragma once

#include "link/MonotonicClock.h"

namespace voltaro::test {

// A monotonic clock that stands still until someone sleeps on it: time-outs and waits
// run in simulated time, so tests never sleep.
class ManualClock final : public MonotonicClock {
public:
    TimePoint now() const override { return now_; }
    void sleepUntil(TimePoint until) const override {
        if (until > now_) now_ = until;
    }
    void advance(Duration by) { now_ += by; }

private:
    mutable TimePoint now_{};
};

}  // namespace voltaro::test
