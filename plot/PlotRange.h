#pragma once

#include <span>

#include "plot/MinMaxReduction.h"
#include "plot/PlotData.h"

namespace voltaro {

// The part of a plot in view: x from xFrom to xTo, y from yFrom to yTo.
struct PlotRange {
    double xFrom = 0, xTo = 1, yFrom = 0, yTo = 1;

    double width() const { return xTo - xFrom; }
    double height() const { return yTo - yFrom; }
    bool operator==(const PlotRange&) const = default;
};

// Every point of `data` in view: x from the first to the last point, y around all its series'
// values with a little room above and below, so that no line runs along the frame.
PlotRange WholeRange(const PlotData& data);

// `range` with y fitted around the values of `points` (reduced for the x in view); unchanged
// when they hold no value.
PlotRange WithYFitted(PlotRange range, std::span<const PlotPoint> points);

// `range` with x `factor` times as wide (below 1 zooms in) around `x`, which stays where it is.
// The width never shrinks below a millionth of `whole`'s, so that zooming cannot run into the
// limits of the numbers.
PlotRange ZoomedAround(const PlotRange& range, double x, double factor, const PlotRange& whole);

// `range` moved by dx along x and dy along y.
PlotRange Moved(const PlotRange& range, double dx, double dy);

}  // namespace voltaro
