#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <fstream>
#include <functional>
#include <memory>

#include "divide/ui/frmFileDivide.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/SavedSettings.h"
#include "support/TemporaryFolder.h"
#include "support/WindowControls.h"
#include "support/WindowThreadMessages.h"

namespace voltaro {

using test::control;
using test::listedNames;
using test::qpath;

class frmFileDivideTest : public QObject {
    Q_OBJECT

    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 12, 6, 9, 0, 0}};
    std::unique_ptr<test::TemporaryFolder> appFolder, input, output;

    void saveSettings(const std::function<void(PcSettings&)>& change) {
        QCOMPARE(test::ChangeSavedSettings(messages, clock, appFolder->withSeparator(), change), std::int16_t{0});
    }

private slots:
    void init() {
        messages.boxes.clear();
        for (auto* folder : {&appFolder, &input, &output}) *folder = std::make_unique<test::TemporaryFolder>();
        qputenv("VOLTARO_APP_DIR", QByteArray::fromStdString(appFolder->path().string()));
        // A converted instantaneous data file: 14 setting lines, the empty line, the title row, ten records.
        std::string data = "MODEL,ZR915,T351\r\n";
        for (int line = 2; line <= 14; ++line) data += "SETTING" + std::to_string(line) + ",1\r\n";
        data += "\r\nDATE,TIME,,A,B\r\n";
        for (int k = 0; k < 10; ++k) data += "2004/01/01,00:00:0" + std::to_string(k) + ",X,1,2\r\n";
        std::ofstream(input->path() / "DATA.CSV", std::ios::binary) << data;
        std::ofstream(output->path() / "OLD.csv") << "x";
        saveSettings([&](PcSettings& pc) {
            pc.DivideInputFile = (input->path() / "DATA.CSV").string();
            pc.DivideOutputPath = output->path().string();
        });
    }

    void divideNeedsAnInputFileAndAReachableOutputFolderThatBrowsingStartsAt() {
        QStringList asked;
        QString answer;  // none: browsing cancelled
        const auto ask = [&](const QString& question) { asked << question; return answer; };
        AppContext ctx(messages, clock);
        frmFileDivide window(
            ctx, OpenWithDesktop,
            [&](QWidget*, const QString& caption, const QString& start) { return ask(caption + "|" + start); },
            [&](QWidget*, const QString& caption, const QString& filter, const QString& start) {
                return ask(caption + "|" + filter + "|" + start);
            });
        auto* divide = control<QPushButton>(window, "btnDivide");
        auto* inputFile = control<QLineEdit>(window, "txtInputFile");
        auto* outputPath = control<QLineEdit>(window, "txtOutputPath");
        QCOMPARE(listedNames(window), QStringList{"OLD.csv"});
        QVERIFY(divide->isEnabled());
        control<QPushButton>(window, "btnBrowseFile")->click();
        control<QPushButton>(window, "btnBrowsePath")->click();
        QCOMPARE(asked, (QStringList{"Select file|ZR915Datafile (*.csv *.CSV)|" + qpath(input->path() / "DATA.CSV"),
                                     "Select output folder|" + qpath(output->path())}));

        inputFile->clear();
        test::finishTyping(inputFile, test::kEnter);
        QVERIFY(!divide->isEnabled());
        inputFile->setText("B.CSV");
        test::finishTyping(inputFile, Qt::TabFocusReason);
        QVERIFY(divide->isEnabled());
        QCOMPARE(ctx.CurrentSetting.Pc.DivideInputFile, std::string("B.CSV"));
        QVERIFY(messages.boxes.empty());

        // An unreachable folder brings the saved one back.
        outputPath->setText(qpath(output->path() / "missing"));
        test::finishTyping(outputPath, test::kEnter);
        QCOMPARE(messages.texts(), std::vector<std::string>{"Drive not ready."});
        QCOMPARE(messages.boxes[0].title, std::string("File divide"));
        QCOMPARE(outputPath->text(), qpath(output->path()));
        QCOMPARE(ctx.CurrentSetting.Pc.DivideOutputPath, output->path().string());

        answer = qpath(input->path());
        control<QPushButton>(window, "btnBrowsePath")->click();
        control<QPushButton>(window, "btnBrowseFile")->click();
        QCOMPARE(listedNames(window), QStringList{"DATA.CSV"});
        QCOMPARE(ctx.CurrentSetting.Pc.DivideOutputPath, input->path().string());
        QCOMPARE(ctx.CurrentSetting.Pc.DivideInputFile, input->path().string());

        outputPath->clear();
        test::finishTyping(inputFile, Qt::TabFocusReason);
        QVERIFY2(!divide->isEnabled(), "no output folder");
    }

    // The saved kind picks the option and its count box; closing keeps the paths, never the kind or counts.
    void savedKindAndCountsAreStartingValuesOnly_data() {
        QTest::addColumn<bool>("lines");
        QTest::newRow("lines") << true;
        QTest::newRow("columns") << false;
    }
    void savedKindAndCountsAreStartingValuesOnly() {
        QFETCH(bool, lines);
        saveSettings([&](PcSettings& pc) { pc.DivideMode = lines ? 0 : 2, pc.DivideRows = 70000, pc.DivideCols = 12; });
        const auto shown = [&](const frmFileDivide& window) {
            return QStringList{control<QRadioButton>(window, "optColSelect")->isChecked() ? "lines" : "columns",
                               control<QLineEdit>(window, "txtColNo")->isEnabled() ? "line box" : "column box",
                               control<QLineEdit>(window, "txtColNo")->text(),
                               control<QLineEdit>(window, "txtRowNo")->text()};
        };
        const QStringList saved{lines ? "lines" : "columns", lines ? "line box" : "column box", "70000", "12"};
        {
            AppContext ctx(messages, clock);
            frmFileDivide window(ctx);
            QCOMPARE(shown(window), saved);
            QVERIFY2(window.focusWidget() == nullptr, "loading moves no focus");
            window.show();
            QVERIFY(QTest::qWaitForWindowActive(&window));

            // The other option moves to its count box, ready for a new count, as a click on it is.
            auto* other = control<QLineEdit>(window, lines ? "txtRowNo" : "txtColNo");
            control<QRadioButton>(window, lines ? "optRowSelect" : "optColSelect")->click();
            QVERIFY(other->isEnabled());
            QCOMPARE(QApplication::focusWidget(), other);
            QCOMPARE(other->selectedText(), other->text());
            other->deselect();
            QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(2, other->height() / 2));
            QCOMPARE(other->selectedText(), other->text());

            other->setText("9");
            control<QLineEdit>(window, "txtInputFile")->setText("B.CSV");
            test::finishTyping(control<QLineEdit>(window, "txtInputFile"), test::kEnter);
            window.close();
        }
        AppContext ctx(messages, clock);
        frmFileDivide window(ctx);
        QCOMPARE(shown(window), saved);
        QCOMPARE(control<QLineEdit>(window, "txtInputFile")->text(), QString("B.CSV"));
    }

    void divisionRunsBehindTheProgressWindow_data() {
        QTest::addColumn<bool>("firstPieceExists");
        QTest::addColumn<bool>("overwrite");
        QTest::newRow("new pieces") << false << true;
        QTest::newRow("existing piece, OK") << true << true;
        QTest::newRow("existing piece, Cancel") << true << false;
    }
    void divisionRunsBehindTheProgressWindow() {
        QFETCH(bool, firstPieceExists);
        QFETCH(bool, overwrite);
        if (firstPieceExists) std::ofstream(output->path() / "DATA_00.CSV") << "old";
        test::WindowThreadMessages boxes;
        boxes.ok = overwrite;
        AppContext ctx(boxes, clock);
        frmFileDivide window(ctx);
        window.show();
        auto* divide = control<QPushButton>(window, "btnDivide");
        boxes.look = [&] { return divide->isEnabled() ? "Divide enabled" : ""; };
        control<QLineEdit>(window, "txtColNo")->setText("18");

        divide->click();

        // The overwrite question when piece 00 is there, then the completion unless cancelled.
        QCOMPARE(boxes.boxes.size(), std::size_t(firstPieceExists) + std::size_t(overwrite));
        if (overwrite) QCOMPARE(boxes.boxes.back().text, std::string("File divide was completed."));
        for (const auto& box : boxes.boxes) QCOMPARE(box.modal + "|" + box.seen, QString("frmProgress|"));
        QVERIFY(divide->isEnabled());
        // Eighteen lines a piece, the 16 header lines among them: five pieces, and one of the header alone.
        const QString pieces = "DATA_00.CSV,DATA_01.CSV,DATA_02.CSV,DATA_03.CSV,DATA_04.CSV,DATA_05.CSV,";
        QCOMPARE(listedNames(window).join(","), (overwrite ? pieces : "DATA_00.CSV,") + "OLD.csv");
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmFileDivideTest)
#include "frmFileDivideTest.moc"
