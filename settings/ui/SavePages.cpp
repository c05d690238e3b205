// The pages "Save 1/2" (when and how often the meter records), "Save 2/2" (what it
// records) and "Harmonic" (which harmonics it records).
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "app/ui/NamedControl.h"
#include "settings/CodeTables.h"
#include "settings/ui/SettingPageBuilder.h"
#include "settings/ui/SettingPages.h"

namespace voltaro {

namespace {

constexpr int kMethodListLength = 3;
constexpr int kOrderColumns = 10;
// Measurements start and stop on a minute.
constexpr const char* kToTheMinute = "HH:mm";

}  // namespace

void BuildSavePage1(SettingControls& c, const Catalogue& catalogue, QWidget* page) {
    SettingPageBuilder b(catalogue, page);
    c.cmbStartMethod = b.list("cmbStartMethod", 2302, kMethodListLength);
    b.row(b.label("lblStartMethod", 2301), {c.cmbStartMethod});
    c.lblStartDate = b.label("lblStartDate", 2305);
    c.dtpStartDate = b.date("dtpStartDate");
    c.dtpStartTime = b.time("dtpStartTime", kToTheMinute);
    b.inlineRow(c.lblStartDate, {c.dtpStartDate, c.dtpStartTime});
    c.cmbEndMethod = b.list("cmbEndMethod", 2307, kMethodListLength);
    b.row(b.label("lblEndMethod", 2306), {c.cmbEndMethod});
    c.lblEndDate = b.label("lblEndDate", 2310);
    c.dtpEndDate = b.date("dtpEndDate");
    c.dtpEndTime = b.time("dtpEndTime", kToTheMinute);
    b.inlineRow(c.lblEndDate, {c.dtpEndDate, c.dtpEndTime});

    // Hours, minutes and seconds side by side, each box followed by its unit.
    c.lblEndTimer = b.label("lblEndTimer", 2311);
    c.txtHour = b.shortBox("txtHour");
    c.lblHour = b.label("lblHour", 2312);
    c.txtMin = b.shortBox("txtMin");
    c.lblMin = b.label("lblMin", 2313);
    c.txtSec = b.shortBox("txtSec");
    c.lblSec = b.label("lblSec", 2314);
    b.inlineRow(c.lblEndTimer, {c.txtHour, c.lblHour, c.txtMin, c.lblMin, c.txtSec, c.lblSec});

    c.cmbInterval = b.list("cmbInterval", 2316, kIntervalCount);
    b.row(b.label("lblInterval", 2315), {c.cmbInterval});
    c.cmbDOut = b.list("cmbDOut", 2334, kMediaCount);
    b.row(b.label("lblDOut", 2333), {c.cmbDOut});
    c.cmbCopy = b.emptyList("cmbCopy");
    b.row(b.label("lblCopy", 2336), {c.cmbCopy});
    c.txtFilename = b.box("txtFilename", 8);
    c.txtFilename->setMaximumWidth(c.txtFilename->fontMetrics().horizontalAdvance(QString(16, 'W')));
    b.row(b.label("lblFilename", 2340), {c.txtFilename});
    b.finish();
}

void BuildSavePage2(SettingControls& c, const Catalogue& catalogue, QWidget* page) {
    SettingPageBuilder b(catalogue, page);
    b.wideRow(b.label("lblSavePrintItem", 2411));
    struct SavedItem {
        QCheckBox*& check;
        const char* checkName;
        int caption;
        QLabel*& autoLabel;
        const char* autoName;
        const char* manualName;
    };
    const SavedItem items[] = {
        {c.chkSaveWh, "chkSaveWh", 2401, c.lblWhAuto, "lblWhAuto", "lblWhManu"},
        {c.chkSaveWave, "chkSaveWave", 2402, c.lblWaveAuto, "lblWaveAuto", "lblWaveManu"},
        {c.chkSaveNormal, "chkSaveNormal", 2403, c.lblNormAuto, "lblNormAuto", "lblNormManu"},
        {c.chkSaveHrm, "chkSaveHrm", 2404, c.lblHrmAuto, "lblHrmAuto", "lblHrmManu"},
        {c.chkSaveInstant, "chkSaveInstant", 2405, c.lblInstAuto, "lblInstAuto", "lblInstManu"},
        {c.chkSaveAve, "chkSaveAve", 2406, c.lblAveAuto, "lblAveAuto", "lblAveManu"},
        {c.chkSaveMax, "chkSaveMax", 2407, c.lblMaxAuto, "lblMaxAuto", "lblMaxManu"},
        {c.chkSaveMin, "chkSaveMin", 2408, c.lblMinAuto, "lblMinAuto", "lblMinManu"},
    };
    for (const SavedItem& item : items) {
        item.check = b.check(item.checkName, item.caption);
        item.autoLabel = b.label(item.autoName, 2409);
        const int row = b.takeRows(1);
        b.grid().addWidget(item.check, row, 0);
        b.grid().addWidget(item.autoLabel, row, 1);
        b.grid().addWidget(b.label(item.manualName, 2410), row, 2);
    }
    b.finish();
}

void BuildHarmonicPage(SettingControls& c, const Catalogue& catalogue, QWidget* page) {
    SettingPageBuilder b(catalogue, page);
    QLabel* title = b.label("lblSaveTitle", 2501);
    b.wideRow(title);

    c.fraLoad = b.frame("fraLoad", 2524);
    auto* loads = new QVBoxLayout(c.fraLoad);
    for (int i = 0; i < 4; ++i) {
        c.chkSaveHrmLoad[i] = b.check("chkSaveHrmLoad", i, b.text(2502 + i), c.fraLoad);
        loads->addWidget(c.chkSaveHrmLoad[i]);
    }
    c.fraCH3P = b.frame("fraCH3P", 2525);
    auto* channels = new QGridLayout(c.fraCH3P);
    for (int i = 0; i < 8; ++i) {
        c.chkSaveHrmCh[i] = b.check("chkSaveHrmCh", i, b.text(2506 + i), c.fraCH3P);
        channels->addWidget(c.chkSaveHrmCh[i], i % 4, i / 4);
    }
    c.fraCH1P = b.frame("fraCH1P", 2527);
    auto* singlePhase = new QVBoxLayout(c.fraCH1P);
    constexpr int kScottCaptions[] = {2506, 2507, 2509, 2510, 2513};
    for (int i = 0; i < 5; ++i) {
        c.chkSaveHrmScott[i] = b.check("chkSaveHrmScott", i, b.text(kScottCaptions[i]), c.fraCH1P);
        singlePhase->addWidget(c.chkSaveHrmScott[i]);
    }
    c.fraItem = b.frame("fraItem", 2528);
    auto* items = new QVBoxLayout(c.fraItem);
    for (int i = 0; i < 5; ++i) {
        c.chkSaveHrmItem[i] = b.check("chkSaveHrmItem", i, b.text(2514 + i), c.fraItem);
        items->addWidget(c.chkSaveHrmItem[i]);
    }
    title->setBuddy(c.chkSaveHrmLoad[0]);
    auto* frames = named(new QWidget(page), "fraSaveHarmonic");
    auto* frameRow = new QHBoxLayout(frames);
    frameRow->setContentsMargins(0, 0, 0, 0);
    for (QGroupBox* frame : {c.fraLoad, c.fraCH3P, c.fraCH1P, c.fraItem}) frameRow->addWidget(frame, 0, Qt::AlignTop);
    frameRow->addStretch();
    b.wideRow(frames);

    c.cmbSaveHrmOrdSel = b.list("cmbSaveHrmOrdSel", 2520, kOrderSelCount);
    b.row(b.label("lblSaveHrmOrdSel", 2519), {c.cmbSaveHrmOrdSel});
    auto* orders = named(new QWidget(page), "fraSaveHrmOrder");
    auto* orderGrid = new QGridLayout(orders);
    orderGrid->setContentsMargins(0, 0, 0, 0);
    for (int k = 0; k < SettingControls::kHarmonicOrders; ++k) {
        c.chkSaveHrmOrder[k] = b.check("chkSaveHrmOrder", k, QString::number(k + 1), orders);
        orderGrid->addWidget(c.chkSaveHrmOrder[k], k / kOrderColumns, k % kOrderColumns);
    }
    b.wideRow(orders);
    b.finish();
}

}  // namespace voltaro
