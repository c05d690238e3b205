#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "divide/ui/frmFileDivide.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/SavedSettings.h"
#include "support/TemporaryFolder.h"
#include "support/WindowControls.h"

namespace voltaro {

namespace {

using test::control;
using test::listedNames;
using test::qpath;

// Records on the window thread, where the real boxes are shown, with what the user sees
// meanwhile: the modal window, and whether Divide can be pressed.
class WindowThreadMessages final : public Messages {
public:
    void notify(MessageIcon icon, const std::string& title, const std::string& text) override {
        onWindowThread([&] {
            recorded.notify(icon, title, text);
            return true;
        });
    }
    bool askOkCancel(const std::string& title, const std::string& text) override {
        return onWindowThread([&] { return recorded.askOkCancel(title, text); });
    }
    Answer askYesNoCancel(const std::string&, const std::string&) override { return Answer::Cancel; }

    test::RecordingMessages recorded;
    const QPushButton* divide = nullptr;
    QStringList seen;

private:
    bool onWindowThread(const std::function<bool()>& show) {
        bool answer = false;
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                const QWidget* modal = QApplication::activeModalWidget();
                seen << (modal != nullptr ? modal->objectName() : "") + (divide->isEnabled() ? " enabled" : "");
                answer = show();
            },
            Qt::BlockingQueuedConnection);
        return answer;
    }
};

std::string contentOf(const std::filesystem::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

void leave(QWidget* box) {
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &focusOut);
}

// A converted instantaneous data file: 14 setting lines, the empty line, the title row.
const std::string kHeader = [] {
    std::string header = "MODEL,ZR915,T351\r\n";
    for (int line = 2; line <= 14; ++line) header += "SETTING" + std::to_string(line) + ",1\r\n";
    return header + "\r\nDATE,TIME,,A,B\r\n";
}();

std::string dataRow(int k) { return "2004/01/01,00:00:0" + std::to_string(k) + ",X,1,2\r\n"; }

}  // namespace

class frmFileDivideTest : public QObject {
    Q_OBJECT

    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 12, 6, 9, 0, 0}};
    std::unique_ptr<test::TemporaryFolder> appFolder;
    std::unique_ptr<test::TemporaryFolder> input;
    std::unique_ptr<test::TemporaryFolder> output;

    // Changes the PC-side settings the way an earlier run of the program would have.
    void saveSettings(const std::function<void(PcSettings&)>& change) {
        QCOMPARE(test::ChangeSavedSettings(messages, clock, appFolder->withSeparator(), change), std::int16_t{0});
    }

