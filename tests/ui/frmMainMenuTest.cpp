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
    test::TemporaryFolder installed;  // a program without its manual
    QStringList sections;  // the manual sections Help asked for
    // No meter is attached.
    SerialPortMaker noLine = [this] {
        auto port = std::make_unique<test::ScriptedPort>(linkClock);
        port->openError = "No such file or directory";
        return port;
    };
    ManualViewer record = [this](AppContext&, QWidget*, std::string_view section) {
        sections << QString::fromUtf8(section.data(), qsizetype(section.size()));
    };

private slots:
    void init() {
        messages.boxes.clear();
        sections.clear();
        qputenv("VOLTARO_APP_DIR", QByteArray::fromStdString(appFolder.path().string()));
    }

    void startUpGreetsAndOffersTheToolButtonsAndHelp() {
        AppContext ctx(messages, clock);
        frmMainMenu window(ctx, noLine, linkClock, record);
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
        window.Toolbar1()->button(frmMainMenu::Help)->trigger();
        QCOMPARE(sections, QStringList{""});
    }

    void toolButtonOpensItsWindowModally_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::newRow("settings") << int(frmMainMenu::Setup) << "frmSetting" << "Setting";
        QTest::newRow("file transfer") << int(frmMainMenu::FileTransfer) << "frmFileTrans" << "File transfer";
        QTest::newRow("conversion") << int(frmMainMenu::FileConv) << "frmFileConv" << "File conversion";
        QTest::newRow("divide") << int(frmMainMenu::FileDivide) << "frmFileDivide" << "File divide";
    }
    // A tool window's boxes carry its caption; once it has closed, the main menu's carry the
    // program's name again, as the box of a missing manual (the real Help, with a manual only in
    // the application folder, which is not the program's).
    void toolButtonOpensItsWindowModally() {
        QFETCH(int, button);
        QFETCH(QString, window);
        QFETCH(QString, caption);
        std::filesystem::remove(appFolder.path() / "Parameter");
        std::ofstream(appFolder.path() / "voltaroe.html") << "<html></html>";
        AppContext ctx(messages, clock);
        ctx.ExecutableDir = (installed.path() / "bin").string();
        frmMainMenu menu(ctx, noLine, linkClock);
        menu.start();
        QString shown;
        std::string titleWhileShown;
        QTimer::singleShot(0, &menu, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal != nullptr);
            shown = modal->objectName();
            titleWhileShown = ctx.MsgTitle;
            modal->close();
        });
        menu.Toolbar1()->button(button)->trigger();
        QCOMPARE(shown, window);
        QCOMPARE(QString::fromStdString(titleWhileShown), caption);
        QVERIFY2(std::filesystem::exists(appFolder.path() / "Parameter"), "closing the window keeps its paths");
        messages.boxes.clear();
        menu.Toolbar1()->button(frmMainMenu::Help)->trigger();
        QCOMPARE(messages.boxes.size(), std::size_t{1});
        QCOMPARE(messages.boxes[0].title, std::string("Voltaro"));
        QCOMPARE(messages.boxes[0].text,
                 (installed.path() / "share" / "voltaro" / "voltaroe.html").string() + ": No such file or directory");

        menu.Toolbar1()->button(frmMainMenu::Exit)->trigger();
        QVERIFY(!menu.isVisible());
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmMainMenuTest)
#include "frmMainMenuTest.moc"
