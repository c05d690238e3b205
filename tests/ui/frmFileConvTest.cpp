#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <fstream>
#include <memory>

#include "convert/ui/frmFileConv.h"
#include "support/DataFileBytes.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/SavedSettings.h"
#include "support/TemporaryFolder.h"
#include "support/WindowControls.h"
#include "support/WindowThreadMessages.h"

namespace voltaro {

namespace {

using test::control;
using test::listedNames;
using test::qpath;

QStringList inputNames(const frmFileConv& window) { return test::fileBoxNames(window, "filConvertFile"); }

void select(const frmFileConv& window, const QString& name, bool selected) {
    control<QListWidget>(window, "filConvertFile")->findItems(name, Qt::MatchExactly).front()->setSelected(selected);
}

}  // namespace

class frmFileConvTest : public QObject {
    Q_OBJECT

    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 12, 6, 9, 0, 0}};
    std::unique_ptr<test::TemporaryFolder> appFolder, input, output, other;

private slots:
    void init() {
        messages.boxes.clear();
        for (auto* folder : {&appFolder, &input, &output, &other}) *folder = std::make_unique<test::TemporaryFolder>();
        qputenv("VOLTARO_APP_DIR", QByteArray::fromStdString(appFolder->path().string()));
        for (const char* name : {"A.BIN", "b.wfm", "C.WFM", "notes.txt"}) std::ofstream(input->path() / name) << "x";
        for (const char* name : {"X.CSV", "y.csv", "A.BIN"}) std::ofstream(output->path() / name) << "x";
        for (const char* name : {"B.BIN", "Y.CSV"}) std::ofstream(other->path() / name) << "x";
        QCOMPARE(test::ChangeSavedSettings(messages, clock, appFolder->withSeparator(), [&](PcSettings& pc) {
                     pc.ConvInputPath = input->path().string(), pc.ConvOutputPath = output->path().string();
                 }), std::int16_t{0});
    }

    void loadListsTheSavedFoldersConvertNeedsASelectionAndBrowsedFoldersAreKept() {
        QStringList asked;
        QString answer;  // none: browsing cancelled
        {
            AppContext ctx(messages, clock);
            frmFileConv window(ctx, OpenWithDesktop, [&](QWidget*, const QString& caption, const QString& start) {
                asked << caption + "|" + start;
                return answer;
            });
            auto* convert = control<QPushButton>(window, "btnConvert");
            QCOMPARE(control<QLineEdit>(window, "txtInputPath")->text(), qpath(input->path()));
            QCOMPARE(inputNames(window), (QStringList{"A.BIN", "b.wfm", "C.WFM"}));
            QCOMPARE(listedNames(window), (QStringList{"X.CSV", "y.csv"}));
            QVERIFY(!convert->isEnabled());
            select(window, "A.BIN", true);
            select(window, "C.WFM", true);
            select(window, "A.BIN", false);
            QVERIFY2(convert->isEnabled(), "one file is still selected");
            select(window, "C.WFM", false);
            QVERIFY(!convert->isEnabled());

            control<QPushButton>(window, "btnBrowseOut")->click();
            QCOMPARE(control<QLineEdit>(window, "txtOutputPath")->text(), qpath(output->path()));
            answer = qpath(other->path());
            control<QPushButton>(window, "btnBrowse")->click();
            QCOMPARE(inputNames(window), QStringList{"B.BIN"});
            window.show();
            window.close();
            control<QLineEdit>(window, "txtOutputPath")->clear();
            control<QListWidget>(window, "filConvertFile")->selectAll();
            QVERIFY2(!convert->isEnabled(), "no output folder, whatever is selected");
            QVERIFY(messages.boxes.empty());
        }
        QCOMPARE(asked, (QStringList{"Select output folder|" + qpath(output->path()),
                                     "Select folder|" + qpath(input->path())}));
        PcSettings saved;
        test::ChangeSavedSettings(messages, clock, appFolder->withSeparator(), [&](PcSettings& pc) { saved = pc; });
        QCOMPARE(saved.ConvInputPath, other->path().string());
        QCOMPARE(saved.ConvOutputPath, output->path().string());
    }

    void typedFolderIsListedOrRefused_data() {
        QTest::addColumn<bool>("inputSide");
        QTest::addColumn<int>("how");
        QTest::addColumn<bool>("exists");
        QTest::newRow("input, Enter, existing") << true << test::kEnter << true;
        QTest::newRow("input, Tab, missing") << true << int(Qt::TabFocusReason) << false;
        QTest::newRow("input, another window, missing") << true << int(Qt::ActiveWindowFocusReason) << false;
        QTest::newRow("output, Enter, existing") << false << test::kEnter << true;
        QTest::newRow("output, Enter, missing") << false << test::kEnter << false;
    }
    void typedFolderIsListedOrRefused() {
        QFETCH(bool, inputSide);
        QFETCH(int, how);
        QFETCH(bool, exists);
        AppContext ctx(messages, clock);
        frmFileConv window(ctx);
        auto* box = control<QLineEdit>(window, inputSide ? "txtInputPath" : "txtOutputPath");
        auto listed = [&] { return inputSide ? inputNames(window) : listedNames(window); };
        const QStringList before = listed();
        const std::string previous = (inputSide ? input : output)->path().string();
        const std::string& saved =
            inputSide ? ctx.CurrentSetting.Pc.ConvInputPath : ctx.CurrentSetting.Pc.ConvOutputPath;
        const QString typed = qpath(exists ? other->path() : other->path() / "missing");

        box->setText(typed);
        test::finishTyping(box, how);

        // Another window taking the focus is no edit; a missing folder is refused and the previous one comes back.
        const bool edit = how != Qt::ActiveWindowFocusReason, taken = edit && exists;
        QCOMPARE(messages.texts(), edit && !exists ? std::vector<std::string>{"Drive not ready."}
                                                   : std::vector<std::string>{});
        QCOMPARE(box->text(), edit && !exists ? QString::fromStdString(previous) : typed);
        QCOMPARE(saved, taken ? other->path().string() : previous);
        QCOMPARE(listed(), taken ? QStringList{inputSide ? "B.BIN" : "Y.CSV"} : before);
    }

    void conversionRunsBehindTheProgressWindowAndListsTheNewFile() {
        std::string bytes = test::InstHeader{}.bytes();  // 1P2W with one load: ten values a record
        for (int record = 0; record < 3; ++record)
            bytes += test::InstRecord("2004/01/01,00:00:00", "ABCDEFGHI", std::vector<std::uint32_t>(10, 0));
        std::ofstream(input->path() / "DATA0001.BIN", std::ios::binary) << bytes;
        test::WindowThreadMessages boxes;
        AppContext ctx(boxes, clock);
        frmFileConv window(ctx);
        window.show();
        select(window, "DATA0001.BIN", true);
        boxes.look = [&] {
            return control<QLabel>(*QApplication::activeModalWidget(), "lblFilename")->text() + " " +
                   listedNames(window).join(",");
        };

        control<QPushButton>(window, "btnConvert")->click();

        QTRY_VERIFY(listedNames(window).contains("DATA0001.CSV"));
        QCOMPARE(boxes.texts(), std::vector<std::string>{"Data conversion was completed."});
        QCOMPARE(boxes.boxes[0].title, std::string("File conversion"));
        QCOMPARE(boxes.boxes[0].modal, QString("frmProgress"));
        // The new file is listed while the run goes on.
        QCOMPARE(boxes.boxes[0].seen, QString("DATA0001.BIN DATA0001.CSV,X.CSV,y.csv"));
        QVERIFY(control<QPushButton>(window, "btnConvert")->isEnabled());
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmFileConvTest)
#include "frmFileConvTest.moc"
