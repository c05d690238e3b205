#include <QComboBox>
#include <QPushButton>
#include <QtTest>

#include "app/DefaultSettings.h"
#include "link/ui/frmComSetting.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/WindowControls.h"

namespace voltaro {

using test::control;

class frmComSettingTest : public QObject {
    Q_OBJECT

    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 12, 6, 9, 0, 0}};

private slots:
    void okStoresTheChosenEntriesAsTheLineSettingsAndADeviceByItsPath() {
        AppContext ctx(messages, clock);
        ctx.CurrentSetting.Pc = FactoryPcSettings("/tmp/");
        ctx.CurrentSetting.Pc.CommPort = {3, 4, 7, 0, 2, 3};
        frmComSetting dialog(ctx, [] { return std::vector<std::string>{"/dev/ttyUSB0"}; });
        const char* lists[] = {"cmbComPort", "cmbBaudRate", "cmbDataLength", "cmbParity", "cmbStopBit", "cmbFlow"};
        const int chosen[] = {10, 5, 0, 1, 1, 2};  // the port: the adapter listed after COM1 to COM10
        for (int i = 0; i < 6; ++i) control<QComboBox>(dialog, lists[i])->setCurrentIndex(chosen[i]);
        QTest::mouseClick(control<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
        // Data and stop bits are kept as numbers, the flow control as its list entry; a device keeps the port number.
        QCOMPARE(ctx.CurrentSetting.Pc.CommPort, (CommPortSetting{3, 5, 7, 1, 2, 2}));
        QCOMPARE(ctx.CurrentSetting.Pc.PcPortName, std::string("/dev/ttyUSB0"));
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmComSettingTest)
#include "frmComSettingTest.moc"
