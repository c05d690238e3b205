#include "app/WallClock.h"

#include <chrono>
#include <ctime>

namespace voltaro {

LocalDateTime SystemWallClock::now() const {
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

LocalDateTime AddMinutes(const LocalDateTime& time, int minutes) {
    using namespace std::chrono;
    const sys_days date = year_month_day{year{time.year}, month{static_cast<unsigned>(time.month)},
                                         day{static_cast<unsigned>(time.day)}};
    const auto moment = date + hours{time.hour} + std::chrono::minutes{time.minute + minutes};
    const auto newDate = floor<days>(moment);
    const year_month_day ymd{newDate};
    const hh_mm_ss clock{moment - newDate};
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())), static_cast<int>(clock.hours().count()),
            static_cast<int>(clock.minutes().count()), time.second};
}

}  // namespace voltaro
