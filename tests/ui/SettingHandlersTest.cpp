// The settings window's handlers: how items follow one another as the user changes them.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <fstream>
#include <memory>

#include "app/ui/NamedControl.h"
#include "settings/SettingFile.h"
#include "ui/SettingWindowHarness.h"

namespace voltaro {

namespace {

QStringList entries(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
    return texts;
}

}  // namespace

class SettingHandlersTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::SettingWindowHarness> h;

    template <typename Control>
    Control* the(const QString& name) const {
        return h->the<Control>(name);
    }
    QComboBox* list(const QString& name) const { return the<QComboBox>(name); }
    QCheckBox* box(const char* array, int index) const { return the<QCheckBox>(ElementName(array, index)); }
    void choose(const QString& name, const QString& entry) const {
        QComboBox* chosen = list(name);
        const int position = chosen->findText(entry);
        if (position < 0) qFatal("%s has no entry %s", qPrintable(name), qPrintable(entry));
        chosen->setCurrentIndex(position);
    }
    // The ticked and the open boxes of a control array, as "1" and "0" a box.
    QString ticks(const char* array, int count) const {
        QString flags;
        for (int i = 0; i < count; ++i) flags += box(array, i)->isChecked() ? '1' : '0';
        return flags;
    }
    QString open(const char* array, int count) const {
        QString flags;
        for (int i = 0; i < count; ++i) flags += box(array, i)->isEnabled() ? '1' : '0';
        return flags;
    }
    QString channelsInUse() const {
        QString flags;
        for (int i = 0; i < 4; ++i) flags += list(ElementName("cmbARange", i))->isEnabled() ? '1' : '0';
        return flags;
    }

private slots:
    void init() { h = std::make_unique<test::SettingWindowHarness>(); }
    void cleanup() { h.reset(); }

    // A wiring decides the loads, the current channels, the 1P connection and the frequency sources.
    void theWiringRefillsWhatDependsOnIt_data() {
        QTest::addColumn<QString>("wiring");
        QTest::addColumn<QStringList>("loads");
        QTest::addColumn<bool>("loadOpen");
        QTest::addColumn<bool>("connectionOpen");
        QTest::addColumn<QStringList>("sources");
        QTest::addColumn<QString>("channels");
        const QStringList four{"Load1", "Load2", "Load3", "Load4"}, two{"Load1", "Load2"}, one{"Load1"};
        const QStringList u1{"U1"}, u12{"U1", "U2"}, u13{"U1", "U3"}, u123{"U1", "U2", "U3"};
        QTest::newRow("1P2W") << "1P2W" << four << true << false << u1 << "1000";
        QTest::newRow("1P3W") << "1P3W" << two << true << false << u12 << "1000";
        QTest::newRow("1P3W3I") << "1P3W3I" << one << false << false << u12 << "1100";
        QTest::newRow("3P3W2I") << "3P3W2I" << two << true << false << u13 << "1000";
        QTest::newRow("3P3W3I") << "3P3W3I" << one << false << false << u123 << "1000";
        QTest::newRow("3P4W") << "3P4W" << one << false << false << u123 << "1000";
        QTest::newRow("3P4W4I") << "3P4W4I" << one << false << false << u123 << "1100";
        QTest::newRow("3P3W+1P3W") << "3P3W+1P3W" << one << false << true << u123 << "1100";
    }
    void theWiringRefillsWhatDependsOnIt() {
        QFETCH(QString, wiring);
        QFETCH(QStringList, loads);
        QFETCH(bool, loadOpen);
        QFETCH(bool, connectionOpen);
        QFETCH(QStringList, sources);
        QFETCH(QString, channels);
        h->open();
        // From four loads of 1P2W, every channel in use and the last source chosen.
        choose("cmbWiring", "1P2W");
        choose("cmbLoad", "Load4");
        QCOMPARE(channelsInUse(), QString("1111"));
        const QString threePhase = wiring == "3P4W" ? "3P3W3I" : "3P4W";
        choose("cmbWiring", threePhase);
        choose("cmbFrequency", "U3");

        choose("cmbWiring", wiring);
        QCOMPARE(entries(list("cmbLoad")), loads);
        QCOMPARE(list("cmbLoad")->currentIndex(), 0);
        QCOMPARE(list("cmbLoad")->isEnabled(), loadOpen);
        QCOMPARE(list("cmb1PConnect")->isEnabled(), connectionOpen);
        QCOMPARE(entries(list("cmbFrequency")), sources);
        QCOMPARE(list("cmbFrequency")->currentIndex(), 0);
        QCOMPARE(channelsInUse(), channels);
        QCOMPARE(h->ctx.CurrentSetting.Load, std::int16_t{1});
        QCOMPARE(h->ctx.CurrentSetting.Source, std::int16_t{0});
        QVERIFY(h->messages.boxes.empty());
    }

