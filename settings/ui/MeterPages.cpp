// The pages "Communication" (the meter's own serial port), "Voltage quality",
// "Hardware" (the meter's panel, ID and clock) and "Analog I/O".
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimeEdit>

#include "app/ui/NamedControl.h"
#include "settings/CodeTables.h"
#include "settings/ui/SettingPageBuilder.h"
#include "settings/ui/SettingPages.h"

namespace voltaro {

namespace {

constexpr int kDaKindCount = 7;
constexpr int kDaOrderCount = 50;

}  // namespace

void BuildCommunicationPage(SettingControls& c, const Catalogue& catalogue, QWidget* page) {
    SettingPageBuilder b(catalogue, page);
    c.cmbConnect = b.list("cmbConnect", 2602, 2);
    c.lblConnectAuto = b.label("lblConnectAuto", 2409);
    b.row(b.label("lblConnect", 2601), {c.cmbConnect, c.lblConnectAuto, b.label("lblConnectManu", 2410)});
    c.cmbBaud = b.list("cmbBaud", 2605, 6);
    b.row(b.label("lblBaud", 2604), {c.cmbBaud});
    c.cmbDataLen = b.list("cmbDataLen", 2612, 2);
    b.row(b.label("lblDataLen", 2611), {c.cmbDataLen});
    c.cmbParity = b.list("cmbParity", 2615, 3);
    b.row(b.label("lblParity", 2614), {c.cmbParity});
    c.cmbStopBit = b.list("cmbStopBit", 2619, 2);
    b.row(b.label("lblStopBit", 2618), {c.cmbStopBit});
    c.cmbFlow = b.list("cmbFlow", 2622, 4);
    b.row(b.label("lblFlow", 2621), {c.cmbFlow});
    // Two sentences, each on a line of its own.
    c.lblCaution = named(new QLabel(b.text(2626) + '\n' + b.text(2628), page), "lblCaution");
    b.wideRow(c.lblCaution);
    b.finish();
}

void BuildVoltageQualityPage(SettingControls& c, const Catalogue& catalogue, QWidget* page) {
    SettingPageBuilder b(catalogue, page);
    c.cmbDetect = b.list("cmbDetect", 2702, 2);
    b.row(b.label("lblDetect", 2701), {c.cmbDetect});
    c.lblStdVolt = b.label("lblStdVolt", 2704);
    c.cmbStdVolt = b.list("cmbStdVolt", 2705, kStdVoltCount);
    b.row(c.lblStdVolt, {c.cmbStdVolt});
    c.lblDetectValue = b.label("lblDetectValue", 2722);
    b.wideRow(c.lblDetectValue);
    struct Threshold {
        QLabel*& caption;
        const char* captionName;
        int captionId;
        QLineEdit*& box;
        const char* boxName;
    };
    const Threshold thresholds[] = {
        {c.lblSwell, "lblSwell", 2723, c.txtSwell, "txtSwell"},
        {c.lblDip, "lblDip", 2724, c.txtDip, "txtDip"},
        {c.lblInterruption, "lblInterruption", 2725, c.txtInterruption, "txtInterruption"},
        {c.lblHysteresis, "lblHysteresis", 2726, c.txtHysteresis, "txtHysteresis"},
    };
    for (int i = 0; i < 4; ++i) {
        const Threshold& t = thresholds[i];
        t.caption = b.label(t.captionName, t.captionId);
        t.box = b.shortBox(t.boxName);
        c.lblPercent[i] = b.label("lblPercent", i, 2727);
        b.row(t.caption, {t.box, c.lblPercent[i]});
    }
    b.finish();
}

void BuildHardwarePage(SettingControls& c, const Catalogue& catalogue, QWidget* page) {
    SettingPageBuilder b(catalogue, page);
    c.cmbLanguage = b.list("cmbLanguage", 2802, kLanguageCount);
    b.row(b.label("lblLanguage", 2801), {c.cmbLanguage});
    c.cmbBeep = b.list("cmbBeep", 2809, 2);
    b.row(b.label("lblBeep", 2808), {c.cmbBeep});
    c.cmbBackLight = b.list("cmbBackLight", 2812, 2);
    b.row(b.label("lblBackLight", 2811), {c.cmbBackLight});
    c.cmbContrast = b.list("cmbContrast", 2815, 8);
    b.row(b.label("lblContrast", 2814), {c.cmbContrast});
    c.txtID = b.shortBox("txtID");
    c.txtID->setMaxLength(3);
    b.row(b.label("lblID", 2823), {c.txtID});
    c.lblSysDate = b.label("lblSysDate", 2824);
    c.dtpSysDate = b.date("dtpSysDate");
    c.dtpSysTime = b.time("dtpSysTime", "HH:mm:ss");
    b.inlineRow(c.lblSysDate, {c.dtpSysDate, c.dtpSysTime});
    c.chkPCTime = b.check("chkPCTime", 2825);
    b.wideRow(c.chkPCTime);
    b.finish();
}

void BuildAnalogPage(SettingControls& c, const Catalogue& catalogue, QWidget* page) {
    SettingPageBuilder b(catalogue, page);
    QLabel* outputs = b.label("lblDaOutputItem", 2901);
    b.wideRow(outputs);
    QGridLayout& grid = b.grid();
    const int header = b.takeRows(1);
    const char* const headings[] = {"lblDaItem", "lblDaElem", "lblDaOrd", "lblDaMag", "lblDaRate"};
    constexpr int kHeadingIds[] = {2906, 2914, 2915, 2916, 2920};
    for (int column = 0; column < 5; ++column)
        grid.addWidget(b.label(headings[column], kHeadingIds[column]), header, column + 1);
    for (int i = 0; i < SettingControls::kAnalogOutputs; ++i) {
        c.cmbDaItem[i] = b.list("cmbDaItem", i, 2907, kDaKindCount);
        c.cmbDaElem[i] = b.emptyList("cmbDaElem", i);
        c.cmbDaOrd[i] = b.emptyList("cmbDaOrd", i);
        for (int order = 1; order <= kDaOrderCount; ++order) c.cmbDaOrd[i]->addItem(QString::number(order));
        c.cmbDaMag[i] = b.list("cmbDaMag", i, 2917, kDaMagCount);
        c.cmbDaRate[i] = b.list("cmbDaRate", i, 2921, kDaRateCount);
        b.row(b.label("lblCh", i, 2902 + i),
              {c.cmbDaItem[i], c.cmbDaElem[i], c.cmbDaOrd[i], c.cmbDaMag[i], c.cmbDaRate[i]});
    }
    outputs->setBuddy(c.cmbDaItem[0]);
    QLabel* inputs = b.label("lblInputRange", 2935);
    b.wideRow(inputs);
    for (int i = 0; i < SettingControls::kAnalogInputs; ++i) {
        c.cmbAdRange[i] = b.list("cmbAdRange", i, 2938, kAdRangeCount);
        b.row(b.label("lblInputCh", i, 2936 + i), {c.cmbAdRange[i]});
    }
    inputs->setBuddy(c.cmbAdRange[0]);
    b.finish();
}

}  // namespace voltaro
