#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <fstream>
#include <memory>

#include "convert/ui/frmFileConv.h"
#include "plot/PlotFiles.h"
#include "plot/ui/frmPlot.h"
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

void select(const frmFileConv& window, const QString& name) {
    control<QListWidget>(window, "filConvertFile")->findItems(name, Qt::MatchExactly).front()->setSelected(true);
}

}  // namespace

class frmFileConvTest : public QObject {
    Q_OBJECT

    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 12, 6, 9, 0, 0}};
    std::unique_ptr<test::TemporaryFolder> appFolder, input, output;

private slots:
    void init() {
        messages.boxes.clear();
        for (auto* folder : {&appFolder, &input, &output}) *folder = std::make_unique<test::TemporaryFolder>();
        qputenv("VOLTARO_APP_DIR", QByteArray::fromStdString(appFolder->path().string()));
        for (const char* name : {"X.CSV", "y.csv", "A.BIN"}) std::ofstream(output->path() / name) << "x";
        QCOMPARE(test::ChangeSavedSettings(messages, clock, appFolder->withSeparator(), [&](PcSettings& pc) {
                     pc.ConvInputPath = input->path().string(), pc.ConvOutputPath = output->path().string();
                 }), std::int16_t{0});
    }

    // A missing folder is refused and the previous one comes back; another window taking the focus is no edit.
    void aMissingTypedFolderIsRefused_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Tab") << int(Qt::TabFocusReason);
        QTest::newRow("another window") << int(Qt::ActiveWindowFocusReason);
    }
    void aMissingTypedFolderIsRefused() {
        QFETCH(int, how);
        AppContext ctx(messages, clock);
        frmFileConv window(ctx);
        auto* box = control<QLineEdit>(window, "txtInputPath");
        const QString typed = qpath(input->path() / "missing");
        box->setText(typed);
        test::finishTyping(box, how);
        const bool edit = how != Qt::ActiveWindowFocusReason;
        QCOMPARE(messages.texts(), edit ? std::vector<std::string>{"Drive not ready."} : std::vector<std::string>{});
        QCOMPARE(box->text(), edit ? qpath(input->path()) : typed);
        QCOMPARE(ctx.CurrentSetting.Pc.ConvInputPath, input->path().string());
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
        select(window, "DATA0001.BIN");
        boxes.look = [&] {
            return control<QLabel>(*QApplication::activeModalWidget(), "lblFilename")->text() + " " +
                   listedNames(window).join(",");
        };

        control<QPushButton>(window, "btnConvert")->click();

        QTRY_VERIFY(listedNames(window).contains("DATA0001.CSV"));
        QCOMPARE(boxes.texts(), std::vector<std::string>{"Data conversion was completed."});
        // The new file is listed while the run goes on.
        QCOMPARE(boxes.boxes[0].seen, QString("DATA0001.BIN DATA0001.CSV,X.CSV,y.csv"));
        QVERIFY(control<QPushButton>(window, "btnConvert")->isEnabled());
    }

    // A double-click on a listed file shows it in the viewer; a file the viewer cannot show is said.
    void aDoubleClickedOutputFileOpensInTheViewer() {
        std::ofstream(output->path() / "DATA0001.CSV", std::ios::binary)
            << test::InstFile({"2004/01/01,00:00:00,A,1,2,3", "2004/01/01,00:00:01,A,4,5,6"});
        std::ofstream(input->path() / "DATA0001.CSV") << "x";  // the input folder's is none
        AppContext ctx(messages, clock);
        frmFileConv window(ctx);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* list = control<QTreeWidget>(window, "ListView1");
        const auto doubleClick = [&](const QString& name) {
            const QTreeWidgetItem* item = list->findItems(name, Qt::MatchExactly).front();
            // A widget's double-click comes after the click that starts it.
            const QPoint at = list->visualItemRect(item).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        };

        doubleClick("DATA0001.CSV");
        const QList<frmPlot*> viewers = window.findChildren<frmPlot*>();
        QCOMPARE(viewers.size(), 1);
        QVERIFY(viewers.front()->isVisible());
        QCOMPARE(viewers.front()->windowTitle(), QString("Data viewer - DATA0001.CSV"));
        QCOMPARE(messages.texts(), std::vector<std::string>{});

        doubleClick("X.CSV");
        QCOMPARE(messages.texts(), std::vector<std::string>{"X.CSV: It is not a data file the viewer can show."});
        QCOMPARE(window.findChildren<frmPlot*>().size(), 1);
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmFileConvTest)
#include "frmFileConvTest.moc"
