// The file transfer window against the simulated meter, in simulated time.
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
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
    QStringList opened;          // workbooks handed to the desktop
    bool desktopOpens = true;    // whether a program could open them
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
            [](AppContext&, QWidget*, std::string_view) {},
            [this](const QString& path) {
                opened << path;
                return desktopOpens;
            });
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
        desktopOpens = true;
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

    // Without copies the workbook still goes to the chosen folder, where the window lists it; on
    // a computer that has no program for it, a plain message says where it is.
    void aWorkbookAloneGoesToTheChosenFolder() {
        open(0, false, true);
        QVERIFY(the<QLineEdit>("txtSavePath")->isEnabled());
        select({"MEAS0002.CSV"});
        desktopOpens = false;
        the<QPushButton>("btnTransStart")->click();
        const std::string workbook = copies->withSeparator() + "Transfer 2026-12-06 105300.xlsx";
        QCOMPARE(opened, QStringList{QString::fromStdString(workbook)});
        QCOMPARE(messages.texts(), (Texts{"No program could open the workbook. It was saved as:\n" + workbook,
                                          "Data Transfer of pc card has finished."}));
        QCOMPARE(messages.boxes[0].icon, MessageIcon::Information);
        QCOMPARE(messages.boxes[0].title, std::string("File transfer"));
        QCOMPARE(copies->names(), std::vector<std::string>{"Transfer 2026-12-06 105300.xlsx"});
        QCOMPARE(the<QListWidget>("filOutputFile")->count(), 1);
        QCOMPARE(the<QListWidget>("filOutputFile")->item(0)->text(), QString("Transfer 2026-12-06 105300.xlsx"));
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmFileTransTest)
#include "frmFileTransTest.moc"
