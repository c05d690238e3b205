#include "plot/qt/PlotPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "plot/AxisTicks.h"
#include "plot/MinMaxReduction.h"

namespace voltaro {

namespace {

// Colours apart enough to tell lines apart, also for the colour-blind, before they repeat.
constexpr QRgb kSeriesColours[] = {0x0072B2, 0xD55E00, 0x009E73, 0xCC79A7, 0xE69F00, 0x56B4E9, 0x000000, 0xF0E442};
// Where a point far outside the area is drawn instead: past the edge, within what a painter takes.
constexpr double kFarthest = 1e7;
constexpr int kTickLength = 4;

int padding(const QFontMetrics& metrics) { return metrics.height() / 2; }

// The widest tick label a y axis is given room for.
int yLabelWidth(const QFontMetrics& metrics) { return metrics.horizontalAdvance("-88888.88"); }

QString unitsOf(const PlotData& data) {
    QStringList units;
    for (const PlotSeries& series : data.series) {
        const QString unit = QString::fromStdString(series.unit);
        if (!unit.isEmpty() && !units.contains(unit)) units << unit;
    }
    return units.join(", ");
}

class Mapping {
public:
    Mapping(const QRect& area, const PlotRange& range) : area_(area), range_(range) {}
    double x(double value) const {
        return clamp(area_.left() + (value - range_.xFrom) / range_.width() * area_.width());
    }
    double y(double value) const {
        return clamp(area_.bottom() + 1 - (value - range_.yFrom) / range_.height() * area_.height());
    }

private:
    static double clamp(double pixel) { return std::clamp(pixel, -kFarthest, kFarthest); }
    QRect area_;
    PlotRange range_;
};

void drawTicks(QPainter& painter, const QRect& area, const PlotPicture& picture, const Mapping& map) {
    const QFontMetrics metrics = painter.fontMetrics();
    const PlotRange& range = picture.range;
    const int most = std::max(2, area.width() / (metrics.horizontalAdvance("00:00:00.0") + 2 * padding(metrics)));
    const std::vector<AxisTick> xTicks = picture.data->axis == PlotAxis::Time
                                             ? TimeTicks(range.xFrom, range.xTo, most, picture.data->start)
                                             : NumberTicks(range.xFrom, range.xTo, most);
    const std::vector<AxisTick> yTicks =
        NumberTicks(range.yFrom, range.yTo, std::max(2, area.height() / (3 * metrics.height())));
    const QPen grid(QColor(0xE0, 0xE0, 0xE0), 0);
    const QPen ink(Qt::black, 0);
    for (const AxisTick& tick : xTicks) {
        const double at = map.x(tick.value);
        painter.setPen(grid);
        painter.drawLine(QPointF(at, area.top()), QPointF(at, area.bottom()));
        painter.setPen(ink);
        painter.drawLine(QPointF(at, area.bottom()), QPointF(at, area.bottom() + kTickLength));
        const QString label = QString::fromStdString(tick.label);
        const int width = metrics.horizontalAdvance(label);
        painter.drawText(QRectF(at - width / 2.0 - 1, area.bottom() + kTickLength, width + 2, metrics.height()),
                         Qt::AlignCenter, label);
    }
    for (const AxisTick& tick : yTicks) {
        const double at = map.y(tick.value);
        painter.setPen(grid);
        painter.drawLine(QPointF(area.left(), at), QPointF(area.right(), at));
        painter.setPen(ink);
        painter.drawLine(QPointF(area.left() - kTickLength, at), QPointF(area.left(), at));
        const QRectF room(area.left() - kTickLength - padding(metrics) / 2 - yLabelWidth(metrics),
                          at - metrics.height() / 2.0, yLabelWidth(metrics), metrics.height());
        painter.drawText(room, Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(tick.label));
    }
}

void drawSeries(QPainter& painter, const QRect& area, const PlotPicture& picture, const Mapping& map) {
    painter.save();
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing);
    const PlotData& data = *picture.data;
    for (std::size_t k = 0; k < data.series.size(); ++k) {
        painter.setPen(QPen(SeriesColour(k), 1.5));
        const std::vector<PlotPoint> points =
            ReduceToColumns(data.x, data.series[k].y, picture.range.xFrom, picture.range.xTo, area.width());
        QPolygonF line;
        auto drawLine = [&] {
            if (line.size() == 1) painter.drawPoint(line.front());
            if (line.size() > 1) painter.drawPolyline(line);
            line.clear();
        };
        for (const PlotPoint& point : points) {
            if (std::isnan(point.y))
                drawLine();
            else
                line << QPointF(map.x(point.x), map.y(point.y));
        }
        drawLine();
    }
    painter.restore();
}

void drawLegend(QPainter& painter, const QRect& area, const PlotData& data) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int pad = padding(metrics);
    const int swatch = metrics.height();
    int widest = 0;
    for (const PlotSeries& series : data.series)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(series.name)));
    // As many names as the area has room for; a legend never covers more than half of it.
    const int fitting = std::max(0, (area.height() / 2 - pad) / metrics.height());
    const int shown = std::min<int>(fitting, static_cast<int>(data.series.size()));
    if (shown == 0) return;
    const QRect box(area.right() - widest - swatch - 3 * pad, area.top() + pad, widest + swatch + 2 * pad,
                    shown * metrics.height() + pad);
    painter.fillRect(box, QColor(255, 255, 255, 220));
    painter.setPen(QPen(QColor(0xB0, 0xB0, 0xB0), 0));
    painter.drawRect(box);
    for (int k = 0; k < shown; ++k) {
        const int top = box.top() + pad / 2 + k * metrics.height();
        painter.setPen(QPen(SeriesColour(static_cast<std::size_t>(k)), 2));
        painter.drawLine(box.left() + pad / 2, top + swatch / 2, box.left() + pad / 2 + swatch, top + swatch / 2);
        painter.setPen(Qt::black);
        painter.drawText(QRect(box.left() + pad + swatch, top, widest + pad, metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromStdString(data.series[static_cast<std::size_t>(k)].name));
    }
}

}  // namespace

