#pragma once

#include <span>
#include <vector>

namespace voltaro {

// A point to draw; a NaN y is a gap, where the line breaks.
struct PlotPoint {
    double x;
    double y;
};

// The points that show the series (x[k], y[k]) between x = `from` and x = `to` on `columns`
// pixel columns exactly as drawing every point would: of each run of consecutive points in one
// column, the first, the lowest, the highest and the last, in the series' order, so that no
// peak is lost and the lines between columns join where they did; the points just outside the
// range whose lines cross into it; a gap for every run of NaN values. At most about four points
// a column come out, whatever the series' length. A range that holds no more points than
// columns gives its points as they are.
std::vector<PlotPoint> ReduceToColumns(std::span<const double> x, std::span<const float> y, double from, double to,
                                       int columns);

}  // namespace voltaro
