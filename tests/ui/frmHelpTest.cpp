// Help: every window asks for its own section of the manual, and the help window shows it.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/ui/IndexedToolBar.h"
#include "app/ui/Manual.h"
#include "app/ui/frmHelp.h"
#include "convert/ui/frmFileConv.h"
#include "divide/ui/frmFileDivide.h"
#include "program/frmMainMenu.h"
#include "settings/ui/frmSetting.h"
#include "support/FixedClock.h"
#include "support/ManualClock.h"
#include "support/RecordingMessages.h"
#include "support/TemporaryFolder.h"
#include "support/WindowControls.h"
#include "transfer/ui/frmFileTrans.h"

namespace voltaro {

namespace {

namespace fs = std::filesystem;
using test::control;

// The text of the line at the top of the browser's page.
QString topLine(const QTextBrowser& browser) {
    return browser.cursorForPosition(QPoint(browser.viewport()->width() / 2, 2)).block().text();
}

// Clicks the first link that reads `text`, as a user does.
void clickLink(QTextBrowser& browser, const QString& text) {
    const QTextCursor found = browser.document()->find(text);
    QVERIFY2(!found.isNull() && found.charFormat().isAnchor(), qPrintable(text));
    QTextCursor inside(browser.document());
    inside.setPosition(found.selectionStart() + 1);
    QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, browser.cursorRect(inside).center());
}

}  // namespace

class frmHelpTest : public QObject {
    Q_OBJECT

    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 12, 6, 9, 0, 0}};
    test::ManualClock linkClock;
    test::TemporaryFolder appFolder;
    test::TemporaryFolder installed;  // bin/ and share/voltaro/ of an installation
    struct Asked {
        QWidget* owner;
        QString section;
    };
    std::vector<Asked> asked;
    ManualViewer record = [this](AppContext&, QWidget* owner, std::string_view section) {
        asked.push_back({owner, QString::fromUtf8(section.data(), qsizetype(section.size()))});
    };
    // No window here talks to the meter.
    SerialPortMaker noLine = []() -> std::unique_ptr<SerialPort> { qFatal("a line was made"); };

    std::string executableDir() const { return (installed.path() / "bin").string(); }

