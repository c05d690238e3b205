#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "app/ui/BackgroundRun.h"
#include "app/ui/ProgressDialog.h"
#include "app/ui/QtMessages.h"

namespace voltaro {

namespace {

// Lets the worker wait for the window thread; gives up after a while so a broken run
// fails the test instead of hanging it.
class Gate {
public:
    void open() {
        const std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    bool waitOpen() {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(20), [this] { return open_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
};

}  // namespace

class BackgroundRunTest : public QObject {
    Q_OBJECT

private slots:
    void windowThreadRunsWhileTheWorkWaitsAndTheUserCannotClose() {
        QWidget owner;
        owner.show();
        ProgressDialog progress("Communicating ...", "Receiving ...", &owner);
        Gate gate;
        bool seenModal = false;
        bool survivedClosing = false;
        QTimer::singleShot(0, &owner, [&] {
            seenModal = QApplication::activeModalWidget() == &progress && progress.isVisible();
            QTest::keyClick(&progress, Qt::Key_Escape);
            progress.close();
            survivedClosing = progress.isVisible();
            gate.open();
        });
        bool opened = false;
        QThread* workThread = nullptr;
        RunInBackground(progress, [&] {
            workThread = QThread::currentThread();
            opened = gate.waitOpen();
        });

        QVERIFY2(opened, "the window thread ran its events while the work waited");
        QVERIFY(workThread != QApplication::instance()->thread());
        QVERIFY(seenModal);
        QCOMPARE(progress.windowModality(), Qt::WindowModal);
        QVERIFY2(survivedClosing, "Escape and closing do not end a running operation");
        QVERIFY(!progress.isVisible());
    }

    void workerProgressReachesTheDialog() {
        QWidget owner;
        ProgressDialog progress("Caption", {}, &owner);
        RunInBackground(progress, [&] {
            progress.setFileName("DATA0001.BIN");
            progress.setProgress(3, 4);
        });
        QCOMPARE(progress.findChild<QLabel*>("lblFilename")->text(), QString("DATA0001.BIN"));
        const auto* bar = progress.findChild<QProgressBar*>("barProgress");
        QCOMPARE(double(bar->value()) / bar->maximum(), 0.75);
        QVERIFY(progress.findChild<QLabel*>("lblMessage")->isHidden());
    }

    void workerBoxIsShownByTheWindowThreadWhileTheWorkerWaits() {
        QWidget owner;
        owner.show();
        ProgressDialog progress("Caption", {}, &owner);
        QtMessages messages;
        std::atomic<bool> workerPassedBox = false;
        QString shownText;
        QString shownTitle;
        bool workerWaited = false;
        QTimer closer;
        connect(&closer, &QTimer::timeout, &owner, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            shownText = box->text();
            shownTitle = box->windowTitle();
            workerWaited = !workerPassedBox;
            box->accept();
        });
        closer.start(1);
        RunInBackground(progress, [&] {
            messages.notify(MessageIcon::Information, "File conversion", "Data conversion was completed.");
            workerPassedBox = true;
        });
        QCOMPARE(shownText, QString("Data conversion was completed."));
        QCOMPARE(shownTitle, QString("File conversion"));
        QVERIFY(workerWaited);
        QVERIFY(workerPassedBox);
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::BackgroundRunTest)
#include "BackgroundRunTest.moc"
