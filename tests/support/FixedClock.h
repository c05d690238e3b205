#pragma once

#include "app/WallClock.h"

namespace voltaro::test {

class FixedClock final : public WallClock {
public:
    explicit FixedClock(LocalDateTime time) : time(time) {}
    LocalDateTime now() const override { return time; }
    LocalDateTime time;
};

}  // namespace voltaro::test
