#include "plot/ui/PlotWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "plot/MinMaxReduction.h"

namespace voltaro {

namespace {

// One notch of the wheel shows this share of the width.
constexpr double kZoomPerNotch = 0.8;
// A frame smaller than this is a slip of the hand, not a zoom.
constexpr int kSmallestFrame = 4;

// The frame with corners `a` and `b`, both inside it, whichever way it was drawn.
QRect frameBetween(const QPoint& a, const QPoint& b) {
    return {QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
            QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))};
}

}  // namespace

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::OpenHandCursor);
    frame_ = new QRubberBand(QRubberBand::Rectangle, this);
    frame_->setObjectName("frame");
}

void PlotWidget::setPlot(PlotData data, const QString& title, const QString& xTitle) {
    data_ = std::move(data);
    title_ = title;
    xTitle_ = xTitle;
    whole_ = WholeRange(data_);
    showWhole();
}

void PlotWidget::setRange(const PlotRange& range) {
    range_ = range;
    update();
    emit rangeChanged();
}

void PlotWidget::showWhole() {
    yFollows_ = true;
    setRange(whole_);
}

void PlotWidget::zoomAt(int at, double factor) {
    range_ = ZoomedAround(range_, xAt(at), factor, whole_);
    fitY();
    setRange(range_);
}

QRect PlotWidget::plotArea() const { return PlotArea(rect(), fontMetrics()); }

QSize PlotWidget::minimumSizeHint() const {
    return {fontMetrics().horizontalAdvance("00:00:00") * 6, fontMetrics().height() * 12};
}

QSize PlotWidget::sizeHint() const { return minimumSizeHint() * 2; }

double PlotWidget::xAt(double pixel) const {
    const QRect area = plotArea();
    return range_.xFrom + (pixel - area.left()) / std::max(1, area.width()) * range_.width();
}

double PlotWidget::yAt(double pixel) const {
    const QRect area = plotArea();
    return range_.yFrom + (area.bottom() + 1 - pixel) / std::max(1, area.height()) * range_.height();
}

void PlotWidget::fitY() {
    if (!yFollows_) return;
    std::vector<PlotPoint> inView;
    for (const PlotSeries& series : data_.series) {
        const std::vector<PlotPoint> points = ReduceToColumns(data_.x, series.y, range_.xFrom, range_.xTo, 1);
        for (const PlotPoint& point : points)
            if (point.x >= range_.xFrom && point.x <= range_.xTo) inView.push_back(point);
    }
    range_ = WithYFitted(range_, inView);
}

PlotPicture PlotWidget::picture() const { return {&data_, range_, title_, xTitle_}; }

void PlotWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawPlot(painter, rect(), picture());
}

void PlotWidget::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0) zoomAt(static_cast<int>(event->position().x()), std::pow(kZoomPerNotch, notches));
    event->accept();
}

void PlotWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return QWidget::mousePressEvent(event);
    dragging_ = event->button();
    pressedAt_ = event->position().toPoint();
    rangeAtPress_ = range_;
    if (dragging_ == Qt::LeftButton) {
        setCursor(Qt::ClosedHandCursor);
    } else {
        frame_->setGeometry(QRect(pressedAt_, QSize()));
        frame_->show();
    }
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (dragging_ == Qt::RightButton) {
        frame_->setGeometry(frameBetween(pressedAt_, at));
        return;
    }
    if (dragging_ != Qt::LeftButton) return;
    const QRect area = plotArea();
    const double dx = -(at.x() - pressedAt_.x()) * rangeAtPress_.width() / std::max(1, area.width());
    const double dy = yFollows_ ? 0 : (at.y() - pressedAt_.y()) * rangeAtPress_.height() / std::max(1, area.height());
    range_ = Moved(rangeAtPress_, dx, dy);
    fitY();
    setRange(range_);
}

void PlotWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != dragging_) return QWidget::mouseReleaseEvent(event);
    dragging_ = Qt::NoButton;
    setCursor(Qt::OpenHandCursor);
    if (!frame_->isVisible()) return;
    frame_->hide();
    const QRect chosen = frame_->geometry().intersected(plotArea());
    if (chosen.width() < kSmallestFrame || chosen.height() < kSmallestFrame) return;
    yFollows_ = false;
    setRange({xAt(chosen.left()), xAt(chosen.right() + 1), yAt(chosen.bottom() + 1), yAt(chosen.top())});
}

void PlotWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) showWhole();
}

}  // namespace voltaro