private slots:
    void initTestCase() {
        qputenv("VOLTARO_APP_DIR", QByteArray::fromStdString(appFolder.path().string()));
        fs::create_directories(installed.path() / "bin");
        fs::create_directories(installed.path() / "share" / "voltaro");
        QVERIFY(QFile::copy(QFINDTESTDATA("../../resources/manual/voltaroe.html"),
                            test::qpath(installed.path() / "share" / "voltaro" / "voltaroe.html")));
        std::ofstream(installed.path() / "share" / "voltaro" / "frmFileDivide.png") << "picture";
    }
    void init() {
        messages.boxes.clear();
        asked.clear();
    }

    void everyWindowsHelpAsksForItsOwnSection_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("section");
        QTest::newRow("main menu, at the start") << "frmMainMenu" << "";
        QTest::newRow("settings") << "frmSetting" << "settings";
        QTest::newRow("file transfer") << "frmFileTrans" << "transfer";
        QTest::newRow("conversion") << "frmFileConv" << "conversion";
        QTest::newRow("divide") << "frmFileDivide" << "divide";
    }
    void everyWindowsHelpAsksForItsOwnSection() {
        QFETCH(QString, window);
        QFETCH(QString, section);
        AppContext ctx(messages, clock);
        std::unique_ptr<QWidget> shown;
        int help = 0;
        if (window == "frmMainMenu") {
            shown = std::make_unique<frmMainMenu>(ctx, noLine, linkClock, record);
            help = frmMainMenu::Help;
        } else if (window == "frmSetting") {
            shown = std::make_unique<frmSetting>(ctx, noLine, linkClock, record);
            help = frmSetting::Help;
        } else if (window == "frmFileTrans") {
            shown = std::make_unique<frmFileTrans>(ctx, noLine, linkClock, record);
            help = frmFileTrans::Help;
        } else if (window == "frmFileConv") {
            shown = std::make_unique<frmFileConv>(ctx, record);
            help = frmFileConv::Help;
        } else {
            shown = std::make_unique<frmFileDivide>(ctx, record);
            help = frmFileDivide::Help;
        }
        shown->findChild<IndexedToolBar*>("Toolbar1")->button(help)->trigger();
        QCOMPARE(asked.size(), std::size_t{1});
        QCOMPARE(asked[0].owner, shown.get());
        QCOMPARE(asked[0].section, section);
    }

    // The installed manual opens at the section asked for, its links lead within it, Back
    // returns, and the search goes from place to place.
    void theHelpWindowShowsTheSectionFollowsLinksGoesBackAndFinds() {
        AppContext ctx(messages, clock);
        ctx.ExecutableDir = executableDir();
        QWidget owner;
        owner.show();
        ShowManual(ctx, &owner, "divide");
        auto* help = owner.findChild<frmHelp*>();
        QVERIFY(help != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        auto& browser = *control<QTextBrowser>(*help, "txtManual");
        QCOMPARE(topLine(browser), QString("File divide"));
        // Its picture comes from beside the manual.
        QCOMPARE(browser.loadResource(QTextDocument::ImageResource, QUrl("frmFileDivide.png")).toByteArray(),
                 QByteArray("picture"));

        // The owner's next Help moves its one help window, to the start this time.
        ShowManual(ctx, &owner, "");
        QCOMPARE(owner.findChildren<frmHelp*>().size(), qsizetype{1});
        QCOMPARE(browser.verticalScrollBar()->value(), 0);
        clickLink(browser, "File transfer");
        QCOMPARE(topLine(browser), QString("File transfer"));
        auto* back = control<QPushButton>(*help, "btnBack");
        QVERIFY(back->isEnabled());
        back->click();
        QCOMPARE(browser.verticalScrollBar()->value(), 0);

        auto* find = control<QLineEdit>(*help, "txtFind");
        auto* next = control<QPushButton>(*help, "btnFindNext");
        auto* notFound = control<QLabel>(*help, "lblNotFound");
        QTest::keyClicks(find, "workbook");
        QList<int> places;  // where each press found it, until it starts from the top again
        for (int press = 0; press < 20 && (places.size() < 2 || places.back() > places.front()); ++press) {
            next->click();
            QCOMPARE(browser.textCursor().selectedText(), QString("workbook"));
            places << browser.textCursor().selectionStart();
        }
        QVERIFY2(places.size() > 2 && places.back() == places.front(), "every place once, then the first again");
        QVERIFY(std::is_sorted(places.begin(), places.end() - 1));
        QVERIFY(notFound->isHidden());
        find->clear();
        QTest::keyClicks(find, "no such words");
        QTest::keyClick(find, Qt::Key_Return);
        QVERIFY(!notFound->isHidden());
        QTest::keyClicks(find, "!");
        QVERIFY(notFound->isHidden());
        QVERIFY(messages.boxes.empty());
    }

    // Only the program's own files count: a manual in the application folder is not the
    // program's, and a missing one is said where the installation would have it.
    void aMissingManualIsReportedUnderTheTitleOfTheWindowThatAsked() {
        test::TemporaryFolder bare;
        std::ofstream(appFolder.path() / "voltaroe.html") << "<html></html>";
        AppContext ctx(messages, clock);
        ctx.ExecutableDir = (bare.path() / "bin").string();
        ctx.AppPath = appFolder.withSeparator();
        ctx.MsgTitle = "File divide";
        QWidget owner;
        ShowManual(ctx, &owner, "divide");
        QCOMPARE(messages.boxes.size(), std::size_t{1});
        QCOMPARE(messages.boxes[0].icon, MessageIcon::Stop);
        QCOMPARE(messages.boxes[0].title, std::string("File divide"));
        QCOMPARE(messages.boxes[0].text,
                 (bare.path() / "share" / "voltaro" / "voltaroe.html").string() + ": No such file or directory");
        QVERIFY(owner.findChild<frmHelp*>() == nullptr);
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmHelpTest)
#include "frmHelpTest.moc"
