#include "link/MonotonicClock.h"

#include <thread>

namespace voltaro {

void SteadyClock::sleepUntil(TimePoint until) const { std::this_thread::sleep_until(until); }

}  // namespace voltaro