private slots:
    void init() {
        messages.boxes.clear();
        appFolder = std::make_unique<test::TemporaryFolder>();
        input = std::make_unique<test::TemporaryFolder>();
        output = std::make_unique<test::TemporaryFolder>();
        qputenv("VOLTARO_APP_DIR", QByteArray::fromStdString(appFolder->path().string()));
        std::string data = kHeader;
        for (int k = 0; k < 10; ++k) data += dataRow(k);
        std::ofstream(input->path() / "DATA.CSV", std::ios::binary) << data;
        std::ofstream(output->path() / "OLD.csv") << "x";
        saveSettings([&](PcSettings& pc) {
            pc.DivideInputFile = (input->path() / "DATA.CSV").string();
            pc.DivideOutputPath = output->path().string();
        });
    }

    void divideNeedsAnInputFileAndAnOutputFolder() {
        AppContext ctx(messages, clock);
        frmFileDivide window(ctx);
        auto* divide = control<QPushButton>(window, "btnDivide");
        auto* inputFile = control<QLineEdit>(window, "txtInputFile");
        QCOMPARE(listedNames(window), QStringList{"OLD.csv"});
        QVERIFY(divide->isEnabled());

        inputFile->clear();
        QTest::keyClick(inputFile, Qt::Key_Return);
        QVERIFY(!divide->isEnabled());
        QCOMPARE(ctx.CurrentSetting.Pc.DivideInputFile, std::string());

        inputFile->setText("B.CSV");
        leave(inputFile);
        QVERIFY(divide->isEnabled());
        QCOMPARE(ctx.CurrentSetting.Pc.DivideInputFile, std::string("B.CSV"));

        control<QLineEdit>(window, "txtOutputPath")->clear();
        leave(inputFile);
        QVERIFY2(!divide->isEnabled(), "no output folder");
        QVERIFY(messages.boxes.empty());
    }

    void unreachableOutputFolderBringsTheSavedOneBack() {
        AppContext ctx(messages, clock);
        frmFileDivide window(ctx);
        auto* outputPath = control<QLineEdit>(window, "txtOutputPath");
        outputPath->setText(qpath(output->path() / "missing"));
        QTest::keyClick(outputPath, Qt::Key_Return);
        QCOMPARE(messages.boxes.size(), std::size_t{1});
        QCOMPARE(messages.boxes[0].title, std::string("File divide"));
        QCOMPARE(messages.boxes[0].text, std::string("Drive not ready."));
        QCOMPARE(outputPath->text(), qpath(output->path()));
        QCOMPARE(ctx.CurrentSetting.Pc.DivideOutputPath, output->path().string());
    }

    void browsingStartsAtTheSavedPaths() {
        QStringList asked;
        QString answer;
        AppContext ctx(messages, clock);
        frmFileDivide window(
            ctx, OpenWithDesktop,
            [&](QWidget*, const QString& caption, const QString& start) {
                asked << caption + "|" + start;
                return answer;
            },
            [&](QWidget*, const QString& caption, const QString& filter, const QString& start) {
                asked << caption + "|" + filter + "|" + start;
                return answer;
            });

        control<QPushButton>(window, "btnBrowseFile")->click();
        control<QPushButton>(window, "btnBrowsePath")->click();
        QCOMPARE(asked, (QStringList{"Select file|ZR915Datafile (*.csv *.CSV)|" + qpath(input->path() / "DATA.CSV"),
                                     "Select output folder|" + qpath(output->path())}));
        QCOMPARE(control<QLineEdit>(window, "txtInputFile")->text(), qpath(input->path() / "DATA.CSV"));

        answer = qpath(input->path());
        control<QPushButton>(window, "btnBrowsePath")->click();
        QCOMPARE(control<QLineEdit>(window, "txtOutputPath")->text(), answer);
        QCOMPARE(ctx.CurrentSetting.Pc.DivideOutputPath, input->path().string());
        QCOMPARE(listedNames(window), QStringList{"DATA.CSV"});
        control<QPushButton>(window, "btnBrowseFile")->click();
        QCOMPARE(control<QLineEdit>(window, "txtInputFile")->text(), answer);
        QCOMPARE(ctx.CurrentSetting.Pc.DivideInputFile, input->path().string());
        QVERIFY(messages.boxes.empty());
    }

    void savedKindSelectsItsOptionAndCountBox_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("lines") << 0;
        QTest::newRow("columns") << 2;
    }

    void savedKindSelectsItsOptionAndCountBox() {
        QFETCH(int, mode);
        saveSettings([&](PcSettings& pc) {
            pc.DivideMode = static_cast<std::int16_t>(mode);
            pc.DivideRows = 70000;
            pc.DivideCols = 12;
        });
        AppContext ctx(messages, clock);
        frmFileDivide window(ctx);
        const bool lines = mode == 0;
        QCOMPARE(control<QRadioButton>(window, "optColSelect")->isChecked(), lines);
        QCOMPARE(control<QRadioButton>(window, "optRowSelect")->isChecked(), !lines);
        QCOMPARE(control<QLineEdit>(window, "txtColNo")->isEnabled(), lines);
        QCOMPARE(control<QLabel>(window, "lblCol")->isEnabled(), lines);
        QCOMPARE(control<QLineEdit>(window, "txtRowNo")->isEnabled(), !lines);
        QCOMPARE(control<QLabel>(window, "lblRow")->isEnabled(), !lines);
        QCOMPARE(control<QLineEdit>(window, "txtColNo")->text(), QString("70000"));
        QCOMPARE(control<QLineEdit>(window, "txtRowNo")->text(), QString("12"));
        QVERIFY2(window.focusWidget() == nullptr, "loading moves no focus");
        QCOMPARE(ctx.OperationMode, operation_mode::Idle);
    }

    void switchingOptionsMovesToTheOtherCountBox() {
        AppContext ctx(messages, clock);
        frmFileDivide window(ctx);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* lineCount = control<QLineEdit>(window, "txtColNo");
        auto* columnCount = control<QLineEdit>(window, "txtRowNo");

        control<QRadioButton>(window, "optRowSelect")->click();
        QVERIFY(!lineCount->isEnabled() && columnCount->isEnabled());
        QCOMPARE(QApplication::focusWidget(), columnCount);
        QCOMPARE(columnCount->selectedText(), QString("255"));

        control<QRadioButton>(window, "optColSelect")->click();
        QVERIFY(lineCount->isEnabled() && !columnCount->isEnabled());
        QCOMPARE(QApplication::focusWidget(), lineCount);
        lineCount->deselect();
        QTest::mouseClick(lineCount, Qt::LeftButton, {}, QPoint(2, lineCount->height() / 2));
        QCOMPARE(lineCount->selectedText(), QString("2000"));
    }

    void closingKeepsThePathsButNotTheCounts() {
        {
            AppContext ctx(messages, clock);
            frmFileDivide window(ctx);
            auto* inputFile = control<QLineEdit>(window, "txtInputFile");
            inputFile->setText("B.CSV");
            QTest::keyClick(inputFile, Qt::Key_Return);
            control<QRadioButton>(window, "optRowSelect")->click();
            control<QLineEdit>(window, "txtRowNo")->setText("9");
            control<QLineEdit>(window, "txtColNo")->setText("50");
            window.show();
            window.close();
        }
        AppContext ctx(messages, clock);
        frmFileDivide window(ctx);
        QCOMPARE(control<QLineEdit>(window, "txtInputFile")->text(), QString("B.CSV"));
        QVERIFY(control<QRadioButton>(window, "optColSelect")->isChecked());
        QCOMPARE(control<QLineEdit>(window, "txtColNo")->text(), QString("2000"));
        QCOMPARE(control<QLineEdit>(window, "txtRowNo")->text(), QString("255"));
    }

    void lineDivisionRunsBehindTheProgressWindow_data() {
        QTest::addColumn<bool>("firstPieceExists");
        QTest::addColumn<bool>("overwrite");
        QTest::newRow("new pieces") << false << true;
        QTest::newRow("existing piece, OK") << true << true;
        QTest::newRow("existing piece, Cancel") << true << false;
    }

    void lineDivisionRunsBehindTheProgressWindow() {
        QFETCH(bool, firstPieceExists);
        QFETCH(bool, overwrite);
        const std::filesystem::path first = output->path() / "DATA_00.CSV";
        if (firstPieceExists) std::ofstream(first) << "old";
        WindowThreadMessages boxes;
        boxes.recorded.answers = {overwrite};
        AppContext ctx(boxes, clock);
        frmFileDivide window(ctx);
        window.show();
        auto* divide = control<QPushButton>(window, "btnDivide");
        control<QLineEdit>(window, "txtColNo")->setText("18");
        boxes.divide = divide;

        divide->click();

        QCOMPARE(boxes.recorded.questions.size(), std::size_t(firstPieceExists));
        // Every box over the progress window, with Divide disabled; enabled again after the run.
        QVERIFY(!boxes.seen.isEmpty());
        QCOMPARE(boxes.seen, QStringList(boxes.seen.size(), "frmProgress"));
        QVERIFY(divide->isEnabled());
        QCOMPARE(contentOf(first) == "old", !overwrite);
        if (!overwrite) {
            QVERIFY(boxes.recorded.boxes.empty());
            QVERIFY(!std::filesystem::exists(output->path() / "DATA_01.CSV"));
            return;
        }
        QCOMPARE(boxes.recorded.boxes.size(), std::size_t{1});
        QCOMPARE(boxes.recorded.boxes[0].text, std::string("File divide was completed."));
        // Eighteen lines a piece, the 16 header lines among them: five pieces, and one of the header alone.
        QCOMPARE(listedNames(window), (QStringList{"DATA_00.CSV", "DATA_01.CSV", "DATA_02.CSV", "DATA_03.CSV",
                                                   "DATA_04.CSV", "DATA_05.CSV", "OLD.csv"}));
        QCOMPARE(contentOf(output->path() / "DATA_05.CSV"), kHeader);
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmFileDivideTest)
#include "frmFileDivideTest.moc"
