// Every window reads well at the resolution this run has (CTest runs it at 96 DPI, scaled to
// 144 DPI, and with 144 DPI fonts on a 96 DPI layout), and names its controls.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <map>
#include <memory>

#include "app/ui/frmComProgress.h"
#include "app/ui/frmHelp.h"
#include "app/ui/frmProgress.h"
#include "convert/ui/frmFileConv.h"
#include "divide/ui/frmFileDivide.h"
#include "link/ui/frmComSetting.h"
#include "plot/PlotFiles.h"
#include "plot/ui/frmPlot.h"
#include "program/frmMainMenu.h"
#include "settings/ui/frmSetting.h"
#include "sim/InMemorySerialPort.h"
#include "support/FixedClock.h"
#include "support/LayoutCheck.h"
#include "support/ManualClock.h"
#include "support/RecordingMessages.h"
#include "support/SavedSettings.h"
#include "support/Screenshot.h"
#include "support/WindowControls.h"
#include "support/TemporaryFolder.h"
#include "support/WindowWalk.h"
#include "transfer/ui/frmFileTrans.h"

namespace voltaro {

namespace {

using Problems = std::vector<std::pair<test::LayoutProblem::Kind, QString>>;

Problems kindsAndPaths(const std::vector<test::LayoutProblem>& problems) {
    Problems found;
    for (const test::LayoutProblem& problem : problems) found.emplace_back(problem.kind, problem.path);
    return found;
}

template <typename Control>
Control* placed(Control* control, const char* name, const QRect& where) {
    control->setObjectName(name);
    control->setGeometry(where);
    return control;
}

}  // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT

    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 12, 6, 10, 53, 0}};
    test::ManualClock linkClock;
    test::TemporaryFolder appFolder, card, memory, data, plots;
    std::unique_ptr<sim::MeterModel> meter;
    std::unique_ptr<AppContext> ctx;
    QWidget owner;  // of the progress windows
    std::unique_ptr<QWidget> window;
    ManualViewer noManual = [](AppContext&, QWidget*, std::string_view) {};

    // Each window as a user first sees it, with files listed where it lists any.
    std::map<QString, std::function<std::unique_ptr<QWidget>()>> openers{
        {"frmMainMenu",
         [this] {
             auto menu = std::make_unique<frmMainMenu>(*ctx, meterLine(), linkClock, noManual);
             menu->start();
             return menu;
         }},
        {"frmFileTrans",
         [this] {
             auto transfer = std::make_unique<frmFileTrans>(*ctx, meterLine(), linkClock, noManual);
             transfer->show();
             // The directory read that showing starts: its announcement and its end.
             if (!QTest::qWaitFor([this] { return messages.boxes.size() == 2; })) qFatal("the directory was not read");
             return transfer;
         }},
        {"frmFileConv", [this] { return shown(std::make_unique<frmFileConv>(*ctx, noManual)); }},
        {"frmFileDivide", [this] { return shown(std::make_unique<frmFileDivide>(*ctx, noManual)); }},
        {"frmComSetting",
         [this] {
             // A saved stable device name, as long as they come, and adapters listed by what they are.
             const std::string saved = ctx->CurrentSetting.Pc.PcPortName;
             ctx->CurrentSetting.Pc.PcPortName = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
             auto dialog = std::make_unique<frmComSetting>(*ctx, [] {
                 return std::vector<ReportedPort>{{"/dev/ttyUSB0", "FT232R USB UART", "FTDI"},
                                                  {"/dev/ttyACM0", "", "Arduino (www.arduino.cc)"}};
             });
             ctx->CurrentSetting.Pc.PcPortName = saved;
             return shown(std::move(dialog));
         }},
        {"frmProgress",
         [this] {
             // The program's own files holding the animation.
             const QString animation = QFINDTESTDATA("../../resources/animations/filecopy.avi");
             ctx->ExecutableDir = QFileInfo(animation).path().toStdString();
             auto progress = std::make_unique<frmProgress>(*ctx, frmProgress::FileCopy,
                                                           text(418), &owner);  // transferring from the card
             progress->allowStopping(text(150));
             progress->show();
             // As a transfer goes: the file line fills once the window is up.
             progress->setFileName("MEAS0002.CSV   12,345 of 65,536 bytes (18%), 0:14 left");
             QCoreApplication::processEvents();
             return progress;
         }},
        {"frmHelp",
         [this] {
             // At the commands, a section without pictures: those are taken by this very test.
             auto help = std::make_unique<frmHelp>(*ctx, nullptr);
             help->showSection(QFINDTESTDATA("../../resources/manual/voltaroe.html"), "commands");
             return help;
         }},
        {"frmPlot", [this] { return viewer("DATA0001.CSV"); }},
        {"frmPlot-waveform", [this] { return viewer("WAVE0001.CSV"); }},
        {"frmComProgress",
         [this] { return shown(std::make_unique<frmComProgress>(*ctx, text(2013), &owner)); }},
    };

    SerialPortMaker meterLine() {
        return [this] { return std::make_unique<sim::InMemorySerialPort>(*meter, linkClock); };
    }
    QString text(int id) const { return QString::fromStdString(ctx->catalogue.text(id)); }
    std::unique_ptr<QWidget> viewer(const char* name) {
        auto plot = std::make_unique<frmPlot>(*ctx, noManual);
        if (!plot->openFile(QString::fromStdString((plots.path() / name).string()))) qFatal("the viewer did not open");
        return shown(std::move(plot));
    }
    static std::unique_ptr<QWidget> shown(std::unique_ptr<QWidget> opened) {
        opened->show();
        return opened;
    }

    void addWindowRows() const {
        QTest::addColumn<QString>("name");
        for (const auto& [name, opener] : openers) QTest::newRow(qPrintable(name)) << name;
    }

    void open(const QString& name) {
        window = openers.at(name)();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

private slots:
    void initTestCase() {
        // The settings window once for each of its pages: only the page shown is laid out.
        for (int page = 0; page < 9; ++page) {
            openers[QString("frmSetting-%1").arg(page + 1)] = [this, page] {
                auto setting = std::make_unique<frmSetting>(*ctx, meterLine(), linkClock, noManual);
                test::control<QTabWidget>(*setting, "tabSetting")->setCurrentIndex(page);
                return shown(std::move(setting));
            };
        }
        qputenv("VOLTARO_APP_DIR", QByteArray::fromStdString(appFolder.path().string()));
        for (const char* name : {"MEAS0001.CSV", "MEAS0002.BIN", "WAVE0003.WFM", "SETUP01.SET"})
            card.write(name, "MODEL,ZR915,T200\r\n");
        memory.write("MEMO0001.CSV", "MODEL,ZR915,T200\r\n");
        plots.write("DATA0001.CSV",
                    test::InstFile({"2004/01/01,10:53:00,A,1.0,2.0,0.9", "2004/01/01,10:53:01,A,1.5,2.5,1.0"}));
        const std::string moment = "2004/01/01,10:53:00";
        const std::string waves = test::Rows(
            {test::WaveRow("U1_WAVE", moment, 128, -1, 0.015), test::WaveRow("I1_WAVE", moment, 128, 1, -0.01)});
        plots.write("WAVE0001.CSV", test::kWaveHeaderLines + waves);
        meter = std::make_unique<sim::MeterModel>(sim::MeterFolders{card.path(), memory.path()});
        for (const char* name : {"DATA0001.BIN", "DATA0002.BIN", "DATA0001.CSV", "DATA0001(00)_00.CSV"})
            data.write(name, "x");
        QCOMPARE(test::ChangeSavedSettings(messages, clock, appFolder.withSeparator(), [&](PcSettings& pc) {
                     pc.TransSaveData = 1, pc.TransSavePath = data.withSeparator();
                     pc.ConvInputPath = pc.ConvOutputPath = pc.DivideOutputPath = data.path().string();
                     pc.DivideInputFile = (data.path() / "DATA0001.CSV").string();
                 }), std::int16_t{0});
    }
    void init() {
        messages.boxes.clear();
        ctx = std::make_unique<AppContext>(messages, clock);
        owner.show();
    }
    void cleanup() { window.reset(); }

    void everyWindowReadsWell_data() { addWindowRows(); }
    void everyWindowReadsWell() {
        QFETCH(QString, name);
        open(name);
        const std::vector<test::LayoutProblem> problems = test::layoutProblems(*window);
        QVERIFY2(problems.empty(), qPrintable(test::describe(problems)));
        QVERIFY2(test::saveScreenshot(*window, name), "the screenshot could not be saved");
    }

    // Tests and accessibility tools find controls by their names.
    void everyControlHasAName_data() { addWindowRows(); }
    void everyControlHasAName() {
        QFETCH(QString, name);
        open(name);
        QCOMPARE(test::unnamedControls(*window), QStringList());
    }

    // The one window built by hand: each thing the check looks for, once wrong and once right.
    void theCheckFindsCutTextOverlapsAndControlsOutsideTheirFrame() {
        QWidget form;
        form.setObjectName("frmBad");
        form.resize(420, 400);
        const QString longText = "Transfer the selected files";
        placed(new QLabel(longText, &form), "lblCut", {10, 10, 60, 24});
        placed(new QLabel("Fits", &form), "lblFits", {140, 10, 120, 24});
        auto* wrapped = placed(new QLabel(longText + " into the folder below", &form), "lblWrapped", {280, 10, 60, 16});
        wrapped->setWordWrap(true);
        placed(new QPushButton(longText, &form), "cmdCut", {10, 50, 60, 34});
        placed(new QPushButton("OK", &form), "cmdNarrowButFits", {140, 50, 40, 34});  // under the style's width
        placed(new QCheckBox(longText, &form), "chkCut", {280, 50, 60, 34});
        placed(new QRadioButton(longText, &form), "optCut", {10, 90, 60, 34});
        placed(new QGroupBox(longText, &form), "fraCut", {140, 90, 60, 34});
        auto* list = placed(new QComboBox(&form), "cmbCut", {280, 90, 80, 34});
        list->addItems({"9600", "19200"});
        list->show();
        list->addItem("Hardware (RTS/CTS) and software (XON/XOFF)");  // after its size was settled
        auto* editable = placed(new QComboBox(&form), "cmbFits", {10, 130, 120, 34});
        editable->setEditable(true);  // its text box is a part of it, not a sibling
        editable->addItems({"COM1", "COM2"});
        placed(new QLineEdit("65535", &form), "txtCut", {140, 130, 20, 34})->setFixedWidth(20);  // sized for a count
        placed(new QLineEdit("/home/user/ZR915/data/", &form), "txtPathScrolls", {200, 130, 60, 34});
        auto* tool = placed(new QToolButton(&form), "cmdToolCut", {280, 130, 30, 34});
        tool->setText(longText);
        tool->setToolButtonStyle(Qt::ToolButtonTextOnly);
        auto* tabs = placed(new QTabWidget(&form), "tabCut", {10, 170, 120, 80});
        tabs->tabBar()->setUsesScrollButtons(false);
        tabs->setElideMode(Qt::ElideRight);
        tabs->addTab(new QWidget, "Measurement settings");
        tabs->addTab(new QWidget, "Recording");
        placed(new QListWidget(&form), "lstFits", {140, 170, 120, 80})->addItems({"DATA0001.CSV", "DATA0002.CSV"});
        placed(new QPushButton("A", &form), "cmdOverlaps", {280, 170, 60, 30});
        placed(new QPushButton("B", &form), "cmdOverlapped", {300, 185, 60, 30});
        placed(new QPushButton("C", &form), "cmdHidden", {280, 170, 60, 30})->hide();
        auto* outer = placed(new QGroupBox("Frame", &form), "fraOuter", {10, 260, 200, 80});
        placed(new QLabel("Out", outer), "lblOutside", {170, 30, 60, 24});
        auto* pages = placed(new QStackedWidget(&form), "stkPages", {220, 260, 120, 80});
        pages->addWidget(new QWidget);
        auto* hiddenPage = new QWidget;
        pages->addWidget(hiddenPage);
        placed(new QLabel(longText, hiddenPage), "lblOnHiddenPage", {0, 0, 20, 20});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        using test::LayoutProblem;
        const std::vector<LayoutProblem> problems = test::layoutProblems(form);
        const Problems expected{
            {LayoutProblem::Overlap, "frmBad/cmdOverlaps"},
            {LayoutProblem::ClippedText, "frmBad/lblCut"},
            {LayoutProblem::ClippedText, "frmBad/lblWrapped"},
            {LayoutProblem::ClippedText, "frmBad/cmdCut"},
            {LayoutProblem::ClippedText, "frmBad/chkCut"},
            {LayoutProblem::ClippedText, "frmBad/optCut"},
            {LayoutProblem::ClippedText, "frmBad/fraCut"},
            {LayoutProblem::ClippedText, "frmBad/cmbCut"},
            {LayoutProblem::ClippedText, "frmBad/txtCut"},
            {LayoutProblem::ClippedText, "frmBad/cmdToolCut"},
            {LayoutProblem::ClippedText, "frmBad/tabCut/qt_tabwidget_tabbar"},  // both tabs
            {LayoutProblem::ClippedText, "frmBad/tabCut/qt_tabwidget_tabbar"},
            {LayoutProblem::OutsideParent, "frmBad/fraOuter/lblOutside"},
        };
        QVERIFY2(kindsAndPaths(problems) == expected, qPrintable(test::describe(problems)));
        QCOMPARE(problems[0].text, QString("frmBad/cmdOverlaps: overlaps cmdOverlapped by 40 x 15 px"));
        QVERIFY2(problems[1].text.startsWith("frmBad/lblCut: text needs "), qPrintable(problems[1].text));

        // The name check: a button without a name, on a page not shown.
        new QPushButton("Unnamed", hiddenPage);
        QCOMPARE(test::unnamedControls(form), QStringList{"frmBad/stkPages/QWidget/QPushButton \"Unnamed\""});
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::WindowLayoutTest)
#include "WindowLayoutTest.moc"
