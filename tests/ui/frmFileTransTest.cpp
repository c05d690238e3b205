// The file transfer window against the simulated meter, in simulated time.
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <fstream>
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
using Texts = std::vector<std::string>;

void write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

}  // namespace

class frmFileTransTest : public QObject {
    Q_OBJECT

    test::RecordingMessages messages;
    test::FixedClock wallClock{{2026, 12, 6, 10, 53, 0}};
    test::ManualClock linkClock;
    std::unique_ptr<test::TemporaryFolder> appFolder, card, memory, copies;
    std::unique_ptr<sim::MeterModel> meter;
    QStringList opened;  // documents handed to the desktop
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<frmFileTrans> window;

    template <typename Control>
    Control* the(const char* name) { return test::control<Control>(*window, name); }

    // Saves the choices, then loads and shows the window, which reads the saved medium's names.
    void open(int medium, bool copy = true, bool excel = false) {
        QCOMPARE(test::ChangeSavedSettings(messages, wallClock, appFolder->withSeparator(), [&](PcSettings& pc) {
                     pc.TransMedia = static_cast<std::int16_t>(medium), pc.TransSaveData = copy, pc.TransExcel = excel;
                     pc.TransSavePath = copies->withSeparator();
                 }), std::int16_t{0});
        ctx = std::make_unique<AppContext>(messages, wallClock);
        window = std::make_unique<frmFileTrans>(
            *ctx, [this] { return std::make_unique<sim::InMemorySerialPort>(*meter, linkClock); }, linkClock,
            [this](const QString& path) { opened << path; return true; });
        window->show();
        QTRY_COMPARE(messages.boxes.size(), std::size_t{2});
        messages.boxes.clear();
    }

    void select(const QStringList& names) {
        for (const QString& name : names)
            the<QTreeWidget>("ListView1")->findItems(name, Qt::MatchExactly).front()->setSelected(true);
    }

private slots:
    void init() {
        messages.boxes.clear();
        opened.clear();
        for (auto* folder : {&appFolder, &card, &memory, &copies}) *folder = std::make_unique<test::TemporaryFolder>();
        qputenv("VOLTARO_APP_DIR", QByteArray::fromStdString(appFolder->path().string()));
        write(card->path() / "MEAS0002.CSV", "MODEL,ZR915,T200\r\n2026/12/06,10:00:00,1.5\r\n");
        write(memory->path() / "MEMO0001.CSV", "MODEL,ZR915,T200\r\n");
        meter = std::make_unique<sim::MeterModel>(sim::MeterFolders{card->path(), memory->path()});
    }
    void cleanup() { window.reset(); }

    // The memory's files cannot be picked from the card: a failed read of the card empties their list.
    void aFailedSwitchOfMediumKeepsNoListOfTheOtherMedium() {
        open(1);
        fs::remove_all(card->path());
        the<QRadioButton>("optSelCard")->click();
        QCOMPARE(messages.texts(), Texts{"Pc card not ready."});
        QCOMPARE(listedNames(*window), QStringList());
    }

    // Without copies the workbook is written to the temporary folder.
    void aTransferCanFillAWorkbookAlone() {
        open(0, false, true);
        select({"MEAS0002.CSV"});
        the<QPushButton>("btnTransStart")->click();
        QCOMPARE(messages.texts(), Texts{"Data Transfer of pc card has finished."});
        const QString workbook = QDir::tempPath() + "/Transfer 2026-12-06 105300.xlsx";
        QCOMPARE(opened, QStringList{workbook});
        QVERIFY(QFile::remove(workbook));
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmFileTransTest)
#include "frmFileTransTest.moc"
