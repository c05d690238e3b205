#include "plot/PlotRange.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace voltaro {

namespace {

constexpr double kMargin = 0.05;  // of the values' span, above and below
constexpr double kNarrowest = 1e-6;

// y around `low`..`high` with the margin; a flat line gets a span of its own.
void fitY(PlotRange& range, double low, double high) {
    if (!(low <= high)) return;
    double span = high - low;
    if (span == 0) span = low == 0 ? 1 : std::fabs(low) * 0.1;
    range.yFrom = low - kMargin * span;
    range.yTo = high + kMargin * span;
}

}  // namespace

PlotRange WholeRange(const PlotData& data) {
    PlotRange range;
    if (!data.x.empty()) {
        const auto [first, last] = std::minmax_element(data.x.begin(), data.x.end());
        range.xFrom = *first;
        range.xTo = *last > *first ? *last : *first + 1;
    }
    double low = std::numeric_limits<double>::infinity(), high = -low;
    for (const PlotSeries& series : data.series)
        for (const float value : series.y)
            if (!std::isnan(value)) low = std::min<double>(low, value), high = std::max<double>(high, value);
    fitY(range, low, high);
    return range;
}

PlotRange WithYFitted(PlotRange range, std::span<const PlotPoint> points) {
    double low = std::numeric_limits<double>::infinity(), high = -low;
    for (const PlotPoint& point : points)
        if (!std::isnan(point.y)) low = std::min(low, point.y), high = std::max(high, point.y);
    fitY(range, low, high);
    return range;
}

PlotRange ZoomedAround(const PlotRange& range, double x, double factor, const PlotRange& whole) {
    const double width = std::max(range.width() * factor, whole.width() * kNarrowest);
    const double share = range.width() > 0 ? (x - range.xFrom) / range.width() : 0.5;
    PlotRange zoomed = range;
    zoomed.xFrom = x - share * width;
    zoomed.xTo = zoomed.xFrom + width;
    return zoomed;
}

PlotRange Moved(const PlotRange& range, double dx, double dy) {
    return {range.xFrom + dx, range.xTo + dx, range.yFrom + dy, range.yTo + dy};
}

}  // namespace voltaro
