// The progress windows and the background run behind them.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMovie>
#include <QProgressBar>
#include <QSemaphore>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <atomic>
#include <filesystem>
#include <fstream>

#include "app/ui/BackgroundRun.h"
#include "app/ui/QtMessages.h"
#include "app/ui/frmComProgress.h"
#include "app/ui/frmProgress.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/TemporaryFolder.h"
#include "support/WindowControls.h"

namespace voltaro {

namespace {

using test::control;

// The animation file of the window's mode: as the build ships it beside the program,
// missing, or holding something no player reads.
enum AnimationFile { Shipped, Missing, Unreadable };

// Runs `look` on the window thread while the worker waits: the window as it is then.
template <typename Look>
void lookAtWindow(QObject* window, Look look) {
    QMetaObject::invokeMethod(window, look, Qt::BlockingQueuedConnection);
}

}  // namespace

class ProgressWindowsTest : public QObject {
    Q_OBJECT

    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 12, 6, 9, 0, 0}};

private slots:
    void workRunsOnAWorkerBehindAWindowTheUserCannotClose() {
        AppContext ctx(messages, clock);
        QWidget owner;
        owner.show();
        frmComProgress progress(ctx, "Receiving the setting data ...", &owner);
        QSemaphore closingTried;  // given up after a while, so a broken run fails instead of hanging
        bool modalMeanwhile = false, survivedClosing = false;
        QTimer::singleShot(0, &owner, [&] {
            modalMeanwhile = QApplication::activeModalWidget() == &progress && progress.isVisible();
            QTest::keyClick(&progress, Qt::Key_Escape);
            progress.close();
            survivedClosing = progress.isVisible();
            closingTried.release();
        });
        bool onWorker = false, windowThreadRan = false;
        QStringList shownNames;  // the file name line each time the worker named a file
        const std::int16_t answer = RunOperation(progress, [&] {
            onWorker = QThread::currentThread() != progress.thread();
            windowThreadRan = closingTried.tryAcquire(1, 20000);
            for (const char* name : {"DATA0001.CSV", "WAVE0001.WFM"}) {
                progress.setFileName(name);
                lookAtWindow(&progress, [&] { shownNames << control<QLabel>(progress, "lblFilename")->text(); });
            }
            progress.setProgress(3, 4);
            return std::int16_t{-1};
        });

        QCOMPARE(answer, std::int16_t{-1});
        QVERIFY(onWorker && windowThreadRan && modalMeanwhile);
        QCOMPARE(progress.windowModality(), Qt::WindowModal);
        QVERIFY2(survivedClosing, "Escape and closing do not end a running operation");
        QVERIFY(!progress.isVisible());
        QCOMPARE(progress.windowTitle(), QString("Communicating ..."));
        QCOMPARE(control<QLabel>(progress, "lblMessage")->text(), QString("Receiving the setting data ..."));
        QVERIFY(!control<QLabel>(progress, "Image1")->pixmap().isNull());
        QCOMPARE(shownNames, QStringList({"DATA0001.CSV", "WAVE0001.WFM"}));
        const auto* bar = control<QProgressBar>(progress, "barProgress");
        QCOMPARE(double(bar->value()) / bar->maximum(), 0.75);
    }

    void workerBoxIsShownByTheWindowThreadWhileTheWorkerWaits() {
        QWidget owner;
        owner.show();
        ProgressDialog progress("Caption", {}, &owner);
        QtMessages boxes;
        std::atomic<bool> workerPassedBox = false;
        QString shown;
        QTimer closer;
        connect(&closer, &QTimer::timeout, &owner, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            shown = box->windowTitle() + ": " + box->text() + (workerPassedBox ? " (the worker went on)" : "");
            box->accept();
        });
        closer.start(1);
        RunInBackground(progress, [&] {
            boxes.notify(MessageIcon::Information, "File conversion", "Data conversion was completed.");
            workerPassedBox = true;
        });
        QCOMPARE(shown, QString("File conversion: Data conversion was completed."));
    }

    void animationPlaysFromTheApplicationFolderWhenItCan_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("file");
        QTest::addColumn<bool>("animated");
        QTest::newRow("file copy") << int(frmProgress::FileCopy) << int(Shipped) << true;
        QTest::newRow("missing file") << int(frmProgress::DirectoryRead) << int(Missing) << false;
        QTest::newRow("unreadable file") << int(frmProgress::FileCopy) << int(Unreadable) << false;
    }
    void animationPlaysFromTheApplicationFolderWhenItCan() {
        QFETCH(int, mode);
        QFETCH(int, file);
        QFETCH(bool, animated);
        // Both animations as shipped, then the one of this mode taken away or spoilt.
        test::TemporaryFolder folder;
        for (const char* name : {"findfile.avi", "filecopy.avi"})
            std::filesystem::copy_file(std::filesystem::path(VOLTARO_APP_FOLDER) / name, folder.path() / name);
        const auto own = folder.path() / (mode == frmProgress::DirectoryRead ? "findfile.avi" : "filecopy.avi");
        if (file == Missing) std::filesystem::remove(own);
        if (file == Unreadable) std::ofstream(own) << "RIFF....AVI LIST";
        AppContext ctx(messages, clock);
        ctx.AppPath = folder.withSeparator();
        QWidget owner;
        frmProgress progress(ctx, frmProgress::Mode(mode), "Reading ...", &owner);
        auto* Animation1 = control<QLabel>(progress, "Animation1");
        bool playing = false;
        RunOperation(progress, [&] {
            lookAtWindow(&progress, [&] {
                playing = Animation1->isVisible() && Animation1->movie() != nullptr &&
                          Animation1->movie()->state() == QMovie::Running;
            });
            return std::int16_t{0};
        });

        QCOMPARE(playing, animated);
        if (animated) QCOMPARE(Animation1->movie()->state(), QMovie::NotRunning);
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::ProgressWindowsTest)
#include "ProgressWindowsTest.moc"