    // More loads of a wiring bring their channels into use.
    void aLoadOpensItsChannels() {
        h->open();
        choose("cmbWiring", "1P2W");
        choose("cmbLoad", "Load3");
        QCOMPARE(channelsInUse(), QString("1110"));
        QCOMPARE(h->ctx.CurrentSetting.Load, std::int16_t{3});
    }

    // Short intervals warn and leave less to save automatically.
    void theIntervalWarnsAndHidesTheAutomaticSavings_data() {
        QTest::addColumn<QString>("interval");
        QTest::addColumn<QStringList>("warnings");
        QTest::addColumn<QString>("autoShown");  // Wh, waveform, harmonics, average, maximum, minimum, RS-232
        QTest::newRow("500ms") << "500ms"
                               << QStringList{"Interval time is set to short.\n"
                                              "Invalid Electric/Demand saving, Harmonic saving, Waveform saving.\n"
                                              "Average saving, Max saving and Minimum saving during integration "
                                              "measurement."}
                               << "0000001";
        QTest::newRow("1sec") << "1sec"
                              << QStringList{"Interval time is set to 30 seconds and under\n"
                                             "Invalid Harmonic saving and Waveform saving during integration "
                                             "measurement.\n"}
                              << "1001110";
        QTest::newRow("1min") << "1min" << QStringList() << "1111111";
    }
    void theIntervalWarnsAndHidesTheAutomaticSavings() {
        QFETCH(QString, interval);
        QFETCH(QStringList, warnings);
        QFETCH(QString, autoShown);
        h->open();
        choose("cmbInterval", interval);
        QCOMPARE(h->texts(), warnings);
        QString shown;
        for (const char* label :
             {"lblWhAuto", "lblWaveAuto", "lblHrmAuto", "lblAveAuto", "lblMaxAuto", "lblMinAuto", "lblConnectAuto"})
            shown += the<QLabel>(label)->isHidden() ? '0' : '1';
        QCOMPARE(shown, autoShown);
        // Without normal saving none of its items is saved automatically.
        the<QCheckBox>("chkSaveNormal")->setChecked(false);
        QVERIFY(the<QLabel>("lblInstAuto")->isHidden() && the<QLabel>("lblAveAuto")->isHidden());
    }

    // A printer cannot keep up with short intervals, and without a printer there is no printed copy.
    void aShortIntervalTakesThePrinterOff() {
        h->open();
        choose("cmbConnect", "Printer");
        QCOMPARE(entries(list("cmbCopy")), (QStringList{"PC Card", "Memory", "Printer"}));
        choose("cmbCopy", "Printer");
        QCOMPARE(h->ctx.CurrentSetting.Copy, std::int16_t{2});
        choose("cmbInterval", "10sec");
        QCOMPARE(list("cmbConnect")->currentText(), QString("PC"));
        QCOMPARE(entries(list("cmbCopy")), (QStringList{"PC Card", "Memory"}));
        QCOMPARE(list("cmbCopy")->currentText(), QString("PC Card"));
        QCOMPARE(h->ctx.CurrentSetting.Copy, std::int16_t{0});
        QCOMPARE(h->ctx.CurrentSetting.Rs232Connect, std::int16_t{0});
    }

