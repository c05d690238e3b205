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
    void listsShowTheStoredChoicesOkStoresAllSixAtOnceAndCancelNothing() {
        AppContext ctx = contextWith({3, 4, 7, 0, 2, 3}, "/dev/pts/9");
        const PcSettings before = ctx.CurrentSetting.Pc;
        {
            frmComSetting dialog(ctx, systemPorts);
            for (const char* name : kLists) control<QComboBox>(dialog, name)->setCurrentIndex(1);
            press(dialog, "btnCancel");
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(ctx.CurrentSetting.Pc, before);
        }
        frmComSetting dialog(ctx, systemPorts);
        QCOMPARE(portList(dialog)->count(), 11);  // COM1 to COM10, and the adapter the system reports
        QCOMPARE(portList(dialog)->itemText(10), QString("/dev/ttyUSB0"));
        QCOMPARE(portList(dialog)->currentText(), QString("/dev/pts/9"));
        const QList<int> shown{-1, 4, 0, 0, 1, 3}, chosen{4, 5, 0, 1, 1, 2};
        for (int i = 1; i < 6; ++i) QCOMPARE(control<QComboBox>(dialog, kLists[i])->currentIndex(), shown[i]);
        for (int i = 0; i < 6; ++i) control<QComboBox>(dialog, kLists[i])->setCurrentIndex(chosen[i]);
        QCOMPARE(ctx.CurrentSetting.Pc.CommPort, (CommPortSetting{3, 4, 7, 0, 2, 3}));
        press(dialog, "btnOK");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        // Data and stop bits are kept as numbers, the flow control as its list entry.
        QCOMPARE(ctx.CurrentSetting.Pc.CommPort, (CommPortSetting{5, 5, 7, 1, 2, 2}));
        QCOMPARE(ctx.CurrentSetting.Pc.PcPortName, std::string());
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
