#include "settings/ui/SettingView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTimeEdit>
#include <cstddef>

#include "app/CodePageText.h"
#include "app/NumberText.h"
#include "app/TextTools.h"
#include "settings/CodeTables.h"
#include "settings/HarmonicSaveItems.h"
#include "settings/SettingConversions.h"
#include "settings/ui/AnalogOutputHandlers.h"
#include "settings/ui/ControlValue.h"
#include "settings/ui/SettingHandlers.h"

namespace voltaro {

namespace {

using Int16 = std::int16_t;
constexpr int kIdDigits = 3;

QString wholeText(Int16 value) { return QString::number(value); }

void showDate(QDateEdit* picker, Int16 year, Int16 month, Int16 day) { picker->setDate(QDate(year, month, day)); }
void showTime(QTimeEdit* picker, Int16 hour, Int16 minute, Int16 second) {
    picker->setTime(QTime(hour, minute, second));
}

template <std::size_t N>
void showTicks(const std::array<QCheckBox*, N>& checks, const std::array<Int16, N>& values) {
    for (std::size_t i = 0; i < N; ++i) SetTicked(checks[i], values[i] != 0);
}

Int16 position(const QComboBox* list) { return static_cast<Int16>(list->currentIndex()); }
Int16 ticked(const QCheckBox* check) { return check->isChecked() ? 1 : 0; }

template <std::size_t N>
void collectTicks(const std::array<QCheckBox*, N>& checks, std::array<Int16, N>& values) {
    for (std::size_t i = 0; i < N; ++i) values[i] = ticked(checks[i]);
}

void collectRatio(const QLineEdit* box, float& field) {
    if (const auto value = ParsePlainSingle(box->text().toStdString())) field = *value;
}

void collectWhole(const QLineEdit* box, Int16& field) {
    if (const auto value = ParseWholeNumber<Int16>(box->text().toStdString())) field = *value;
}

void collectDateAndTime(const QDateEdit* date, const QTimeEdit* time, std::array<Int16, 6>& field) {
    const QDate d = date->date();
    const QTime t = time->time();
    field = {static_cast<Int16>(d.year()), static_cast<Int16>(d.month()),  static_cast<Int16>(d.day()),
             static_cast<Int16>(t.hour()), static_cast<Int16>(t.minute()), static_cast<Int16>(t.second())};
}

}  // namespace

void ShowSetting(const SettingRecord& r, const SettingControls& c, SettingHandlers& handlers,
                 const AnalogOutputHandlers& analog) {
    SelectListPosition(c.cmbWiring, r.Wiring);
    SelectListPosition(c.cmbLoad, r.Load - 1);
    SelectListPosition(c.cmb1PConnect, r.Connect1P);
    SelectListPosition(c.cmbURange, r.URange);
    c.txtVt->setText(QString::fromStdString(FormatRatio(r.Vt)));
    for (int i = 0; i < SettingControls::kCurrentChannels; ++i) {
        const auto channel = static_cast<std::size_t>(i);
        handlers.keepARange(i, r.ARange[channel]);
        SelectListPosition(c.cmbClampType[i], r.Clamp[channel]);
        c.txtCt[i]->setText(QString::fromStdString(FormatRatio(r.Ct[channel])));
        SelectListPosition(c.cmbARange[i], ARangeListPosition(r.Clamp[channel], r.ARange[channel]));
    }

    SelectListPosition(c.cmbVarMethod, r.VarMethod);
    SelectListPosition(c.cmbSampling, r.Sampling);
    SelectListPosition(c.cmbFixClock, r.FixClock);
    SelectListPosition(c.cmbFrequency, SourceListPosition(r.Wiring, r.Source));
    SelectListPosition(c.cmbFilter, r.Filter);
    SelectListPosition(c.cmbAverage, r.Average);
    SelectListPosition(c.cmbTotalWh, r.TotalWhDigit);
    SelectListPosition(c.cmbTotalWhUnit, r.TotalWhUnit);
    SelectListPosition(c.cmbIntervalWh, r.IntervalWhDigit);
    SelectListPosition(c.cmbIntervalWhUnit, r.IntervalWhUnit);
    SelectListPosition(c.cmbThd, r.Thd);
    SelectListPosition(c.cmbHrmPA, r.HrmPA);
    SelectListPosition(c.cmbGraphOrder, r.GraphOrder);

    SelectListPosition(c.cmbStartMethod, r.StartMethod);
    showDate(c.dtpStartDate, r.StartTime[0], r.StartTime[1], r.StartTime[2]);
    showTime(c.dtpStartTime, r.StartTime[3], r.StartTime[4], r.StartTime[5]);
    SelectListPosition(c.cmbEndMethod, StopMethodListPosition(r.StopMethod));
    showDate(c.dtpEndDate, r.StopTime[0], r.StopTime[1], r.StopTime[2]);
    showTime(c.dtpEndTime, r.StopTime[3], r.StopTime[4], r.StopTime[5]);
    c.txtHour->setText(wholeText(r.StopTimer[0]));
    c.txtMin->setText(wholeText(r.StopTimer[1]));
    c.txtSec->setText(wholeText(r.StopTimer[2]));
    SelectListPosition(c.cmbInterval, r.Interval);
    SelectListPosition(c.cmbDOut, r.DOut);
    std::string name;
    AppendCodePageAsUtf8(r.FileName, name);
    c.txtFilename->setText(QString::fromStdString(name));

    SetTicked(c.chkSaveWh, r.SaveWh != 0);
    SetTicked(c.chkSaveWave, r.SaveWave != 0);
    SetTicked(c.chkSaveNormal, r.SaveNormal != 0);
    SetTicked(c.chkSaveHrm, r.SaveHrm != 0);
    SetTicked(c.chkSaveInstant, r.SaveInstant != 0);
    SetTicked(c.chkSaveAve, r.SaveAve != 0);
    SetTicked(c.chkSaveMax, r.SaveMax != 0);
    SetTicked(c.chkSaveMin, r.SaveMin != 0);

    showTicks(c.chkSaveHrmCh, r.SaveHrmCh);
    showTicks(c.chkSaveHrmLoad, r.SaveHrmLoad);
    showTicks(c.chkSaveHrmItem, r.SaveHrmItem);
    // The orders first, so that a fixed selection has the last word over its boxes.
    showTicks(c.chkSaveHrmOrder, r.SaveHrmOrder);
    SelectListPosition(c.cmbSaveHrmOrdSel, r.SaveHrmOrdSel);

    SelectListPosition(c.cmbConnect, r.Rs232Connect);
    SelectListPosition(c.cmbCopy, r.Copy);
    SelectListPosition(c.cmbBaud, r.Rs232Baud);
    SelectListPosition(c.cmbDataLen, r.Rs232DataLen);
    SelectListPosition(c.cmbParity, ParityListPosition(r.Rs232Parity));
    SelectListPosition(c.cmbStopBit, r.Rs232StopBit);
    SelectListPosition(c.cmbFlow, r.Rs232Flow);

    SelectListPosition(c.cmbDetect, r.Detect);
    SelectListPosition(c.cmbStdVolt, r.StdVolt);
    c.txtSwell->setText(wholeText(r.Swell));
    c.txtDip->setText(wholeText(r.Dip));
    c.txtInterruption->setText(wholeText(r.Interruption));
    c.txtHysteresis->setText(wholeText(r.Hysteresis));

    SelectListPosition(c.cmbLanguage, r.Language);
    SelectListPosition(c.cmbBeep, r.Beep);
    SelectListPosition(c.cmbBackLight, r.BackLight);
    SelectListPosition(c.cmbContrast, r.Contrast - 1);
    c.txtID->setText(QString::fromStdString(FormatZeroPadded(r.Id, kIdDigits)));
    showDate(c.dtpSysDate, r.SysDate[0], r.SysDate[1], r.SysDate[2]);
    showTime(c.dtpSysTime, r.SysTime[0], r.SysTime[1], r.SysTime[2]);

    for (int i = 0; i < SettingControls::kAnalogInputs; ++i)
        SelectListPosition(c.cmbAdRange[i], r.AdRange[static_cast<std::size_t>(i)]);
    for (int i = 0; i < SettingControls::kAnalogOutputs; ++i) {
        const auto channel = static_cast<std::size_t>(i);
        SelectListPosition(c.cmbDaItem[i], r.DaKind[channel]);
        SelectListPosition(c.cmbDaElem[i], analog.itemPosition(i, r.DaItem[channel]));
        SelectListPosition(c.cmbDaOrd[i], r.DaOrder[channel] - 1);
        SelectListPosition(c.cmbDaMag[i], r.DaMag[channel]);
        SelectListPosition(c.cmbDaRate[i], r.DaRate[channel]);
    }
}

void CollectSetting(const SettingControls& c, const AnalogOutputHandlers& analog, SettingRecord& r) {
    r.Wiring = position(c.cmbWiring);
    r.Load = static_cast<Int16>(position(c.cmbLoad) + 1);
    r.Connect1P = position(c.cmb1PConnect);
    r.URange = position(c.cmbURange);
    collectRatio(c.txtVt, r.Vt);
    for (int i = 0; i < SettingControls::kCurrentChannels; ++i) {
        const auto channel = static_cast<std::size_t>(i);
        r.Clamp[channel] = position(c.cmbClampType[i]);
        collectRatio(c.txtCt[i], r.Ct[channel]);
        r.ARange[channel] = ARangeFromListPosition(r.Clamp[channel], position(c.cmbARange[i]));
    }

    r.VarMethod = position(c.cmbVarMethod);
    r.Sampling = position(c.cmbSampling);
    r.FixClock = position(c.cmbFixClock);
    r.Source = SourceFromListPosition(r.Wiring, position(c.cmbFrequency));
    r.Filter = position(c.cmbFilter);
    r.Average = position(c.cmbAverage);
    r.TotalWhDigit = position(c.cmbTotalWh);
    r.TotalWhUnit = position(c.cmbTotalWhUnit);
    r.IntervalWhDigit = position(c.cmbIntervalWh);
    r.IntervalWhUnit = position(c.cmbIntervalWhUnit);
    r.Thd = position(c.cmbThd);
    r.HrmPA = position(c.cmbHrmPA);
    r.GraphOrder = position(c.cmbGraphOrder);

    r.StartMethod = position(c.cmbStartMethod);
    collectDateAndTime(c.dtpStartDate, c.dtpStartTime, r.StartTime);
    r.StopMethod = StopMethodFromListPosition(position(c.cmbEndMethod));
    collectDateAndTime(c.dtpEndDate, c.dtpEndTime, r.StopTime);
    collectWhole(c.txtHour, r.StopTimer[0]);
    collectWhole(c.txtMin, r.StopTimer[1]);
    collectWhole(c.txtSec, r.StopTimer[2]);
    r.Interval = position(c.cmbInterval);
    r.DOut = position(c.cmbDOut);
    // The meter takes its file names in upper case, whatever the box shows.
    r.FileName = UpperCaseAscii(CodePageFromUtf8(c.txtFilename->text().toStdString()));

    r.SaveWh = ticked(c.chkSaveWh);
    r.SaveWave = ticked(c.chkSaveWave);
    r.SaveNormal = ticked(c.chkSaveNormal);
    r.SaveHrm = ticked(c.chkSaveHrm);
    r.SaveInstant = ticked(c.chkSaveInstant);
    r.SaveAve = ticked(c.chkSaveAve);
    r.SaveMax = ticked(c.chkSaveMax);
    r.SaveMin = ticked(c.chkSaveMin);

    collectTicks(c.chkSaveHrmCh, r.SaveHrmCh);
    collectTicks(c.chkSaveHrmLoad, r.SaveHrmLoad);
    collectTicks(c.chkSaveHrmItem, r.SaveHrmItem);
    r.SaveHrmOrdSel = position(c.cmbSaveHrmOrdSel);
    // A fixed selection keeps the user's own orders for when "Select" comes back.
    if (r.SaveHrmOrdSel == order_selection::Select) collectTicks(c.chkSaveHrmOrder, r.SaveHrmOrder);

    r.Rs232Connect = position(c.cmbConnect);
    r.Copy = position(c.cmbCopy);
    r.Rs232Baud = position(c.cmbBaud);
    r.Rs232DataLen = position(c.cmbDataLen);
    r.Rs232Parity = ParityFromListPosition(position(c.cmbParity));
    r.Rs232StopBit = position(c.cmbStopBit);
    r.Rs232Flow = position(c.cmbFlow);

    r.Detect = position(c.cmbDetect);
    r.StdVolt = position(c.cmbStdVolt);
    collectWhole(c.txtSwell, r.Swell);
    collectWhole(c.txtDip, r.Dip);
    collectWhole(c.txtInterruption, r.Interruption);
    collectWhole(c.txtHysteresis, r.Hysteresis);

    r.Language = position(c.cmbLanguage);
    r.Beep = position(c.cmbBeep);
    r.BackLight = position(c.cmbBackLight);
    r.Contrast = static_cast<Int16>(position(c.cmbContrast) + 1);
    collectWhole(c.txtID, r.Id);

    for (int i = 0; i < SettingControls::kAnalogInputs; ++i)
        r.AdRange[static_cast<std::size_t>(i)] = position(c.cmbAdRange[i]);
    for (int i = 0; i < SettingControls::kAnalogOutputs; ++i) {
        const auto channel = static_cast<std::size_t>(i);
        r.DaKind[channel] = position(c.cmbDaItem[i]);
        r.DaItem[channel] = analog.itemAt(i, position(c.cmbDaElem[i]));
        r.DaOrder[channel] = static_cast<Int16>(position(c.cmbDaOrd[i]) + 1);
        r.DaMag[channel] = position(c.cmbDaMag[i]);
        r.DaRate[channel] = position(c.cmbDaRate[i]);
    }
}

}  // namespace voltaro
