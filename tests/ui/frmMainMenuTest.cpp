#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QtTest>
#include <fstream>

#include "VoltaroVersion.h"
#include "app/ui/IndexedToolBar.h"
#include "program/frmMainMenu.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/ScriptedPort.h"
#include "support/TemporaryFolder.h"

namespace voltaro {

class frmMainMenuTest : public QObject {
    Q_OBJECT

    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 12, 6, 9, 0, 0}};
    test::TemporaryFolder appFolder;
    test::ManualClock linkClock;
    // No meter is attached.
    SerialPortMaker noLine = [this] {
        auto port = std::make_unique<test::ScriptedPort>(linkClock);
        port->openError = "No such file or directory";
        return port;
    };

    void startInAppFolder() { qputenv("VOLTARO_APP_DIR", QByteArray::fromStdString(appFolder.path().string())); }

private slots:
    void init() {
        messages.boxes.clear();
        startInAppFolder();
    }

    void startUpFillsTheWindowAndGreetsTheUser() {
        AppContext ctx(messages, clock);
        frmMainMenu window(ctx, noLine, linkClock);
        window.start();

        QCOMPARE(QString::fromStdString(ctx.AppPath), QString::fromStdString(appFolder.withSeparator()));
        QCOMPARE(window.windowTitle(), QString("Voltaro"));
        QVERIFY(window.isVisible());
        QCOMPARE(window.lblAbout()->text(),
                 QString("\n   Voltaro  Version  %1\n\n").arg(QString::fromLatin1(kVersionText)));

        QCOMPARE(messages.boxes.size(), std::size_t{1});
        QCOMPARE(messages.boxes[0].icon, MessageIcon::Information);
        QCOMPARE(messages.boxes[0].title, std::string("Voltaro"));
        QCOMPARE(messages.boxes[0].text, std::string("To use Voltaro, set RS-232 connection of ZR915 to PC."));
        QCOMPARE(ctx.MsgTitle, std::string());  // only tool windows set the box title
    }

    void toolbarHasSixButtonsBetweenSeparators() {
        AppContext ctx(messages, clock);
        frmMainMenu window(ctx, noLine, linkClock);
        window.start();
        const auto& positions = window.Toolbar1()->positions();
        QCOMPARE(positions.size(), std::size_t{11});
        const char* captions[] = {"Setup", "File transfer", "File conv.", "File divide", "Help", "Exit"};
        for (int index = 1; index <= 11; ++index) {
            QAction* button = window.Toolbar1()->button(index);
            if (index % 2 == 0) {
                QVERIFY2(button == nullptr, "even positions are separators");
                continue;
            }
            QVERIFY(button != nullptr);
            QCOMPARE(button->text(), QString(captions[index / 2]));
            // A tool window that this build lacks is visibly unavailable, not silently dead.
            QCOMPARE(button->isEnabled(), index != frmMainMenu::Setup);
        }
        QVERIFY(window.Toolbar1()->button(0) == nullptr);
        QVERIFY(window.Toolbar1()->button(12) == nullptr);
    }

    void helpOpensTheManualInTheApplicationFolder() {
        std::ofstream(appFolder.path() / "voltaroe.html") << "<html></html>";
        QStringList opened;
        AppContext ctx(messages, clock);
        frmMainMenu window(ctx, noLine, linkClock, [&](const QString& path) {
            opened << path;
            return true;
        });
        window.start();
        messages.boxes.clear();
        window.Toolbar1()->button(frmMainMenu::Help)->trigger();
        QCOMPARE(opened, QStringList{QString::fromStdString((appFolder.path() / "voltaroe.html").string())});
        QVERIFY(messages.boxes.empty());
    }

    void missingManualIsReportedNotIgnored() {
        std::filesystem::remove(appFolder.path() / "voltaroe.html");
        bool opened = false;
        AppContext ctx(messages, clock);
        frmMainMenu window(ctx, noLine, linkClock, [&](const QString&) { return opened = true; });
        window.start();
        messages.boxes.clear();
        window.Toolbar1()->button(frmMainMenu::Help)->trigger();
        QVERIFY(!opened);
        QCOMPARE(messages.boxes.size(), std::size_t{1});
        QCOMPARE(messages.boxes[0].icon, MessageIcon::Stop);
        QVERIFY(QString::fromStdString(messages.boxes[0].text).contains("voltaroe.html"));
    }

    void toolButtonOpensItsWindowModally_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::newRow("file transfer") << int(frmMainMenu::FileTransfer) << "frmFileTrans" << "File transfer";
        QTest::newRow("conversion") << int(frmMainMenu::FileConv) << "frmFileConv" << "File conversion";
        QTest::newRow("divide") << int(frmMainMenu::FileDivide) << "frmFileDivide" << "File divide";
    }

    void toolButtonOpensItsWindowModally() {
        QFETCH(int, button);
        QFETCH(QString, window);
        QFETCH(QString, caption);
        std::filesystem::remove(appFolder.path() / "Parameter");
        AppContext ctx(messages, clock);
        frmMainMenu menu(ctx, noLine, linkClock);
        menu.start();
        QString shown;
        QTimer::singleShot(0, &menu, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal != nullptr);
            shown = modal->objectName();
            modal->close();
        });
        menu.Toolbar1()->button(button)->trigger();
        QCOMPARE(shown, window);
        QCOMPARE(QString::fromStdString(ctx.MsgTitle), caption);
        QVERIFY2(std::filesystem::exists(appFolder.path() / "Parameter"), "closing the window keeps its paths");
    }

    void exitClosesTheWindowAtOnce() {
        AppContext ctx(messages, clock);
        frmMainMenu window(ctx, noLine, linkClock);
        window.start();
        window.Toolbar1()->button(frmMainMenu::Exit)->trigger();
        QVERIFY(!window.isVisible());
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmMainMenuTest)
#include "frmMainMenuTest.moc"