    // Past 999.9 TW of rated power a range is refused with two boxes and chosen again as it
    // was; a ratio with one, by its box.
    void theRatedPowerLimitRefusesRangesAndRatios() {
        const QStringList once{"Product of [rated power xVT ratio xCT ratio x1.3] exceeds 999.9TW."};
        const QStringList twice = once + once;
        h->open();
        the<QComboBox>("cmbWiring")->setCurrentIndex(5);  // 3P4W: three times one phase
        the<QComboBox>("cmbURange")->setCurrentIndex(2);  // 600V
        the<QComboBox>("cmbClampType(0)")->setCurrentIndex(5);
        the<QComboBox>("cmbARange(0)")->setCurrentIndex(3);  // 3000A
        h->type("txtCt(0)", "9999.99");
        h->type("txtVt", "9999.99");
        QCOMPARE(h->texts(), QStringList());  // 7.0e14 W

        the<QComboBox>("cmbURange")->setCurrentIndex(3);  // 1000V: 1.2e15 W
        QCOMPARE(h->texts(), twice);
        QCOMPARE(the<QComboBox>("cmbURange")->currentText(), QString("600V"));
        QCOMPARE(h->ctx.CurrentSetting.URange, std::int16_t{2});

        h->messages.boxes.clear();
        the<QComboBox>("cmbARange(0)")->setCurrentIndex(2);  // 1500A
        the<QComboBox>("cmbURange")->setCurrentIndex(3);     // 5.9e14 W
        the<QComboBox>("cmbARange(0)")->setCurrentIndex(3);  // 1.2e15 W
        QCOMPARE(h->texts(), twice);
        QCOMPARE(the<QComboBox>("cmbARange(0)")->currentText(), QString("1500A"));
        QCOMPARE(h->ctx.CurrentSetting.ARange[0], std::int16_t{18});

        h->messages.boxes.clear();
        h->type("txtVt", "1");
        the<QComboBox>("cmbARange(0)")->setCurrentIndex(3);
        h->type("txtVt", "9999.99");
        QCOMPARE(h->texts(), once);
        QCOMPARE(the<QLineEdit>("txtVt")->text(), QString("1.00"));
        QCOMPARE(h->ctx.CurrentSetting.Vt, 1.0f);
        // A CT is judged with the VT shown: 1 x 9500 is within the limit.
        h->type("txtCt(0)", "9500");
        QCOMPARE(h->texts(), once);
        // A channel not in use is not checked: the wiring uses one current here.
        h->messages.boxes.clear();
        h->type("txtCt(1)", "9999.99");
        QCOMPARE(h->texts(), QStringList());
    }

    // A new clamp keeps the channel's range when it has it, else the nearest end of its own.
    void aClampKeepsTheRangeItHas() {
        h->open();
        auto* clamp = the<QComboBox>("cmbClampType(0)");
        auto* range = the<QComboBox>("cmbARange(0)");
        clamp->setCurrentIndex(1);  // 52140, 5A to 50A
        range->setCurrentIndex(3);
        QCOMPARE(range->currentText(), QString("50A"));
        clamp->setCurrentIndex(2);  // 52110, 20A to 200A
        QCOMPARE(range->currentText(), QString("50A"));
        clamp->setCurrentIndex(0);  // 52170, 200mA to 2A
        QCOMPARE(range->currentText(), QString("2A"));
        QCOMPARE(range->count(), 4);
        QCOMPARE(h->ctx.CurrentSetting.ARange[0], std::int16_t{4});
        QCOMPARE(h->ctx.CurrentSetting.Clamp[0], std::int16_t{0});
    }

    // Phase angles from U1 need U1 as the frequency source, except in a setting opened or received.
    void phaseAnglesFromU1KeepTheSourceAtU1() {
        h->open();
        choose("cmbWiring", "3P4W");
        choose("cmbFrequency", "U2");
        choose("cmbHrmPA", "U1 base");
        QCOMPARE(list("cmbFrequency")->currentText(), QString("U1"));
        choose("cmbFrequency", "U3");
        QCOMPARE(list("cmbFrequency")->currentText(), QString("U1"));
        QCOMPARE(h->ctx.CurrentSetting.Source, std::int16_t{0});
        QCOMPARE(h->ctx.CurrentSetting.HrmPA, std::int16_t{1});

        SettingRecord r = h->ctx.CurrentSetting;
        r.Source = 1;
        std::ofstream(h->appFolder.path() / "U2.SET", std::ios::binary) << FormatSettingFile(r);
        h->openedFile = test::qpath(h->appFolder.path() / "U2.SET");
        h->click(frmSetting::Open);
        QCOMPARE(list("cmbFrequency")->currentText(), QString("U2"));

        h->setOnMeter(":WIRI 3P4W");
        h->setOnMeter(":HPA 1");
        h->setOnMeter(":SOUR U3");
        h->click(frmSetting::Receive);
        QCOMPARE(list("cmbFrequency")->currentText(), QString("U3"));
        QCOMPARE(h->ctx.CurrentSetting.Source, std::int16_t{2});
    }

