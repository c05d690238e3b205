#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QtTest>
#include <memory>

#include "app/ui/IndexedToolBar.h"
#include "plot/PlotFiles.h"
#include "plot/ui/PlotWidget.h"
#include "plot/ui/frmPlot.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/TemporaryFolder.h"
#include "support/WindowControls.h"

namespace voltaro {

namespace {

using test::control;

QStringList seriesNames(const frmPlot& viewer) {
    QStringList names;
    for (const PlotSeries& series : viewer.plot().data().series) names << QString::fromStdString(series.name);
    return names;
}

void tick(const frmPlot& viewer, int row, bool ticked) {
    control<QListWidget>(viewer, "lstColumns")->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

}  // namespace

class frmPlotTest : public QObject {
    Q_OBJECT

    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 12, 6, 9, 0, 0}};
    AppContext ctx{messages, clock};
    test::TemporaryFolder folder;
    QStringList sectionsShown;  // what Help asked the manual for
    ManualViewer noManual = [this](AppContext&, QWidget*, std::string_view section) {
        sectionsShown << QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size()));
    };

    // An hour of rows, a minute apart: U1 rises from 200, I1 falls from 60, PF stays at 1.
    QString overTime() const {
        std::vector<std::string> rows;
        char row[160];
        for (int minute = 0; minute < 60; ++minute) {
            std::snprintf(row, sizeof row, "2004/01/01,10:%02d:00,A,%.3E,%.3E,1.000E+00", minute, 200.0 + minute,
                          60.0 - minute);
            rows.emplace_back(row);
        }
        return QString::fromStdString(folder.write("DATA.CSV", test::InstFile(rows)));
    }
    std::unique_ptr<frmPlot> open(const QString& path) {
        std::unique_ptr<frmPlot> viewer(OpenPlotViewer(ctx, path, nullptr, noManual));
        if (viewer) viewer->setAttribute(Qt::WA_DeleteOnClose, false);
        return viewer;
    }

