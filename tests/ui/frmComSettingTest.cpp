#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "app/DefaultSettings.h"
#include "link/ui/frmComSetting.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/ScriptedDevices.h"
#include "support/WindowControls.h"

namespace voltaro {

using test::control;

namespace {

const std::vector<ReportedPort> kReported{
    {"/dev/ttyUSB0", "FT232R USB UART", "FTDI"}, {"/dev/ttyUSB1", "", ""}, {"/dev/ttyACM0", "", "Arduino"}};
constexpr int kFirstReported = 10;  // after COM1 to COM10

QComboBox* portField(const QWidget& dialog) { return control<QComboBox>(dialog, "cmbComPort"); }

QStringList listed(const QListWidget& list) {
    QStringList entries;
    for (int row = 0; row < list.count(); ++row) entries << list.item(row)->text();
    return entries;
}

}  // namespace

class frmComSettingTest : public QObject {
    Q_OBJECT

    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 12, 6, 9, 0, 0}};
    std::unique_ptr<AppContext> ctx;

    frmComSetting::PortLister reported = [] { return kReported; };

    void clickOk(QWidget& dialog) { QTest::mouseClick(control<QPushButton>(dialog, "btnOK"), Qt::LeftButton); }

private slots:
    void init() {
        messages.boxes.clear();
        ctx = std::make_unique<AppContext>(messages, clock);
        ctx->CurrentSetting.Pc = FactoryPcSettings("/tmp/");
    }

    void okStoresTheChosenEntriesAsTheLineSettingsAndAReportedPortByItsDevice() {
        ctx->CurrentSetting.Pc.CommPort = {3, 4, 7, 0, 2, 3};
        frmComSetting dialog(*ctx, reported);
        const char* lists[] = {"cmbComPort", "cmbBaudRate", "cmbDataLength", "cmbParity", "cmbStopBit", "cmbFlow"};
        const int chosen[] = {kFirstReported, 5, 0, 1, 1, 2};
        for (int i = 0; i < 6; ++i) control<QComboBox>(dialog, lists[i])->setCurrentIndex(chosen[i]);
        QCOMPARE(portField(dialog)->currentText(), QString("/dev/ttyUSB0 (FT232R USB UART, FTDI)"));
        clickOk(dialog);
        // Data and stop bits are kept as numbers, the flow control as its list entry; a device keeps the port number.
        QCOMPARE(ctx->CurrentSetting.Pc.CommPort, (CommPortSetting{3, 5, 7, 1, 2, 2}));
        QCOMPARE(ctx->CurrentSetting.Pc.PcPortName, std::string("/dev/ttyUSB0"));
    }

    // The saved port comes back as its entry, or as typed text when no entry stands for it, and OK
    // keeps it as it was.
    void theSavedPortShowsAsItsEntryAndOkKeepsIt_data() {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("shown");
        QTest::newRow("reported") << "/dev/ttyACM0" << "/dev/ttyACM0 (Arduino)";
        QTest::newRow("plain") << "/dev/ttyUSB1" << "/dev/ttyUSB1";
        const QString stable = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
        QTest::newRow("typed") << stable << stable;
    }
    void theSavedPortShowsAsItsEntryAndOkKeepsIt() {
        QFETCH(QString, saved);
        QFETCH(QString, shown);
        ctx->CurrentSetting.Pc.PcPortName = saved.toStdString();
        frmComSetting dialog(*ctx, reported);
        QCOMPARE(portField(dialog)->currentText(), shown);
        clickOk(dialog);
        QCOMPARE(ctx->CurrentSetting.Pc.PcPortName, saved.toStdString());
    }

    // Find meter asks the reported ports at the speed on show, lists the meters that answered and
    // takes the first into the port field, then whichever is picked; OK keeps it as its device.
    void findMeterListsTheMetersAtTheChosenSpeedAndTakesThePickedOne() {
        test::ManualClock linkClock;
        test::ScriptedDevices devices(linkClock);
        devices.meter("/dev/ttyUSB0", "ACME, ZR915,17,1.05 ");
        devices["/dev/ttyUSB1"];  // silent
        devices.meter("/dev/ttyACM0", "ACME, ZR915,18,2.10 ");
        ctx->CurrentSetting.Pc.PcPortName = "/dev/pts/4";
        frmComSetting dialog(*ctx, reported, devices.lines());
        control<QComboBox>(dialog, "cmbBaudRate")->setCurrentIndex(5);  // 38400, not yet kept

        QTest::mouseClick(control<QPushButton>(dialog, "btnFindMeter"), Qt::LeftButton);
        auto* found = control<QListWidget>(dialog, "lstFoundMeters");
        QCOMPARE(listed(*found), (QStringList{"/dev/ttyUSB0  ZR915 1.05", "/dev/ttyACM0  ZR915 2.10"}));
        for (const char* device : {"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyACM0"}) {
            QCOMPARE(devices[device].opened.size(), std::size_t{1});
            QCOMPARE(devices[device].opened[0].baud, 38400);
        }
        QCOMPARE(ctx->CurrentSetting.Pc.CommPort.PcBaud, std::int16_t{3});
        QCOMPARE(portField(dialog)->currentText(), QString("/dev/ttyUSB0 (FT232R USB UART, FTDI)"));
        found->setCurrentRow(1);
        QCOMPARE(portField(dialog)->currentText(), QString("/dev/ttyACM0 (Arduino)"));
        QVERIFY(messages.boxes.empty());
        clickOk(dialog);
        QCOMPARE(ctx->CurrentSetting.Pc.PcPortName, std::string("/dev/ttyACM0"));
        QCOMPARE(ctx->CurrentSetting.Pc.CommPort.PcBaud, std::int16_t{5});
    }

    void findMeterSaysSoWhenNoneAnswersAndLeavesThePortAsItWas() {
        test::ManualClock linkClock;
        test::ScriptedDevices devices(linkClock);
        devices["/dev/ttyUSB1"];
        ctx->CurrentSetting.Pc.PcPortName = "/dev/pts/4";
        frmComSetting dialog(*ctx, reported, devices.lines());
        QTest::mouseClick(control<QPushButton>(dialog, "btnFindMeter"), Qt::LeftButton);
        QCOMPARE(messages.texts(), std::vector<std::string>{"No ZR915 was found."});
        QCOMPARE(control<QListWidget>(dialog, "lstFoundMeters")->count(), 0);
        QCOMPARE(portField(dialog)->currentText(), QString("/dev/pts/4"));
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmComSettingTest)
#include "frmComSettingTest.moc"
