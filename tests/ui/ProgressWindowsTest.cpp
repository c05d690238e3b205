// The progress window and the background run behind it.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "app/ui/BackgroundRun.h"
#include "app/ui/frmComProgress.h"
#include "app/ui/frmProgress.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/TemporaryFolder.h"
#include "support/UnblockingFifo.h"
#include "support/WindowControls.h"

namespace voltaro {

using test::control;

class ProgressWindowsTest : public QObject {
    Q_OBJECT

    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 12, 6, 9, 0, 0}};

private slots:
    void theWindowShowsTheWorkersProgressAndCannotBeClosedWhileItRuns() {
        AppContext ctx(messages, clock);
        QWidget owner;
        owner.show();
        frmComProgress progress(ctx, "Receiving the setting data ...", &owner);
        QString shown;  // the file name line and the bar while the worker waits
        bool survivedClosing = false;
        RunOperation(progress, [&] {
            progress.setFileName("DATA0001.CSV");
            progress.setProgress(3, 4);
            QMetaObject::invokeMethod(&progress, [&] {
                const auto* bar = control<QProgressBar>(progress, "barProgress");
                shown = control<QLabel>(progress, "lblFilename")->text() + " " +
                        QString::number(double(bar->value()) / bar->maximum());
                QTest::keyClick(&progress, Qt::Key_Escape);
                progress.close();
                survivedClosing = progress.isVisible();
            }, Qt::BlockingQueuedConnection);
            return std::int16_t{0};
        });

        QCOMPARE(shown, QString("DATA0001.CSV 0.75"));
        QVERIFY2(survivedClosing, "Escape and closing do not end a running operation");
        QVERIFY(!progress.isVisible());
    }

    // Where the work can stop halfway, Escape and the Cancel button ask it to, once.
    void escapeAndCancelAskAWorkThatCanStopToStop() {
        for (const bool byButton : {false, true}) {
            QWidget owner;
            owner.show();
            ProgressDialog progress("File divide", {}, &owner);
            progress.allowStopping("Cancel");
            bool askedBeforehand = true;
            RunInBackground(progress, [&] {
                askedBeforehand = progress.stopRequested();
                QMetaObject::invokeMethod(&progress, [&] {
                    if (byButton)
                        QTest::mouseClick(control<QPushButton>(progress, "cmdCancel"), Qt::LeftButton);
                    else
                        QTest::keyClick(&progress, Qt::Key_Escape);
                }, Qt::BlockingQueuedConnection);
            });
            QVERIFY(!askedBeforehand);
            QVERIFY(progress.stopRequested());
            QVERIFY(!control<QPushButton>(progress, "cmdCancel")->isEnabled());
        }
    }

    // The line of the file at hand ends in the time left, which shows whatever the name's length:
    // the window widens for the line, and past its screen's width the middle of the line gives way.
    void theFileLineAlwaysShowsTheTimeLeft() {
        QWidget owner;
        owner.show();
        ProgressDialog progress("File transfer", "Transferring data of pc card ...", &owner);
        progress.show();
        auto* line = control<QLabel>(progress, "lblFilename");
        const QString counts = "   12,345 of 65,536 bytes (18%), 0:14 left";
        for (const int nameLength : {12, 60, 400}) {
            const QString shown = QString(nameLength, 'N') + counts;
            progress.setFileName(shown);
            QCoreApplication::processEvents();
            QTRY_VERIFY(line->width() >= line->sizeHint().width());
            QVERIFY2(line->text().endsWith("0:14 left"), qPrintable(line->text()));
            QVERIFY(progress.frameGeometry().width() <= progress.screen()->availableGeometry().width());
            if (nameLength == 12) QCOMPARE(line->text(), shown);
        }
    }

    // A FIFO in an animation's place leaves the picture out without waiting on it.
    void theAnimationPlaysFromItsFileAndAFifoInItsPlaceIsPassedOver() {
        test::TemporaryFolder folder;
        QVERIFY(QFile::copy(QFINDTESTDATA("../../resources/animations/findfile.avi"),
                            QString::fromStdString(folder.withSeparator() + "findfile.avi")));
        const test::UnblockingFifo fifo(folder.path() / "filecopy.avi");
        AppContext ctx(messages, clock);
        ctx.ExecutableDir = folder.path().string();
        frmProgress reading(ctx, frmProgress::DirectoryRead, "Reading", nullptr);
        frmProgress copying(ctx, frmProgress::FileCopy, "Copying", nullptr);
        QVERIFY(control<QLabel>(reading, "Animation1")->movie() != nullptr);
        QVERIFY(control<QLabel>(copying, "Animation1")->movie() == nullptr);
        QVERIFY(!fifo.hadToUnblock());
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::ProgressWindowsTest)
#include "ProgressWindowsTest.moc"
