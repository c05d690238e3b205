#pragma once

namespace voltaro {

// A local calendar date and time, the way the meter and its settings count time.
struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const LocalDateTime&) const = default;
};

// The PC's local clock, injected so that clock-dependent defaults can be tested.
class WallClock {
public:
    virtual ~WallClock() = default;
    virtual LocalDateTime now() const = 0;
};

class SystemWallClock final : public WallClock {
public:
    LocalDateTime now() const override;
};

// Adds minutes to a calendar time, carrying into hours, days, months and years.
LocalDateTime AddMinutes(const LocalDateTime& time, int minutes);

}  // namespace voltaro