private slots:
    void init() {
        messages.boxes.clear();
        sectionsShown.clear();
    }

    // Help opens the manual at the viewer's own section.
    void helpShowsTheViewersSection() {
        const auto viewer = open(overTime());
        QVERIFY(viewer);
        control<IndexedToolBar>(*viewer, "Toolbar1")->button(frmPlot::Help)->trigger();
        QCOMPARE(sectionsShown, QStringList{"viewer"});
    }

    void showsTheTickedColumnsOverTime() {
        const auto viewer = open(overTime());
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        auto* list = control<QListWidget>(*viewer, "lstColumns");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(1)->text(), QString("I1_INST(A)_1"));
        QCOMPARE(seriesNames(*viewer), QStringList{"U1_INST(V)"});
        QVERIFY(!control<QSpinBox>(*viewer, "spnRecord")->isVisibleTo(viewer.get()));

        tick(*viewer, 2, true);
        QCOMPARE(seriesNames(*viewer), (QStringList{"U1_INST(V)", "PF_INST_1"}));
        tick(*viewer, 0, false);
        tick(*viewer, 1, true);
        QCOMPARE(seriesNames(*viewer), (QStringList{"I1_INST(A)_1", "PF_INST_1"}));
        const PlotSeries& current = viewer->plot().data().series.front();
        QCOMPARE(current.y.front(), 60.0f);
        QCOMPARE(current.y.back(), 1.0f);
        QCOMPARE(viewer->plot().range().xTo, 59 * 60.0);
        QCOMPARE(messages.texts(), std::vector<std::string>{});
    }

    // The wheel zooms around the pointer with y following the values in view, a drag moves the
    // view, a frame zooms into it, a double-click shows everything.
    void zoomAndMoveChangeTheRange() {
        const auto viewer = open(overTime());
        QVERIFY(viewer);
        viewer->resize(900, 600);
        QVERIFY(QTest::qWaitForWindowExposed(viewer.get()));
        PlotWidget& plot = viewer->plot();
        const PlotRange whole = plot.range();
        QCOMPARE(whole.xFrom, 0.0);
        QVERIFY(whole.yFrom < 200 && whole.yTo > 259);
        const QRect area = plot.plotArea();
        const auto xAt = [&](int pixel) {
            return plot.range().xFrom + double(pixel - area.left()) / area.width() * plot.range().width();
        };

        // Two notches in at the first quarter of the area.
        const QPoint quarter(area.left() + area.width() / 4, area.center().y());
        const double under = xAt(quarter.x());
        QWheelEvent wheel(quarter, plot.mapToGlobal(quarter), {}, {0, 240}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&plot, &wheel);
        PlotRange zoomed = plot.range();
        QCOMPARE(zoomed.width(), whole.width() * 0.64);
        QVERIFY(qAbs(xAt(quarter.x()) - under) < 1e-6 * whole.width());
        // y follows the values in view: U1 there runs from 206 to 243 (minutes 6 to 43).
        QVERIFY2(zoomed.yFrom > 203 && zoomed.yTo < 246,
                 qPrintable(QString("%1 to %2").arg(zoomed.yFrom).arg(zoomed.yTo)));

        // A drag to the right shows what lay to the left.
        QTest::mousePress(&plot, Qt::LeftButton, {}, area.center());
        QTest::mouseMove(&plot, area.center() + QPoint(100, 40));
        QTest::mouseRelease(&plot, Qt::LeftButton, {}, area.center() + QPoint(100, 40));
        QVERIFY(qAbs(plot.range().xFrom - (zoomed.xFrom - 100.0 / area.width() * zoomed.width())) < 1e-6);
        QCOMPARE(plot.range().width(), zoomed.width());

        // A frame drawn with the right button, from its bottom left to its top right.
        zoomed = plot.range();
        const QPoint corner(area.left() + 100, area.top() + 200), opposite(area.left() + 300, area.top() + 50);
        QTest::mousePress(&plot, Qt::RightButton, {}, corner);
        QTest::mouseMove(&plot, opposite);
        QTest::mouseRelease(&plot, Qt::RightButton, {}, opposite);
        const PlotRange framed = plot.range();
        const auto yAt = [&](int pixel) {
            return zoomed.yFrom + double(area.bottom() + 1 - pixel) / area.height() * zoomed.height();
        };
        QVERIFY(qAbs(framed.xFrom - (zoomed.xFrom + 100.0 / area.width() * zoomed.width())) < 1e-6);
        QVERIFY(qAbs(framed.width() - 201.0 / area.width() * zoomed.width()) < 1e-6);
        QVERIFY(qAbs(framed.yFrom - yAt(area.top() + 201)) < 1e-6 * zoomed.height());
        QVERIFY(qAbs(framed.yTo - yAt(area.top() + 50)) < 1e-6 * zoomed.height());

        QTest::mouseDClick(&plot, Qt::LeftButton, {}, area.center());
        QCOMPARE(plot.range(), whole);
    }

    void showsTheChannelsOfTheChosenRecord() {
        const std::string t1 = "2004/01/01,00:00:00", t2 = "2004/01/01,00:00:07";
        const QString path = QString::fromStdString(folder.write(
            "WAVE.CSV", test::kWaveHeaderLines +
                            test::Rows({test::WaveRow("U1_WAVE", t1, 128, 1), test::WaveRow("I1_WAVE", t1, 128, 2),
                                        test::WaveRow("U1_WAVE", t2, 128, 3), test::WaveRow("I1_WAVE", t2, 128, 4),
                                        test::WaveRow("U1_WAVE", t2, 128, 5)})));
        const auto viewer = open(path);
        QVERIFY(viewer);
        auto* record = control<QSpinBox>(*viewer, "spnRecord");
        QVERIFY(record->isVisibleTo(viewer.get()));
        QCOMPARE(record->maximum(), 3);
        QCOMPARE(control<QLabel>(*viewer, "lblRecordCount")->text(), QString("of 3"));
        QCOMPARE(seriesNames(*viewer), (QStringList{"U1_WAVE", "I1_WAVE"}));
        QCOMPARE(viewer->plot().data().series[1].y.front(), 2.0f);
        QCOMPARE(viewer->plot().range().xTo, 127.0);

        tick(*viewer, 0, false);  // an unticked channel stays unticked in the next record
        record->setValue(2);
        QCOMPARE(control<QLabel>(*viewer, "lblRecordTime")->text(), QString("2004/01/01 00:00:07"));
        QCOMPARE(seriesNames(*viewer), QStringList{"I1_WAVE"});
        QCOMPARE(viewer->plot().data().series[0].y.front(), 4.0f);
        record->setValue(3);
        QCOMPARE(seriesNames(*viewer), QStringList{});
        tick(*viewer, 0, true);
        QCOMPARE(viewer->plot().data().series[0].y.front(), 5.0f);
    }

    void aFileItCannotShowOpensNothing() {
        const QString path = QString::fromStdString(folder.write("OTHER.CSV", "MODEL,ZR915,T999\r\n"));
        QVERIFY(!open(path));
        QCOMPARE(messages.texts(), std::vector<std::string>{"OTHER.CSV: It is not a data file the viewer can show."});
        QCOMPARE(messages.boxes.front().title, std::string("Data viewer"));
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmPlotTest)
#include "frmPlotTest.moc"
