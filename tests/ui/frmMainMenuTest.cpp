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
    QStringList opened;  // documents handed to the desktop
    // No meter is attached.
    SerialPortMaker noLine = [this] {
        auto port = std::make_unique<test::ScriptedPort>(linkClock);
        port->openError = "No such file or directory";
        return port;
    };
    DocumentOpener open = [this](const QString& path) { opened << path; return true; };

private slots:
    void init() {
        messages.boxes.clear();
        opened.clear();
        qputenv("VOLTARO_APP_DIR", QByteArray::fromStdString(appFolder.path().string()));
    }

    void startUpGreetsAndOffersTheToolButtonsAndHelp() {
        AppContext ctx(messages, clock);
        frmMainMenu window(ctx, noLine, linkClock, open);
        window.start();

        QCOMPARE(QString::fromStdString(ctx.AppPath), QString::fromStdString(appFolder.withSeparator()));
        QVERIFY(window.isVisible());
        QVERIFY(window.lblAbout()->text().contains(kVersionText));
        QCOMPARE(messages.texts(), std::vector<std::string>{"To use Voltaro, set RS-232 connection of ZR915 to PC."});
        QCOMPARE(messages.boxes[0].title, std::string("Voltaro"));
        QStringList buttons;
        for (int index = 0; index <= 12; ++index) {
            const QAction* button = window.Toolbar1()->button(index);
            buttons << (button == nullptr ? "|" : button->text() + (button->isEnabled() ? "" : " (off)"));
        }
        QCOMPARE(buttons.join(""), QString("|Setup|File transfer|File conv.|File divide|Help|Exit|"));

        // Help opens the manual of the application folder, or says that it is missing.
        window.Toolbar1()->button(frmMainMenu::Help)->trigger();
        QVERIFY(opened.isEmpty());
        QCOMPARE(messages.boxes.size(), std::size_t{2});
        QVERIFY(QString::fromStdString(messages.boxes[1].text).contains("voltaroe.html"));
        std::ofstream(appFolder.path() / "voltaroe.html") << "<html></html>";
        window.Toolbar1()->button(frmMainMenu::Help)->trigger();
        QCOMPARE(opened, QStringList{QString::fromStdString((appFolder.path() / "voltaroe.html").string())});
        QCOMPARE(messages.boxes.size(), std::size_t{2});
        std::filesystem::remove(appFolder.path() / "voltaroe.html");
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

        menu.Toolbar1()->button(frmMainMenu::Exit)->trigger();
        QVERIFY(!menu.isVisible());
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmMainMenuTest)
#include "frmMainMenuTest.moc"
