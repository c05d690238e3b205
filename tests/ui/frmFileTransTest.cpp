// The file transfer window against the simulated meter, in simulated time.
#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <fstream>
#include <map>
#include <memory>

#include "sim/InMemorySerialPort.h"
#include "support/FixedClock.h"
#include "support/ManualClock.h"
#include "support/RecordingMessages.h"
#include "support/SavedSettings.h"
#include "support/TemporaryFolder.h"
#include "support/WindowControls.h"
#include "transfer/ui/frmFileTrans.h"

namespace voltaro {

namespace {

namespace fs = std::filesystem;
using test::listedNames;
using test::qpath;
using Texts = std::vector<std::string>;

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

const QStringList kCardFiles{"DATA0001.BIN", "MEAS0002.CSV", "SETUP001.SET"};  // 3000, 43 and 21 bytes
const QStringList kMemoryFiles{"MEMO0001.CSV", "WAVE0001.WFM"};
const QString kCardNotReady = "Pc card not ready.", kFailed = "Communication failed.";
const QStringList kCsv{"MEAS0002.CSV"};

// A click on a medium or on the refresh button, the card pulled out before it or not.
struct DirectoryRead {
    const char *row, *clicked; int medium; bool cardPulled; QStringList listed; QString shown;
};
const DirectoryRead kDirectoryReads[] = {
    {"switch", "optSelMemory", 0, false, kMemoryFiles, "Reading the file names of memory has finished."},
    {"failed refresh", "btnNewInfo", 0, true, kCardFiles, kCardNotReady},
    // The memory's files could not be picked from the card.
    {"failed switch", "optSelCard", 1, true, {}, kCardNotReady},
};

// lost: gone from the meter after the list was read.
struct Transfer {
    const char* row; int medium; bool copy, excel; QStringList selected, lost; QString shown; QStringList arrived;
};
const Transfer kTransfers[] = {
    {"memory", 1, true, false, kMemoryFiles, {}, "Data Transfer of memory has finished.", kMemoryFiles},
    {"failure", 0, true, true, kCsv, kCsv, kFailed, {}},
    {"workbook alone", 0, false, true, kCsv, {}, "Data Transfer of pc card has finished.", kCsv},
    {"stopped run's workbook", 0, true, true, {"MEAS0002.CSV", "SETUP001.SET"}, {"SETUP001.SET"}, kFailed, kCsv},
};

template <typename Row, std::size_t N>
void addRows(const Row (&rows)[N]) {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < N; ++i) QTest::newRow(rows[i].row) << int(i);
}

}  // namespace

class frmFileTransTest : public QObject {
    Q_OBJECT

    test::RecordingMessages messages;
    test::FixedClock wallClock{{2026, 12, 6, 10, 53, 0}};
    test::ManualClock linkClock;
    std::unique_ptr<test::TemporaryFolder> appFolder, card, memory, copies;
    std::unique_ptr<sim::MeterModel> meter;
    std::vector<std::string> commands;  // every line the meter received
    QStringList opened;                 // documents handed to the desktop
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<frmFileTrans> window;

    template <typename Control>
    Control* the(const char* name) { return test::control<Control>(*window, name); }

    void save(int medium, bool copy = true, bool excel = false) {
        QCOMPARE(test::ChangeSavedSettings(messages, wallClock, appFolder->withSeparator(), [&](PcSettings& pc) {
                     pc.TransMedia = static_cast<std::int16_t>(medium), pc.TransSaveData = copy, pc.TransExcel = excel;
                     pc.TransSavePath = copies->withSeparator();
                 }), std::int16_t{0});
    }

    void load() {
        window.reset();
        ctx = std::make_unique<AppContext>(messages, wallClock);
        window = std::make_unique<frmFileTrans>(
            *ctx, [this] { return std::make_unique<sim::InMemorySerialPort>(*meter, linkClock); }, linkClock,
            [this](const QString& path) { opened << path; return true; });
    }

