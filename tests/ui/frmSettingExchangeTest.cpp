// The settings window's toolbar: setting files, and the setting exchanged with a simulated
// meter in simulated time.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "settings/SettingFile.h"
#include "support/WindowControls.h"
#include "ui/SettingWindowHarness.h"

namespace voltaro {

namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

}  // namespace

class frmSettingExchangeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::SettingWindowHarness> h;

    template <typename Control>
    Control* the(const char* name) const {
        return h->the<Control>(name);
    }
    QString shownWiring() const { return the<QComboBox>("cmbWiring")->currentText(); }
    QString file(const char* name) const { return test::qpath(h->appFolder.path() / name); }

private slots:
    void init() { h = std::make_unique<test::SettingWindowHarness>(); }
    void cleanup() { h.reset(); }

    // Save writes what the window shows, named 915ZR000.SET unless the user says otherwise.
    void saveWritesTheWindowsSetting() {
        h->open();
        the<QComboBox>("cmbWiring")->setCurrentIndex(0);
        h->savedFile = file("MINE.SET");
        h->click(frmSetting::Save);
        QCOMPARE(h->messages.texts(), Texts{"Saving set value has finished."});
        QCOMPARE(h->dialogs.back().caption, QString("Save"));
        QCOMPARE(h->dialogs.back().start, QString("915ZR000"));
        QCOMPARE(h->dialogs.back().suffix, QString("SET"));
        QVERIFY(h->dialogs.back().filter.startsWith("Setting file (*.set *.SET)"));
        SettingRecord written;
        QCOMPARE(ReadSettingFile(h->ctx, h->savedFile.toStdString(), written), std::int16_t{0});
        QCOMPARE(written.Wiring, std::int16_t{0});
        // The dialog offers the file last saved.
        h->savedFile.clear();
        h->click(frmSetting::Save);
        QCOMPARE(h->dialogs.back().start, file("MINE.SET"));
        QCOMPARE(h->messages.boxes.size(), std::size_t{1});
    }

    // A setting the whole check refuses is not saved.
    void anInvalidSettingIsNotSaved() {
        h->open();
        the<QComboBox>("cmbDetect")->setCurrentIndex(1);
        h->type("txtDip", "5");
        h->savedFile = file("BAD.SET");
        h->click(frmSetting::Save);
        QCOMPARE(h->messages.texts(), Texts{"Invalid dip."});
        QVERIFY(h->dialogs.empty());
        QVERIFY(!fs::exists(h->appFolder.path() / "BAD.SET"));
    }

    // A file is shown only once it has been read and checked whole; a refused one changes nothing.
    void openShowsOnlyAFileThatPassesWhole_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("wiring");
        QTest::addColumn<QStringList>("boxes");
        SettingRecord r = test::SettingWindowHarness().factory();
        r.Wiring = 0;
        r.Vt = 3;
        const QByteArray good = QByteArray::fromStdString(FormatSettingFile(r));
        r.Dip = 5;
        QTest::newRow("valid") << good << "1P2W" << QStringList{"Reading set value has finished."};
        QTest::newRow("not a setting file") << QByteArray("hello\r\n") << "3P3W2I" << QStringList{"Not setting file."};
        QTest::newRow("cut short") << good.left(good.size() / 2) << "3P3W2I" << QStringList{"Not setting file."};
        QTest::newRow("refused by the check")
            << QByteArray::fromStdString(FormatSettingFile(r)) << "3P3W2I" << QStringList{"Invalid dip."};
    }
    void openShowsOnlyAFileThatPassesWhole() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, wiring);
        QFETCH(QStringList, boxes);
        h->open();
        const SettingRecord before = h->ctx.CurrentSetting;
        std::ofstream(h->appFolder.path() / "IN.SET", std::ios::binary) << bytes.toStdString();
        h->openedFile = file("IN.SET");
        h->click(frmSetting::Open);
        QCOMPARE(h->dialogs.back().caption, QString("Open"));
        QCOMPARE(h->texts(), boxes);
        QCOMPARE(shownWiring(), wiring);
        QCOMPARE(h->ctx.CurrentSetting == before, boxes.size() == 1 && wiring != "1P2W");
        QCOMPARE(h->ctx.OperationMode, operation_mode::Idle);
    }

    // Receive shows the meter's setting; a failed exchange changes nothing.
    void receiveShowsTheMetersSetting() {
        h->open();
        h->setOnMeter(":WIRI 1P2W");
        h->setOnMeter(":LOAD 4");
        h->click(frmSetting::Receive);
        QCOMPARE(h->messages.texts(), Texts{"Receiving the setting data has finished."});
        QCOMPARE(shownWiring(), QString("1P2W"));
        QCOMPARE(the<QComboBox>("cmbLoad")->currentText(), QString("Load4"));
        QCOMPARE(h->ctx.CurrentSetting.Load, std::int16_t{4});
        QCOMPARE(h->ctx.OperationMode, operation_mode::Idle);
    }
    void aFailedReceiveChangesNothing_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("silent") << ":LANG?" << QStringList{"Communication failed."};
        QTest::newRow("refused by the check")
            << "" << QStringList{"Invalid dip.", "Receiving the setting data has finished."};
    }
    void aFailedReceiveChangesNothing() {
        QFETCH(QString, fault);
        QFETCH(QStringList, boxes);
        sim::MeterFaults faults;
        if (!fault.isEmpty()) faults.silentOn = {fault.toStdString()};
        h->replaceMeter(faults);
        h->setOnMeter(":WIRI 1P2W");
        h->setOnMeter(":THRE:DIP 5");
        h->open();
        const SettingRecord before = h->ctx.CurrentSetting;
        h->click(frmSetting::Receive);
        QCOMPARE(h->texts(), boxes);
        QVERIFY(h->ctx.CurrentSetting == before);
        QCOMPARE(shownWiring(), QString("3P3W2I"));
    }

    // Send writes the window's setting and takes it as CurrentSetting with the meter's version;
    // the meter's clock is the window's, or the PC's when the box says so.
    void sendWritesTheWindowsSetting_data() {
        QTest::addColumn<bool>("pcTime");
        QTest::addColumn<QString>("date");
        QTest::newRow("the window's clock") << false << ":SYST:DATE 2025,1,2";
        QTest::newRow("the PC's clock") << true << ":SYST:DATE 2026,12,7";
    }
    void sendWritesTheWindowsSetting() {
        QFETCH(bool, pcTime);
        QFETCH(QString, date);
        h->open();
        the<QComboBox>("cmbWiring")->setCurrentIndex(0);
        the<QDateEdit>("dtpSysDate")->setDate(QDate(2025, 1, 2));
        the<QCheckBox>("chkPCTime")->setChecked(pcTime);
        QCOMPARE(the<QDateEdit>("dtpSysDate")->isEnabled(), !pcTime);
        h->click(frmSetting::Send);
        QCOMPARE(h->messages.texts(), Texts{"Sending the setting data has finished."});
        QVERIFY(h->meterReceived(":WIRI 1P2W"));
        QVERIFY(h->meterReceived(date.toStdString()));
        QCOMPARE(h->ctx.CurrentSetting.Version, std::string("1.05"));
        QCOMPARE(h->ctx.CurrentSetting.Wiring, std::int16_t{0});
    }

    // A meter that does not take an item gets its own setting back, not the edits.
    void aRefusedSendPutsTheMetersSettingBack() {
        sim::MeterFaults faults;
        faults.ignoreSet = {":WIRI"};
        h->replaceMeter(faults);
        h->open();
        the<QComboBox>("cmbWiring")->setCurrentIndex(0);
        const SettingRecord before = h->ctx.CurrentSetting;
        h->click(frmSetting::Send);
        QCOMPARE(h->messages.texts(), Texts{"Wiring setting failure."});
        QCOMPARE(QString::fromStdString(h->commands.back()), QString(":COMM:HEAD ON"));
        const auto lastWiring = std::find_if(h->commands.rbegin(), h->commands.rend(),
                                             [](const std::string& line) { return line.starts_with(":WIRI "); });
        QCOMPARE(QString::fromStdString(*lastWiring), QString(":WIRI 3P3W2I"));
        QVERIFY(h->ctx.CurrentSetting == before);
        QCOMPARE(shownWiring(), QString("1P2W"));
    }

    // The reset asks first, then shows the factory setting before saying it is done.
    void resetShowsTheFactorySetting() {
        h->open();
        the<QComboBox>("cmbWiring")->setCurrentIndex(0);
        h->messages.answers = {false};
        h->click(frmSetting::SystemReset);
        QCOMPARE(h->messages.questions.size(), std::size_t{1});
        QCOMPARE(h->messages.questions[0].text, std::string("Reset is performed. Proceed?"));
        QVERIFY(h->commands.empty());
        QCOMPARE(shownWiring(), QString("1P2W"));

        h->click(frmSetting::SystemReset);
        QVERIFY(h->meterReceived(":RESE"));
        QCOMPARE(h->messages.texts(), Texts{"Reset was performed."});
        QCOMPARE(h->messages.boxes[0].title, std::string("Voltaro"));
        QCOMPARE(shownWiring(), QString("3P3W2I"));
        QCOMPARE(the<QLineEdit>("txtFilename")->text(), QString("DATA0001"));
        QCOMPARE(h->ctx.OperationMode, operation_mode::Idle);
    }

    // Com.setup opens the communication setup dialog over the window.
    void comSetupOpensTheSetupDialog() {
        h->open();
        QString shown;
        QTimer::singleShot(0, [&shown] {
            QWidget* dialog = QApplication::activeModalWidget();
            shown = dialog->objectName();
            dialog->close();
        });
        h->click(frmSetting::ComSetup);
        QCOMPARE(shown, QString("frmComSetting"));
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmSettingExchangeTest)
#include "frmSettingExchangeTest.moc"
