#pragma once

#include <QColor>
#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <cstddef>

#include "plot/PlotData.h"
#include "plot/PlotRange.h"

class QPainter;

namespace voltaro {

// What one picture of a plot shows: every series of `data` in `range`, under `title`, with
// `xTitle` under the x axis and the series' units beside the y axis.
struct PlotPicture {
    const PlotData* data = nullptr;
    PlotRange range;
    QString title;
    QString xTitle;
};

// The part of `bounds` the values are drawn in, inside the axes' labels and the title.
QRect PlotArea(const QRect& bounds, const QFontMetrics& metrics);

// Draws the picture into `bounds`: title, frame, grid, tick labels, axis titles, each series as
// a line of its own colour (reduced to what the area's pixel columns can show, see
// ReduceToColumns) and their names in a legend.
void DrawPlot(QPainter& painter, const QRect& bounds, const PlotPicture& picture);

// The colour of the series at `position`, the same in the window and in a picture file.
QColor SeriesColour(std::size_t position);

}  // namespace voltaro
