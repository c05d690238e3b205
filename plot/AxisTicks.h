#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace voltaro {

struct AxisTick {
    double value;
    std::string label;
};

// Ticks from `from` to `to` at the smallest round step (1, 2 or 5 times a power of ten) that
// fits the span `most` times at most, labelled with the decimals the step needs ("0.25" steps show two).
std::vector<AxisTick> NumberTicks(double from, double to, int most);

// Ticks of a time axis whose values count seconds from the moment `start` (seconds from
// 1970-01-01): at round clock times, at the smallest step (tenths of a second up to days) that
// fits the span `most` times at most,
// labelled with the time of day ("10:53:20", "10:53", "10:53:20.5") or, for steps of a day or
// more, the date ("2004/01/02").
std::vector<AxisTick> TimeTicks(double from, double to, int most, std::int64_t start);

}  // namespace voltaro
