#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

#include "link/MonotonicClock.h"

namespace voltaro::sim {

// The meter's transmit side: bytes queued for the line, each with the moment it has
// arrived at the far end. At a line rate a byte takes 10 bit times (start, eight data
// bits, stop); without one a queued block arrives whole at once.
class PacedOutput {
public:
    using TimePoint = MonotonicClock::TimePoint;

    explicit PacedOutput(int baud = 0) : baud_(baud) {}

    // Queues `bytes` to start no earlier than `earliest` and not before what is queued
    // has gone; returns the moment the last of them arrives.
    TimePoint send(std::string bytes, TimePoint earliest);

    std::size_t available(TimePoint now) const;
    // Moves at most `capacity` arrived bytes to `destination`; returns how many.
    std::size_t take(char* destination, std::size_t capacity, TimePoint now);
    // When the next byte not yet taken arrives (perhaps already); empty when none is queued.
    std::optional<TimePoint> nextByteTime() const;

private:
    struct Block {
        TimePoint start;
        std::string bytes;
        std::size_t taken = 0;
    };

    TimePoint arrival(const Block& block, std::size_t index) const;
    // How many bytes of `block`, from its first one not taken, have arrived by `now`.
    std::size_t arrived(const Block& block, TimePoint now) const;

    int baud_;
    std::deque<Block> blocks_;
};

}  // namespace voltaro::sim