QRect PlotArea(const QRect& bounds, const QFontMetrics& metrics) {
    const int pad = padding(metrics);
    const int left = metrics.height() + pad + yLabelWidth(metrics) + kTickLength + pad;
    const int top = metrics.height() + 2 * pad;
    const int bottom = kTickLength + 2 * metrics.height() + 2 * pad;
    const int right = metrics.horizontalAdvance("00:00:00") / 2 + pad;
    return bounds.adjusted(left, top, -right, -bottom);
}

void DrawPlot(QPainter& painter, const QRect& bounds, const PlotPicture& picture) {
    painter.save();
    painter.fillRect(bounds, Qt::white);
    const QFontMetrics metrics = painter.fontMetrics();
    const QRect area = PlotArea(bounds, metrics);
    if (picture.data == nullptr || area.width() < 2 || area.height() < 2 || !(picture.range.width() > 0) ||
        !(picture.range.height() > 0)) {
        painter.restore();
        return;
    }
    painter.setPen(Qt::black);
    painter.drawText(QRect(bounds.left(), bounds.top() + padding(metrics) / 2, bounds.width(), metrics.height()),
                     Qt::AlignCenter, picture.title);
    const Mapping map(area, picture.range);
    drawTicks(painter, area, picture, map);
    drawSeries(painter, area, picture, map);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.drawText(
        QRect(area.left(), bounds.bottom() - metrics.height() - padding(metrics) / 2, area.width(), metrics.height()),
        Qt::AlignCenter, picture.xTitle);
    const QString units = unitsOf(*picture.data);
    if (!units.isEmpty()) {
        painter.save();
        painter.translate(bounds.left() + padding(metrics) / 2, area.center().y());
        painter.rotate(-90);
        painter.drawText(QRect(-area.height() / 2, 0, area.height(), metrics.height()), Qt::AlignCenter, units);
        painter.restore();
    }
    drawLegend(painter, area, *picture.data);
    painter.restore();
}

QColor SeriesColour(std::size_t position) {
    return QColor::fromRgb(kSeriesColours[position % std::size(kSeriesColours)]);
}

}  // namespace voltaro