    // Each method opens the controls it uses; a fixed number of digits has a unit; voltage quality its thresholds.
    void choicesOpenTheControlsTheyUse() {
        h->open();
        choose("cmbStartMethod", "Time");
        QVERIFY(the<QDateEdit>("dtpStartDate")->isEnabled());
        choose("cmbStartMethod", "JUST");
        QVERIFY(!the<QDateEdit>("dtpStartDate")->isEnabled());
        choose("cmbEndMethod", "Timer");
        QVERIFY(the<QLineEdit>("txtHour")->isEnabled() && !the<QDateEdit>("dtpEndDate")->isEnabled());
        QCOMPARE(h->ctx.CurrentSetting.StopMethod, std::int16_t{3});
        choose("cmbEndMethod", "Time");
        QVERIFY(!the<QLineEdit>("txtHour")->isEnabled() && the<QDateEdit>("dtpEndDate")->isEnabled());
        for (const auto& [digits, unit] : {std::pair{"STANDARD", false}, {"0000.00", true}, {"AUTO", false}}) {
            choose("cmbIntervalWh", digits);
            QCOMPARE(list("cmbIntervalWhUnit")->isEnabled(), unit);
        }
        QVERIFY(list("cmbTotalWhUnit")->isEnabled() == false);
        choose("cmbDetect", "ON");
        QVERIFY(the<QLineEdit>("txtSwell")->isEnabled() && list("cmbStdVolt")->isEnabled());
        choose("cmbDetect", "OFF");
        QVERIFY(!the<QLineEdit>("txtHysteresis")->isEnabled());
    }

    // The harmonic boxes follow the wiring and the loads; THD needs a channel other than I4.
    void theHarmonicBoxesFollowTheWiring() {
        h->open();
        choose("cmbWiring", "1P2W");
        QCOMPARE(ticks("chkSaveHrmCh", 8), QString("10010001"));  // U1, P, I4
        QCOMPARE(open("chkSaveHrmCh", 8), QString("10010001"));
        QCOMPARE(ticks("chkSaveHrmLoad", 4), QString("1000"));
        QCOMPARE(open("chkSaveHrmLoad", 4), QString("1000"));
        QCOMPARE(ticks("chkSaveHrmItem", 5), QString("11111"));
        choose("cmbLoad", "Load3");
        QCOMPARE(open("chkSaveHrmLoad", 4), QString("1110"));
        box("chkSaveHrmCh", 0)->setChecked(false);
        QVERIFY(box("chkSaveHrmItem", 4)->isEnabled());
        box("chkSaveHrmCh", 3)->setChecked(false);
        QVERIFY(!box("chkSaveHrmItem", 4)->isEnabled());
        QCOMPARE(h->ctx.CurrentSetting.SaveHrmCh, (std::array<std::int16_t, 8>{0, 0, 0, 0, 0, 0, 0, 1}));

        // 3P3W+1P3W shows its single-phase system again beside the three-phase one.
        QVERIFY(the<QGroupBox>("fraCH1P")->isHidden());
        choose("cmbWiring", "3P3W+1P3W");
        QVERIFY(!the<QGroupBox>("fraCH1P")->isHidden());
        QCOMPARE(the<QGroupBox>("fraCH3P")->title(), QString("3P3W"));
        QCOMPARE(ticks("chkSaveHrmCh", 8), QString("11111101"));
        box("chkSaveHrmCh", 4)->setChecked(false);  // I1
        QCOMPARE(ticks("chkSaveHrmScott", 5), QString("11101"));

        the<QCheckBox>("chkSaveHrm")->setChecked(false);
        QCOMPARE(ticks("chkSaveHrmCh", 8), QString("00000000"));
        QVERIFY(!the<QGroupBox>("fraCH3P")->isEnabled() && !list("cmbSaveHrmOrdSel")->isEnabled());
    }

