#pragma once

#include <QPoint>
#include <QWidget>

#include "plot/PlotData.h"
#include "plot/PlotRange.h"
#include "plot/qt/PlotPainter.h"

class QRubberBand;

namespace voltaro {

// Draws one plot and lets the user look around in it: the wheel zooms the time or sample axis
// around the pointer, a drag moves the view, a frame drawn with the right button zooms into it,
// and a double-click shows everything again. Until a frame sets it, y follows the values in view.
class PlotWidget : public QWidget {
    Q_OBJECT

public:
    explicit PlotWidget(QWidget* parent = nullptr);

    // Shows `data` whole.
    void setPlot(PlotData data, const QString& title, const QString& xTitle);
    const PlotData& data() const { return data_; }

    const PlotRange& range() const { return range_; }
    void setRange(const PlotRange& range);
    // Everything again, y following the values.
    void showWhole();
    // Zooms x by `factor` (below 1 in) around the pixel column `at`, as the wheel does.
    void zoomAt(int at, double factor);

    // The part of the widget the values are drawn in.
    QRect plotArea() const;

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

signals:
    void rangeChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The x and y of a point of the widget.
    double xAt(double pixel) const;
    double yAt(double pixel) const;
    void fitY();
    PlotPicture picture() const;

    PlotData data_;
    QString title_, xTitle_;
    PlotRange whole_, range_;
    bool yFollows_ = true;
    QPoint pressedAt_;
    PlotRange rangeAtPress_;
    Qt::MouseButton dragging_ = Qt::NoButton;
    QRubberBand* frame_ = nullptr;
};

}  // namespace voltaro