    // Loads and shows the window: showing it, not loading, reads the saved medium's names once, and says so.
    void open() {
        load();
        QVERIFY(commands.empty());
        window->show();
        const bool memoryMedium = ctx->CurrentSetting.Pc.TransMedia == 1;
        const std::string medium = memoryMedium ? "memory" : "pc card";
        QTRY_COMPARE(messages.texts(), (Texts{"Read file names of " + medium + ".",
                                              "Reading the file names of " + medium + " has finished."}));
        QCOMPARE(messages.boxes[0].title, std::string("File transfer"));
        QCOMPARE(listedNames(*window), memoryMedium ? kMemoryFiles : kCardFiles);
        QCOMPARE(std::count(commands.begin(), commands.end(), memoryMedium ? ":MEMO:DIRE? MEAS" : ":CARD:DIRE? MEAS"),
                 1);
        messages.boxes.clear();
        commands.clear();
    }

    QStringList copyFolderFiles() { return test::fileBoxNames(*window, "filOutputFile"); }

    void select(const QStringList& names) {
        for (const QString& name : names)
            the<QTreeWidget>("ListView1")->findItems(name, Qt::MatchExactly).front()->setSelected(true);
    }

private slots:
    void init() {
        messages.boxes.clear();
        commands.clear();
        opened.clear();
        for (auto* folder : {&appFolder, &card, &memory, &copies}) *folder = std::make_unique<test::TemporaryFolder>();
        qputenv("VOLTARO_APP_DIR", QByteArray::fromStdString(appFolder->path().string()));
        write(card->path() / "DATA0001.BIN", std::string(1500, '\x02') + std::string(1500, '\xFF'));
        write(card->path() / "MEAS0002.CSV", "MODEL,ZR915,T200\r\n2026/12/06,10:00:00,1.5\r\n");
        write(card->path() / "SETUP001.SET", "MODEL,ZR915\r\nID,001\r\n");
        write(memory->path() / "MEMO0001.CSV", "MODEL,ZR915,T200\r\n");
        write(memory->path() / "WAVE0001.WFM", std::string(600, '\x03'));  // a counted block can hold ETX bytes
        meter = std::make_unique<sim::MeterModel>(sim::MeterFolders{card->path(), memory->path()});
        meter->setCommandObserver([this](std::string_view line) { commands.emplace_back(line); });
        save(0);
    }
    void cleanup() { window.reset(); }

    void aClickReadsTheDirectoryAndAFailedReadKeepsOnlyAListOfThatMedium_data() { addRows(kDirectoryReads); }
    void aClickReadsTheDirectoryAndAFailedReadKeepsOnlyAListOfThatMedium() {
        QFETCH(int, row);
        const DirectoryRead& c = kDirectoryReads[row];
        save(c.medium);
        open();
        select({listedNames(*window).front()});
        if (c.cardPulled) fs::remove_all(card->path());
        the<QAbstractButton>(c.clicked)->click();
        QCOMPARE(messages.texts(), Texts{c.shown.toStdString()});
        QCOMPARE(listedNames(*window), c.listed);
        QCOMPARE(the<QPushButton>("btnTransStart")->isEnabled(), c.cardPulled && !c.listed.isEmpty());
        QCOMPARE(ctx->CurrentSetting.Pc.TransMedia, std::int16_t(the<QRadioButton>("optSelMemory")->isChecked()));
    }

    void transferCopiesTheSelectedFilesAndOpensTheWorkbook_data() { addRows(kTransfers); }
    void transferCopiesTheSelectedFilesAndOpensTheWorkbook() {
        QFETCH(int, row);
        const auto& [_, medium, copy, excel, selected, lost, shown, arrived] = kTransfers[row];
        save(medium, copy, excel);
        open();
        const QStringList listed = listedNames(*window);
        select(selected);
        const fs::path source = (medium == 1 ? memory : card)->path();
        std::map<QString, std::string> bytes;
        for (const QString& name : selected) bytes[name] = contents(source / name.toStdString());
        for (const QString& name : lost) fs::remove(source / name.toStdString());
        the<QPushButton>("btnTransStart")->click();
        QCOMPARE(messages.texts(), Texts{shown.toStdString()});
        QCOMPARE(listedNames(*window), listed);
        QCOMPARE(copyFolderFiles(), copy ? arrived : QStringList());
        for (const QString& name : copyFolderFiles())
            QCOMPARE(contents(copies->path() / name.toStdString()), bytes[name]);
        // A workbook holds the text files that arrived, also when the run stopped after them.
        const bool sheets = excel && !arrived.isEmpty();
        const QString workbook = (copy ? qpath(copies->path()) : QDir::tempPath()) + "/Transfer 2026-12-06 105300.xlsx";
        QCOMPARE(opened, sheets ? QStringList{workbook} : QStringList());
        QCOMPARE(QFile::exists(workbook), sheets);
        if (!copy) QFile::remove(workbook);
    }

