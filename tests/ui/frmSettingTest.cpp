// The settings window's pages: showing and collecting a setting, the text boxes, closing.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest>
#include <memory>

#include "app/ParameterFile.h"
#include "app/ui/NamedControl.h"
#include "settings/SettingCheck.h"
#include "settings/SettingFile.h"
#include "ui/SettingWindowHarness.h"

namespace voltaro {

namespace {

using Texts = std::vector<std::string>;

// A setting as the lines of its file, so that a difference names its item.
QStringList settingLines(const SettingRecord& r) {
    return QString::fromStdString(FormatSettingFile(r)).split("\r\n");
}

// A setting with every item away from the factory's, for a wiring with four loads.
SettingRecord everyItemChanged(SettingRecord r) {
    r.Wiring = 0, r.Load = 3, r.Connect1P = 2, r.URange = 3;
    r.Clamp = {0, 1, 3, 5}, r.ARange = {2, 9, 13, 20};
    r.Vt = 12.5f, r.Ct = {2.5f, 100.0f, 0.5f, 9999.99f};
    r.VarMethod = 1, r.Sampling = 1, r.FixClock = 1, r.Filter = 1, r.Average = 4;
    r.TotalWhDigit = 3, r.TotalWhUnit = 4, r.IntervalWhDigit = 5, r.IntervalWhUnit = 0;
    r.Thd = 1, r.HrmPA = 1, r.GraphOrder = 1;
    r.StartMethod = 1, r.StartTime = {2027, 2, 28, 23, 59, 0};
    r.StopMethod = 3, r.StopTime = {2027, 3, 1, 0, 1, 0}, r.StopTimer = {8784, 0, 0};
    r.Interval = 12, r.DOut = 1, r.FileName = "ABCD_123";
    r.SaveNormal = 0, r.SaveWh = 0, r.SaveHrm = 1, r.SaveWave = 0;
    r.SaveInstant = 0, r.SaveAve = 1, r.SaveMax = 0, r.SaveMin = 1;
    r.SaveHrmLoad = {0, 1, 1, 0}, r.SaveHrmCh = {0, 1, 0, 1, 1, 0, 1, 0}, r.SaveHrmItem = {0, 1, 0, 1, 0};
    r.SaveHrmOrdSel = 3;
    for (std::size_t k = 0; k < r.SaveHrmOrder.size(); ++k) r.SaveHrmOrder[k] = k % 3 == 0 ? 1 : 0;
    r.Rs232Connect = 1, r.Copy = 2;
    r.Rs232Baud = 5, r.Rs232DataLen = 0, r.Rs232Parity = 0, r.Rs232StopBit = 1, r.Rs232Flow = 3;
    r.Detect = 1, r.StdVolt = 16, r.Swell = 200, r.Dip = 10, r.Interruption = 100, r.Hysteresis = 0;
    r.Language = 0, r.Beep = 0, r.BackLight = 0, r.Contrast = 8, r.Id = 999;
    // Energy, level, THD and normal items that only three loads of 1P2W offer.
    r.DaKind = {1, 2, 6, 0}, r.DaItem = {49, 6, 5, 35};
    r.DaOrder = {50, 2, 1, 7}, r.DaMag = {2, 1, 0, 1}, r.DaRate = {6, 3, 0, 1};
    r.AdRange = {2, 1};
    return r;
}

// 3P3W2I offers U1 and U3 as frequency sources: U3 stands second in its list.
SettingRecord thirdSourceOfTwo(SettingRecord r) {
    r.Wiring = 3, r.Load = 2, r.Source = 2;
    r.DaKind = {0, 0, 5, 3}, r.DaItem = {9, 24, 16, 11};
    return r;
}

// 3P3W+1P3W: the 1P connection and the systems' own items.
SettingRecord twoSystems(SettingRecord r) {
    r.Wiring = 7, r.Load = 1, r.Connect1P = 1, r.Source = 1;
    r.DaKind = {1, 0, 4, 6}, r.DaItem = {83, 35, 60, 72};
    return r;
}

}  // namespace

class frmSettingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::SettingWindowHarness> h;

    template <typename Control>
    Control* the(const char* name) const {
        return h->the<Control>(name);
    }

private slots:
    void init() { h = std::make_unique<test::SettingWindowHarness>(); }
    void cleanup() { h.reset(); }

