#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/DefaultSettings.h"
#include "link/PortNames.h"
#include "link/ui/frmComSetting.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/WindowControls.h"

namespace voltaro {

namespace {

using test::control;

constexpr const char* kLists[] = {"cmbComPort", "cmbBaudRate", "cmbDataLength", "cmbParity", "cmbStopBit", "cmbFlow"};

// The system reports a USB adapter and the device behind COM2.
std::vector<std::string> systemPorts() { return {"/dev/ttyUSB0", DeviceForComPort(2)}; }

QList<int> selectedEntries(const frmComSetting& dialog) {
    QList<int> entries;
    for (const char* name : kLists) entries << control<QComboBox>(dialog, name)->currentIndex();
    return entries;
}

void choose(frmComSetting& dialog, const QList<int>& entries) {
    for (int i = 0; i < entries.size(); ++i) control<QComboBox>(dialog, kLists[i])->setCurrentIndex(entries[i]);
}

void press(frmComSetting& dialog, const char* button) {
    QTest::mouseClick(control<QPushButton>(dialog, button), Qt::LeftButton);
}

QComboBox* portList(const frmComSetting& dialog) { return control<QComboBox>(dialog, "cmbComPort"); }

}  // namespace

class frmComSettingTest : public QObject {
    Q_OBJECT

    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 12, 6, 9, 0, 0}};

    AppContext contextWith(const CommPortSetting& port, const std::string& device = {}) {
        AppContext ctx(messages, clock);
        ctx.CurrentSetting.Pc = FactoryPcSettings("/tmp/");
        ctx.CurrentSetting.Pc.CommPort = port;
        ctx.CurrentSetting.Pc.PcPortName = device;
        return ctx;
    }

private slots:
    void listsOfferTheChoicesAndShowTheStoredOnes() {
        AppContext ctx = contextWith({3, 4, 7, 0, 2, 3});
        frmComSetting dialog(ctx, systemPorts);

        QCOMPARE(dialog.windowTitle(), QString("Communication setup"));
        QCOMPARE(control<QLabel>(dialog, "lblFlow")->buddy(), control<QComboBox>(dialog, "cmbFlow"));
        QStringList ports;
        for (int entry = 0; entry < portList(dialog)->count(); ++entry) ports << portList(dialog)->itemText(entry);
        QCOMPARE(ports, QStringList({"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9", "COM10",
                                     "/dev/ttyUSB0"}));
        QCOMPARE(control<QComboBox>(dialog, "cmbFlow")->itemText(2), QString("XON/RS"));
        QCOMPARE(selectedEntries(dialog), QList<int>({2, 4, 0, 0, 1, 3}));
    }

    void okStoresAllSixAtOnce() {
        AppContext ctx = contextWith({1, 3, 8, 2, 1, 0}, "/dev/pts/9");
        frmComSetting dialog(ctx, systemPorts);
        choose(dialog, {4, 5, 0, 1, 1, 2});
        QCOMPARE(ctx.CurrentSetting.Pc.CommPort, (CommPortSetting{1, 3, 8, 2, 1, 0}));

        press(dialog, "btnOK");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        // Data and stop bits are kept as numbers, the flow control as its list entry.
        QCOMPARE(ctx.CurrentSetting.Pc.CommPort, (CommPortSetting{5, 5, 7, 1, 2, 2}));
        QCOMPARE(ctx.CurrentSetting.Pc.PcPortName, std::string());
    }

    void cancelStoresNothingAndTheNextDialogShowsTheStoredChoices() {
        AppContext ctx = contextWith({3, 4, 7, 0, 2, 3}, "/dev/pts/9");
        const PcSettings before = ctx.CurrentSetting.Pc;
        {
            frmComSetting dialog(ctx, systemPorts);
            choose(dialog, {0, 0, 1, 2, 0, 0});
            press(dialog, "btnCancel");
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        QCOMPARE(ctx.CurrentSetting.Pc, before);
        frmComSetting again(ctx, systemPorts);
        QCOMPARE(selectedEntries(again).mid(1), QList<int>({4, 0, 0, 1, 3}));
        QCOMPARE(portList(again)->currentText(), QString("/dev/pts/9"));
    }

    void thePortIsAnEntryOrADevice_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("shownNextTime");
        QTest::newRow("typed device path") << "/dev/pts/7" << 3 << "/dev/pts/7" << "/dev/pts/7";
        QTest::newRow("reported device") << "/dev/ttyUSB0" << 3 << "/dev/ttyUSB0" << "/dev/ttyUSB0";
        QTest::newRow("COM name typed") << "com4" << 4 << "" << "COM4";
        QTest::newRow("box emptied") << "" << 3 << "" << "COM3";
    }
    void thePortIsAnEntryOrADevice() {
        QFETCH(QString, typed);
        QFETCH(int, port);
        QFETCH(QString, device);
        QFETCH(QString, shownNextTime);
        AppContext ctx = contextWith({3, 3, 8, 2, 1, 0}, "/dev/pts/9");
        {
            frmComSetting dialog(ctx, systemPorts);
            QLineEdit* box = portList(dialog)->lineEdit();
            box->clear();
            QTest::keyClicks(box, typed);
            press(dialog, "btnOK");
        }
        QCOMPARE(ctx.CurrentSetting.Pc.CommPort.PcComPort, port);
        QCOMPARE(QString::fromStdString(ctx.CurrentSetting.Pc.PcPortName), device);
        frmComSetting again(ctx, systemPorts);
        QCOMPARE(portList(again)->currentText(), shownNextTime);
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmComSettingTest)
#include "frmComSettingTest.moc"