    void headerClicksSortAndTheChoicesEnableTheControlsAndOutliveTheWindow() {
        test::TemporaryFolder other;
        open();
        auto click = [&](int column) {  // each click on a header sorts the other way round
            emit the<QTreeWidget>("ListView1")->header()->sectionClicked(column);
            return listedNames(*window);
        };
        const QStringList bySize{"SETUP001.SET", "MEAS0002.CSV", "DATA0001.BIN"};
        QCOMPARE(click(0), QStringList(kCardFiles.rbegin(), kCardFiles.rend()));
        QCOMPARE(click(0), kCardFiles);
        QCOMPARE(click(1), QStringList(bySize.rbegin(), bySize.rend()));
        QCOMPARE(click(1), bySize);
        auto* start = the<QPushButton>("btnTransStart");
        QVERIFY(!start->isEnabled());
        the<QTreeWidget>("ListView1")->selectAll();
        QVERIFY(start->isEnabled());
        the<QLineEdit>("txtSavePath")->setText(qpath(other.path()));
        test::finishTyping(the<QLineEdit>("txtSavePath"), test::kEnter);
        the<QCheckBox>("chkSaveData")->click();
        QVERIFY2(!start->isEnabled(), "no target, whatever is selected");
        QVERIFY(!the<QLineEdit>("txtSavePath")->isEnabled() && !the<QPushButton>("btnBrowse")->isEnabled());
        the<QCheckBox>("chkTransExcel")->click();
        QVERIFY(start->isEnabled());
        the<QRadioButton>("optSelMemory")->click();
        QVERIFY2(!start->isEnabled(), "the new list has nothing selected");
        window->close();
        load();
        QCOMPARE(the<QLineEdit>("txtSavePath")->text(), qpath(other.path()));
        QVERIFY(!the<QCheckBox>("chkSaveData")->isChecked());
        QVERIFY(the<QCheckBox>("chkTransExcel")->isChecked());
        QVERIFY(the<QRadioButton>("optSelMemory")->isChecked());
        the<QCheckBox>("chkSaveData")->click();
        QVERIFY(the<QLineEdit>("txtSavePath")->isEnabled() && the<QPushButton>("btnBrowse")->isEnabled());
    }

    void aTypedFolderGetsItsSeparatorWhenTheBoxIsLeft_data() {
        QTest::addColumn<int>("how");
        QTest::addColumn<QString>("kept");  // what follows the typed folder; none when the edit is not taken
        QTest::newRow("Tab adds the separator") << int(Qt::TabFocusReason) << "/";
        QTest::newRow("Enter keeps it as typed") << test::kEnter << "";
        QTest::newRow("another window takes no edit") << int(Qt::ActiveWindowFocusReason) << QString();
    }
    void aTypedFolderGetsItsSeparatorWhenTheBoxIsLeft() {
        QFETCH(int, how);
        QFETCH(QString, kept);
        test::TemporaryFolder other;
        write(other.path() / "NEW.CSV", "x");
        write(copies->path() / "OLD.CSV", "x");
        load();
        auto* box = the<QLineEdit>("txtSavePath");
        box->setText(qpath(other.path()));
        test::finishTyping(box, how);
        const QString saved =
            kept.isNull() ? QString::fromStdString(copies->withSeparator()) : qpath(other.path()) + kept;
        QCOMPARE(QString::fromStdString(ctx->CurrentSetting.Pc.TransSavePath), saved);
        if (!kept.isNull()) QCOMPARE(box->text(), saved);
        QCOMPARE(copyFolderFiles(), QStringList{kept.isNull() ? "OLD.CSV" : "NEW.CSV"});
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmFileTransTest)
#include "frmFileTransTest.moc"