    // Every item shown and collected comes back as it was.
    void showAndCollectGiveTheRecordBack_data() {
        QTest::addColumn<int>("row");
        QTest::newRow("factory") << 0;
        QTest::newRow("every item changed") << 1;
        QTest::newRow("U3 second of two sources") << 2;
        QTest::newRow("two systems") << 3;
    }
    void showAndCollectGiveTheRecordBack() {
        QFETCH(int, row);
        frmSetting& window = h->open();
        const SettingRecord factory = h->factory();
        const SettingRecord changed = everyItemChanged(factory);
        const SettingRecord shown = row == 0   ? factory
                                    : row == 1 ? changed
                                    : row == 2 ? thirdSourceOfTwo(factory)
                                               : twoSystems(factory);
        SettingRecord checked = shown;
        QCOMPARE(CheckSettingRecord(h->ctx, checked), std::int16_t{0});
        h->ctx.CurrentSetting = shown;
        {
            const OperationModeScope mode(h->ctx, operation_mode::OpeningSettingFile);
            window.ShowSetting(shown);
        }
        SettingRecord collected = row == 1 ? factory : changed;
        window.CollectSetting(collected);
        // Not in the controls: the meter's clock, whose pickers write the record themselves,
        // and the user's own orders while a fixed selection is shown.
        collected.SysDate = shown.SysDate, collected.SysTime = shown.SysTime;
        if (shown.SaveHrmOrdSel != 3) collected.SaveHrmOrder = shown.SaveHrmOrder;
        QCOMPARE(settingLines(collected), settingLines(shown));
        QVERIFY(collected == shown);
        QVERIFY(h->messages.boxes.empty());
    }

    // While the window fills itself, no list writes CurrentSetting.
    void showingASettingStoresNothing() {
        frmSetting& window = h->open();
        const SettingRecord before = h->ctx.CurrentSetting;
        {
            const OperationModeScope mode(h->ctx, operation_mode::ReceivingSetting);
            window.ShowSetting(everyItemChanged(before));
        }
        QVERIFY(h->ctx.CurrentSetting == before);
        // The user's own choice is stored at once.
        the<QComboBox>("cmbBaud")->setCurrentIndex(1);
        QCOMPARE(h->ctx.CurrentSetting.Rs232Baud, std::int16_t{1});
    }

    // The window opens on the first page with the saved setting; closing keeps the edits.
    void closingKeepsTheSettingForTheNextOpening() {
        frmSetting& window = h->open();
        QCOMPARE(window.windowTitle(), QString("Setting"));
        QCOMPARE(h->ctx.MsgTitle, std::string("Setting"));
        QCOMPARE(the<QTabWidget>("tabSetting")->currentIndex(), 0);
        QCOMPARE(the<QTabWidget>("tabSetting")->tabText(8), QString("Analog I/O"));
        the<QComboBox>("cmbWiring")->setCurrentIndex(0);
        the<QComboBox>("cmbLoad")->setCurrentIndex(3);
        h->type("txtVt", "2.5");
        window.close();
        QVERIFY(!window.isVisible());
        h->open();
        QCOMPARE(the<QComboBox>("cmbLoad")->currentText(), QString("Load4"));
        QCOMPARE(the<QLineEdit>("txtVt")->text(), QString("2.50"));
        QVERIFY(the<QComboBox>(ElementName("cmbARange", 3).toLatin1())->isEnabled());
        QVERIFY(h->messages.boxes.empty());
    }

    // A dip of 5 passes the box (0..100) but not the whole setting (10..100).
    void anInvalidSettingKeepsTheWindowOpen() {
        frmSetting& window = h->open();
        h->type("txtDip", "5");
        QCOMPARE(h->ctx.CurrentSetting.Dip, std::int16_t{5});
        window.close();
        QVERIFY(window.isVisible());
        QCOMPARE(h->messages.texts(), Texts{"Invalid dip."});
        QCOMPARE(h->messages.boxes[0].title, std::string("Setting"));
        h->type("txtDip", "50");
        window.close();
        QVERIFY(!window.isVisible());
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmSettingTest)
#include "frmSettingTest.moc"
