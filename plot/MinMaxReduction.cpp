#include "plot/MinMaxReduction.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

namespace voltaro {

namespace {

constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

// The run of points in one pixel column not yet given out.
struct ColumnRun {
    long column = -1;
    std::size_t first = 0, last = 0, lowest = 0, highest = 0;
    bool open = false;
};

}  // namespace

std::vector<PlotPoint> ReduceToColumns(std::span<const double> x, std::span<const float> y, double from, double to,
                                       int columns) {
    std::vector<PlotPoint> out;
    const std::size_t count = std::min(x.size(), y.size());
    if (columns <= 0 || !(to > from)) return out;
    auto inside = [&](std::size_t k) { return x[k] >= from && x[k] <= to; };
    auto drawn = [&](std::size_t k) { return !std::isnan(y[k]); };
    // A line from point a to point b crosses the range when their x lie on both sides of it or in it.
    auto crosses = [&](std::size_t a, std::size_t b) {
        return drawn(a) && drawn(b) && std::min(x[a], x[b]) <= to && std::max(x[a], x[b]) >= from;
    };

    std::size_t shown = 0;
    for (std::size_t k = 0; k < count; ++k) shown += drawn(k) && inside(k) ? 1 : 0;
    const bool asTheyAre = shown <= static_cast<std::size_t>(columns);

    auto give = [&](std::size_t k) { out.push_back({x[k], static_cast<double>(y[k])}); };
    ColumnRun run;
    auto close = [&] {
        if (!run.open) return;
        std::array<std::size_t, 4> picked{run.first, run.lowest, run.highest, run.last};
        std::sort(picked.begin(), picked.end());
        const auto end = std::unique(picked.begin(), picked.end());
        for (auto k = picked.begin(); k != end; ++k) give(*k);
        run.open = false;
    };
    const double scale = columns / (to - from);
    for (std::size_t k = 0; k < count; ++k) {
        if (!drawn(k)) {
            close();
            if (!out.empty() && !std::isnan(out.back().y)) out.push_back({x[k], kGap});
            continue;
        }
        if (!inside(k)) {
            if ((k > 0 && crosses(k - 1, k)) || (k + 1 < count && crosses(k, k + 1))) {
                close();
                give(k);
            }
            continue;
        }
        const long column = std::min<long>(columns - 1, static_cast<long>((x[k] - from) * scale));
        if (run.open && column == run.column && !asTheyAre) {
            run.last = k;
            if (y[k] < y[run.lowest]) run.lowest = k;
            if (y[k] > y[run.highest]) run.highest = k;
            continue;
        }
        close();
        run = {column, k, k, k, k, true};
    }
    close();
    return out;
}

}  // namespace voltaro
