#include "plot/AxisTicks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "plot/DataRowText.h"

namespace voltaro {

namespace {

// Round steps of a time axis in seconds.
constexpr std::array<double, 21> kTimeSteps{0.1, 0.2, 0.5, 1,    2,    5,    10,    15,    30,    60,   120,
                                            300, 600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};
constexpr double kDay = 86400;

// The smallest step of 1, 2 or 5 times a power of ten at which `span` holds at most `most` steps.
double roundStep(double span, int most) {
    const double rough = span / most;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double multiple : {1.0, 2.0, 5.0, 10.0})
        if (multiple * power >= rough) return multiple * power;
    return 10 * power;
}

int decimalsOf(double step) { return std::max(0, static_cast<int>(std::ceil(-std::log10(step) - 1e-9))); }

}  // namespace

std::vector<AxisTick> NumberTicks(double from, double to, int most) {
    std::vector<AxisTick> ticks;
    if (!(to > from) || most < 1 || !std::isfinite(to - from)) return ticks;
    const double step = roundStep(to - from, most);
    const bool huge = std::max(std::fabs(from), std::fabs(to)) >= 1e7 || step < 1e-4;
    const int decimals = decimalsOf(step);
    for (double k = std::ceil(from / step); k * step <= to + step * 1e-9; ++k) {
        const double value = std::fabs(k) < 0.5 ? 0 : k * step;
        char text[32];
        if (huge)
            std::snprintf(text, sizeof text, "%.3g", value);
        else
            std::snprintf(text, sizeof text, "%.*f", decimals, value);
        ticks.push_back({value, text});
    }
    return ticks;
}

std::vector<AxisTick> TimeTicks(double from, double to, int most, std::int64_t start) {
    std::vector<AxisTick> ticks;
    if (!(to > from) || most < 1 || !std::isfinite(to - from)) return ticks;
    double step = kTimeSteps.back();
    for (const double candidate : kTimeSteps)
        if ((to - from) / candidate <= most) {
            step = candidate;
            break;
        }
    // Longer than the steps go: whole days, as many as the span needs.
    if ((to - from) / step > most) step = kDay * std::ceil((to - from) / kDay / most);
    // Counted from midnight of the first moment's day, so that ticks fall on round clock times.
    const double midnight = std::floor(static_cast<double>(start) / kDay) * kDay;
    const double offset = static_cast<double>(start) - midnight;
    for (double k = std::ceil((from + offset) / step); k * step - offset <= to + step * 1e-9; ++k) {
        const double value = k * step - offset;
        const double moment = midnight + k * step;
        const auto whole = static_cast<std::int64_t>(std::floor(moment + 1e-6));
        const std::string text = DateTimeText(whole);  // "YYYY/MM/DD hh:mm:ss"
        std::string label;
        if (step >= kDay)
            label = text.substr(0, 10);
        else if (step >= 60)
            label = text.substr(11, 5);
        else
            label = text.substr(11, 8);
        if (step < 1) {
            char tenths[8];
            std::snprintf(tenths, sizeof tenths, ".%d", static_cast<int>(std::lround((moment - whole) * 10)) % 10);
            label += tenths;
        }
        ticks.push_back({value, label});
    }
    return ticks;
}

}  // namespace voltaro