    // A fixed order selection ticks its orders and closes the boxes; Select opens the user's own.
    void theOrderSelectionTicksOrOpensTheOrders() {
        h->open();
        choose("cmbSaveHrmOrdSel", "Odd order");
        QVERIFY(box("chkSaveHrmOrder", 0)->isChecked() && !box("chkSaveHrmOrder", 1)->isChecked());
        QVERIFY(!box("chkSaveHrmOrder", 0)->isEnabled());
        choose("cmbSaveHrmOrdSel", "Even order");
        QVERIFY(!box("chkSaveHrmOrder", 0)->isChecked() && box("chkSaveHrmOrder", 49)->isChecked());
        choose("cmbSaveHrmOrdSel", "Select");
        QVERIFY(box("chkSaveHrmOrder", 0)->isEnabled());
        QVERIFY(box("chkSaveHrmOrder", 0)->isChecked() && !box("chkSaveHrmOrder", 1)->isChecked());  // the record's
        box("chkSaveHrmOrder", 1)->setChecked(true);
        QCOMPARE(h->ctx.CurrentSetting.SaveHrmOrder[1], std::int16_t{1});
        QCOMPARE(h->ctx.CurrentSetting.SaveHrmOrdSel, std::int16_t{3});
    }

    // An analog output's item list follows the wiring, the loads and its kind.
    void anAnalogOutputListsTheItemsOfItsKind_data() {
        QTest::addColumn<QString>("wiring");
        QTest::addColumn<QString>("load");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("1P2W normal") << "1P2W" << "Load1" << "Normal measure"
                                     << QStringList{"U1", "I1_1", "P_1", "Q_1", "S_1", "PF_1", "PA_1", "F"};
        QTest::newRow("1P2W THD") << "1P2W" << "Load1" << "THD" << QStringList{"U1", "I1_1"};
        QTest::newRow("1P3W two loads normal")
            << "1P3W" << "Load2" << "Normal measure"
            << QStringList{"U1",  "U2",  "Uave", "I1_1", "I2_1", "Iave_1", "I1_2", "I2_2", "Iave_2", "P_1",
                           "P_2", "Q_1", "Q_2",  "S_1",  "S_2",  "PF_1",   "PF_2", "PA_1", "PA_2",   "F"};
        QTest::newRow("1P3W two loads energy")
            << "1P3W" << "Load2" << "Electric energy"
            << QStringList{"Wh+_1", "Wh+_2", "Wh-_1", "Wh-_2", "Varh+_1", "Varh+_2", "Varh-_1", "Varh-_2"};
        QTest::newRow("3P4W4I level") << "3P4W4I" << "Load1" << "Level"
                                      << QStringList{"U1", "U2", "U3", "I1_1", "I2_1", "I3_1", "I4_1", "P_1"};
        QTest::newRow("3P3W+1P3W total")
            << "3P3W+1P3W" << "Load1" << "Total"
            << QStringList{"U1_3P", "U2_3P", "U3_3P", "I1_3P", "I2_3P", "I3_3P", "P_3P",
                           "U1_1P", "U2_1P", "I1_1P", "I2_1P", "P_1P"};
    }
    void anAnalogOutputListsTheItemsOfItsKind() {
        QFETCH(QString, wiring);
        QFETCH(QString, load);
        QFETCH(QString, kind);
        QFETCH(QStringList, items);
        h->open();
        choose("cmbWiring", wiring);
        choose("cmbLoad", load);
        choose("cmbDaItem(0)", kind);
        QCOMPARE(entries(list("cmbDaElem(0)")), items);
        QCOMPARE(list("cmbDaElem(0)")->currentIndex(), 0);
        QCOMPARE(QString::fromStdString(h->ctx.catalogue.text(3000 + h->ctx.CurrentSetting.DaItem[0])), items.front());
    }

    // A kind opens the choices it takes; a reactive energy reads its rates in kVarh.
    void anAnalogOutputsKindOpensItsChoices() {
        h->open();
        choose("cmbDaItem(1)", "Level");
        QVERIFY(list("cmbDaOrd(1)")->isEnabled() && list("cmbDaMag(1)")->isEnabled());
        QVERIFY(!list("cmbDaRate(1)")->isEnabled());
        choose("cmbDaItem(1)", "Electric energy");
        QVERIFY(!list("cmbDaOrd(1)")->isEnabled() && list("cmbDaRate(1)")->isEnabled());
        QCOMPARE(list("cmbDaRate(1)")->itemText(0), QString("1V/1kWh"));
        choose("cmbDaElem(1)", "Varh+_1");
        QCOMPARE(list("cmbDaRate(1)")->itemText(6), QString("1V/1000kVarh"));
        QCOMPARE(h->ctx.CurrentSetting.DaItem[1], std::int16_t{44});
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::SettingHandlersTest)
#include "SettingHandlersTest.moc"
