#include "settings/ui/SettingHandlers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTimeEdit>
#include <initializer_list>

#include "app/ErrorReporting.h"
#include "app/NumberText.h"
#include "settings/CodeTables.h"
#include "settings/FieldRules.h"
#include "settings/RatedPower.h"
#include "settings/SettingConversions.h"
#include "settings/WiringIndexes.h"
#include "settings/ui/ControlValue.h"

namespace voltaro {

namespace {

constexpr int kFirstLoadLabel = 2111;
constexpr int kFirstSourceLabel = 2210;
constexpr int kARangeLabelBase = 2125;  // + the absolute A range index (1 is 200mA)
constexpr int kFirstCopyLabel = 2337;

constexpr int kStartAtTime = 1;
constexpr int kStopAtTime = 1;
constexpr int kStopByTimer = 2;
constexpr int kPhaseFromU1 = 1;
constexpr int kConnectPc = 0;
constexpr int kConnectPrinter = 1;
constexpr int kCopyToPrinter = 2;

using Int16 = std::int16_t;
using Check = std::int16_t (*)(AppContext&, int);

// A list whose position goes into one record field as it is (plus an offset for the
// lists of numbers that start at 1), after its item check where it has one.
struct StoredList {
    QComboBox* SettingControls::*list;
    Int16 SettingRecord::*field;
    int offset;
    Check check;
};

constexpr StoredList kStoredLists[] = {
    {&SettingControls::cmb1PConnect, &SettingRecord::Connect1P, 0, Check1PConnect},
    {&SettingControls::cmbVarMethod, &SettingRecord::VarMethod, 0, nullptr},
    {&SettingControls::cmbSampling, &SettingRecord::Sampling, 0, nullptr},
    {&SettingControls::cmbFixClock, &SettingRecord::FixClock, 0, nullptr},
    {&SettingControls::cmbFilter, &SettingRecord::Filter, 0, nullptr},
    {&SettingControls::cmbAverage, &SettingRecord::Average, 0, nullptr},
    {&SettingControls::cmbTotalWhUnit, &SettingRecord::TotalWhUnit, 0, nullptr},
    {&SettingControls::cmbIntervalWhUnit, &SettingRecord::IntervalWhUnit, 0, nullptr},
    {&SettingControls::cmbThd, &SettingRecord::Thd, 0, nullptr},
    {&SettingControls::cmbGraphOrder, &SettingRecord::GraphOrder, 0, CheckGraphOrder},
    {&SettingControls::cmbDOut, &SettingRecord::DOut, 0, nullptr},
    {&SettingControls::cmbBaud, &SettingRecord::Rs232Baud, 0, CheckBaudRate},
    {&SettingControls::cmbDataLen, &SettingRecord::Rs232DataLen, 0, CheckDataLength},
    {&SettingControls::cmbStopBit, &SettingRecord::Rs232StopBit, 0, CheckStopBit},
    {&SettingControls::cmbFlow, &SettingRecord::Rs232Flow, 0, CheckFlowControl},
    {&SettingControls::cmbStdVolt, &SettingRecord::StdVolt, 0, nullptr},
    {&SettingControls::cmbLanguage, &SettingRecord::Language, 0, nullptr},
    {&SettingControls::cmbBeep, &SettingRecord::Beep, 0, nullptr},
    {&SettingControls::cmbBackLight, &SettingRecord::BackLight, 0, nullptr},
    {&SettingControls::cmbContrast, &SettingRecord::Contrast, 1, nullptr},
};

// A save check box and the record field it sets.
struct StoredCheck {
    QCheckBox* SettingControls::*check;
    Int16 SettingRecord::*field;
};

constexpr StoredCheck kSaveChecks[] = {
    {&SettingControls::chkSaveWh, &SettingRecord::SaveWh},
    {&SettingControls::chkSaveWave, &SettingRecord::SaveWave},
    {&SettingControls::chkSaveNormal, &SettingRecord::SaveNormal},
    {&SettingControls::chkSaveHrm, &SettingRecord::SaveHrm},
    {&SettingControls::chkSaveInstant, &SettingRecord::SaveInstant},
    {&SettingControls::chkSaveAve, &SettingRecord::SaveAve},
    {&SettingControls::chkSaveMax, &SettingRecord::SaveMax},
    {&SettingControls::chkSaveMin, &SettingRecord::SaveMin},
};

void enable(std::initializer_list<QWidget*> widgets, bool on) {
    for (QWidget* widget : widgets) widget->setEnabled(on);
}

void show(std::initializer_list<QWidget*> widgets, bool on) {
    for (QWidget* widget : widgets) widget->setVisible(on);
}

// The value a ratio box holds, or `fallback` while it holds no number.
float ratioShown(const QLineEdit* box, float fallback) {
    return ParsePlainSingle(box->text().toStdString()).value_or(fallback);
}

}  // namespace

SettingHandlers::SettingHandlers(AppContext& ctx, const SettingControls& controls, QObject* parent)
    : QObject(parent), ctx_(ctx), c_(controls) {
    connectHandlers();
    connectStoredLists();
    connectSaveChecks();
}

QString SettingHandlers::text(int id) const { return QString::fromStdString(ctx_.catalogue.text(id)); }

void SettingHandlers::connectHandlers() {
    const auto onChoice = [this](QComboBox* list, void (SettingHandlers::*handler)(int)) {
        connect(list, &QComboBox::currentIndexChanged, this, handler);
    };
    onChoice(c_.cmbWiring, &SettingHandlers::wiringChosen);
    onChoice(c_.cmbLoad, &SettingHandlers::loadChosen);
    onChoice(c_.cmbURange, &SettingHandlers::uRangeChosen);
    onChoice(c_.cmbFrequency, &SettingHandlers::frequencyChosen);
    onChoice(c_.cmbHrmPA, &SettingHandlers::phaseReferenceChosen);
    onChoice(c_.cmbStartMethod, &SettingHandlers::startMethodChosen);
    onChoice(c_.cmbEndMethod, &SettingHandlers::stopMethodChosen);
    onChoice(c_.cmbInterval, &SettingHandlers::intervalChosen);
    onChoice(c_.cmbConnect, &SettingHandlers::connectionChosen);
    onChoice(c_.cmbCopy, &SettingHandlers::hardCopyChosen);
    onChoice(c_.cmbDetect, &SettingHandlers::voltageQualityChosen);
    for (int i = 0; i < SettingControls::kCurrentChannels; ++i) {
        connect(c_.cmbClampType[i], &QComboBox::currentIndexChanged, this,
                [this, i](int position) { clampChosen(i, position); });
        connect(c_.cmbARange[i], &QComboBox::currentIndexChanged, this,
                [this, i](int position) { aRangeChosen(i, position); });
    }
    connect(c_.cmbTotalWh, &QComboBox::currentIndexChanged, this, [this](int position) {
        energyDigitsChosen(c_.cmbTotalWh, position);
        if (idle()) ctx_.CurrentSetting.TotalWhDigit = static_cast<Int16>(position);
    });
    connect(c_.cmbIntervalWh, &QComboBox::currentIndexChanged, this, [this](int position) {
        energyDigitsChosen(c_.cmbIntervalWh, position);
        if (idle()) ctx_.CurrentSetting.IntervalWhDigit = static_cast<Int16>(position);
    });
    connect(c_.cmbParity, &QComboBox::currentIndexChanged, this, [this](int position) {
        if (CheckParity(ctx_, position) == 0 && idle())
            ctx_.CurrentSetting.Rs232Parity = ParityFromListPosition(position);
    });
    connect(c_.chkPCTime, &QCheckBox::toggled, this, &SettingHandlers::pcClockTicked);
    connect(c_.dtpSysDate, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (idle())
            ctx_.CurrentSetting.SysDate = {static_cast<Int16>(date.year()), static_cast<Int16>(date.month()),
                                           static_cast<Int16>(date.day())};
    });
    connect(c_.dtpSysTime, &QTimeEdit::timeChanged, this, [this](QTime time) {
        if (idle())
            ctx_.CurrentSetting.SysTime = {static_cast<Int16>(time.hour()), static_cast<Int16>(time.minute()),
                                           static_cast<Int16>(time.second())};
    });
}

void SettingHandlers::connectStoredLists() {
    for (const StoredList& stored : kStoredLists) {
        connect(c_.*stored.list, &QComboBox::currentIndexChanged, this, [this, stored](int position) {
            if (stored.check != nullptr && stored.check(ctx_, position) != 0) return;
            if (idle()) ctx_.CurrentSetting.*stored.field = static_cast<Int16>(position + stored.offset);
        });
    }
}

void SettingHandlers::connectSaveChecks() {
    for (const StoredCheck& stored : kSaveChecks) {
        connect(c_.*stored.check, &QCheckBox::toggled, this, [this, stored](bool ticked) {
            if (idle()) ctx_.CurrentSetting.*stored.field = ticked ? 1 : 0;
        });
    }
    connect(c_.chkSaveNormal, &QCheckBox::toggled, this, &SettingHandlers::showNormalSaveLabels);
}

float SettingHandlers::vtShown() const { return ratioShown(c_.txtVt, ctx_.CurrentSetting.Vt); }

float SettingHandlers::ctShown(int channel) const {
    return ratioShown(c_.txtCt[channel], ctx_.CurrentSetting.Ct[static_cast<std::size_t>(channel)]);
}

bool SettingHandlers::RatedPowerAccepts(int channel, float vt, float ct) const {
    if (!idle() || !c_.cmbARange[channel]->isEnabled()) return true;
    return RatedPowerWithinLimit(static_cast<Int16>(c_.cmbWiring->currentIndex()),
                                 c_.cmbURange->currentText().toStdString(),
                                 c_.cmbARange[channel]->currentText().toStdString(), vt, ct);
}

std::int16_t SettingHandlers::checkRatedPower(int channel) const {
    if (!c_.cmbARange[channel]->isEnabled()) return 0;
    return CheckRatedPower(ctx_, static_cast<Int16>(c_.cmbWiring->currentIndex()),
                           c_.cmbURange->currentText().toStdString(),
                           c_.cmbARange[channel]->currentText().toStdString(), vtShown(), ctShown(channel));
}

void SettingHandlers::refuseRatedPower() { ShowStopText(ctx_, ctx_.catalogue.codeText(kRatedPowerTooHigh)); }

bool SettingHandlers::ratedPowerHolds() {
    for (int channel = 0; channel < SettingControls::kCurrentChannels; ++channel) {
        if (checkRatedPower(channel) != 0) {
            refuseRatedPower();
            return false;
        }
    }
    return true;
}

void SettingHandlers::wiringChosen(int position) {
    enable({c_.lblLoad, c_.cmbLoad, c_.lbl1PConnect, c_.cmb1PConnect}, false);
    if (CheckWiring(ctx_, position) != 0) return;
    const Int16 wiring = static_cast<Int16>(position);
    if (!ratedPowerHolds()) {
        // Back to the wiring that held; a stored wiring that fails too stays chosen.
        if (ctx_.CurrentSetting.Wiring != wiring) SelectListPosition(c_.cmbWiring, ctx_.CurrentSetting.Wiring);
        return;
    }
    if (idle()) ctx_.CurrentSetting.Wiring = wiring;

    QStringList loads;
    for (int load = 0; load < LoadCount(wiring); ++load) loads << text(kFirstLoadLabel + load);
    RefillList(c_.cmbLoad, loads);
    enable({c_.lblLoad, c_.cmbLoad}, loads.size() > 1);
    SelectListPosition(c_.cmbLoad, 0);
    enable({c_.lbl1PConnect, c_.cmb1PConnect}, wiring == wiring::k3P3W1P3W);

    QStringList sources;
    for (const Int16 source : FrequencySources(wiring)) sources << text(kFirstSourceLabel + source);
    RefillList(c_.cmbFrequency, sources);
    SelectListPosition(c_.cmbFrequency, 0);
    emit wiringOrLoadChanged();
}

void SettingHandlers::loadChosen(int position) {
    const auto wiring = static_cast<Int16>(c_.cmbWiring->currentIndex());
    for (int i = 0; i < SettingControls::kCurrentChannels; ++i)
        enable({c_.lblSetLoad[i], c_.cmbARange[i], c_.txtCt[i], c_.cmbClampType[i]},
               IsCurrentChannelUsed(wiring, static_cast<Int16>(position + 1), i));
    if (idle() && position >= 0) ctx_.CurrentSetting.Load = static_cast<Int16>(position + 1);
    emit wiringOrLoadChanged();
}

void SettingHandlers::clampChosen(int channel, int position) {
    const auto clamp = static_cast<Int16>(position);
    QStringList ranges;
    for (const Int16 range : ARangeListIndexes(clamp)) ranges << text(kARangeLabelBase + range);
    RefillList(c_.cmbARange[channel], ranges);
    SelectListPosition(c_.cmbARange[channel], ARangeListPosition(clamp, keptARange_[channel]));
    if (idle()) ctx_.CurrentSetting.Clamp[static_cast<std::size_t>(channel)] = clamp;
}

void SettingHandlers::aRangeChosen(int channel, int position) {
    if (CheckARange(ctx_, position) != 0) return;
    const auto clamp = static_cast<Int16>(c_.cmbClampType[channel]->currentIndex());
    keptARange_[channel] = ARangeFromListPosition(clamp, position);
    const Int16 stored = ctx_.CurrentSetting.ARange[static_cast<std::size_t>(channel)];
    if (checkRatedPower(channel) != 0) {
        refuseRatedPower();
        const int storedPosition = ARangeListPosition(clamp, stored);
        if (storedPosition != position) SelectListPosition(c_.cmbARange[channel], storedPosition);
        return;
    }
    if (idle()) ctx_.CurrentSetting.ARange[static_cast<std::size_t>(channel)] = keptARange_[channel];
}

void SettingHandlers::uRangeChosen(int position) {
    if (!ratedPowerHolds()) {
        if (ctx_.CurrentSetting.URange != position) SelectListPosition(c_.cmbURange, ctx_.CurrentSetting.URange);
        return;
    }
    // Stored at once, so that a later refusal goes back to the range last accepted.
    if (idle() && position >= 0) ctx_.CurrentSetting.URange = static_cast<Int16>(position);
}

bool SettingHandlers::phaseRuleApplies() const {
    return ctx_.OperationMode != operation_mode::OpeningSettingFile &&
           ctx_.OperationMode != operation_mode::ReceivingSetting;
}

void SettingHandlers::frequencyChosen(int position) {
    // Phase angles measured from U1 need U1 as the frequency source.
    if (phaseRuleApplies() && c_.cmbHrmPA->currentIndex() == kPhaseFromU1 && position > 0) {
        SelectListPosition(c_.cmbFrequency, 0);
        return;
    }
    if (idle() && position >= 0)
        ctx_.CurrentSetting.Source = SourceFromListPosition(static_cast<Int16>(c_.cmbWiring->currentIndex()), position);
}

void SettingHandlers::phaseReferenceChosen(int position) {
    if (phaseRuleApplies() && position == kPhaseFromU1 && c_.cmbFrequency->currentIndex() > 0)
        SelectListPosition(c_.cmbFrequency, 0);
    if (idle() && position >= 0) ctx_.CurrentSetting.HrmPA = static_cast<Int16>(position);
}

void SettingHandlers::startMethodChosen(int position) {
    enable({c_.lblStartDate, c_.dtpStartDate, c_.dtpStartTime}, position == kStartAtTime);
    if (idle() && position >= 0) ctx_.CurrentSetting.StartMethod = static_cast<Int16>(position);
}

void SettingHandlers::stopMethodChosen(int position) {
    enable({c_.lblEndDate, c_.dtpEndDate, c_.dtpEndTime}, position == kStopAtTime);
    enable({c_.lblEndTimer, c_.lblHour, c_.lblMin, c_.lblSec, c_.txtHour, c_.txtMin, c_.txtSec},
           position == kStopByTimer);
    if (idle() && position >= 0) ctx_.CurrentSetting.StopMethod = StopMethodFromListPosition(position);
}

void SettingHandlers::energyDigitsChosen(QComboBox* digits, int position) {
    const bool unit = EnergyUnitApplies(static_cast<Int16>(position));
    if (digits == c_.cmbTotalWh)
        enable({c_.lblTotalWhUnit, c_.cmbTotalWhUnit}, unit);
    else
        enable({c_.lblIntervalWhUnit, c_.cmbIntervalWhUnit}, unit);
}

void SettingHandlers::intervalChosen(int position) {
    if (CheckInterval(ctx_, position) != 0) return;
    const auto interval = static_cast<Int16>(position);
    // No time for a printer on the line: in every mode, so that no setting keeps one.
    if (!IntervalAllowsPrinter(interval) && c_.cmbConnect->currentIndex() == kConnectPrinter) {
        SelectListPosition(c_.cmbConnect, kConnectPc);
        ctx_.CurrentSetting.Rs232Connect = kConnectPc;
    }
    const AutoSaveLabels labels = AutoSaveLabelsFor(interval);
    c_.lblWhAuto->setVisible(labels.energy);
    c_.lblWaveAuto->setVisible(labels.waveform);
    c_.lblHrmAuto->setVisible(labels.harmonics);
    c_.lblConnectAuto->setVisible(labels.connection);
    if (idle()) {
        if (const auto warnings = IntervalWarnings(interval))
            ShowSettingWarnings(ctx_, warnings->interval, warnings->saving, warnings->integration);
    }
    showNormalSaveLabels();
    if (idle()) ctx_.CurrentSetting.Interval = interval;
}

void SettingHandlers::showNormalSaveLabels() {
    if (c_.chkSaveNormal->isEnabled() && !c_.chkSaveNormal->isChecked()) {
        show({c_.lblInstAuto, c_.lblAveAuto, c_.lblMaxAuto, c_.lblMinAuto}, false);
        return;
    }
    c_.lblInstAuto->setVisible(true);
    const bool statistics = AutoSaveLabelsFor(static_cast<Int16>(c_.cmbInterval->currentIndex())).statistics;
    show({c_.lblAveAuto, c_.lblMaxAuto, c_.lblMinAuto}, statistics);
}

void SettingHandlers::connectionChosen(int position) {
    if (CheckRs232Connect(ctx_, position) != 0) return;
    const auto connection = static_cast<Int16>(position);
    QStringList media;
    for (int medium = 0; medium < CopyMediaCount(connection); ++medium) media << text(kFirstCopyLabel + medium);
    RefillList(c_.cmbCopy, media);
    // Without a printer a printed copy becomes one on the card.
    const Int16 stored = ctx_.CurrentSetting.Copy;
    const Int16 shown = stored < media.size() ? stored : Int16{0};
    if (idle()) ctx_.CurrentSetting.Copy = shown;
    SelectListPosition(c_.cmbCopy, shown);
    if (idle()) ctx_.CurrentSetting.Rs232Connect = connection;
}

void SettingHandlers::hardCopyChosen(int position) {
    if (CheckHardCopy(ctx_, position) != 0) return;
    if (idle() && position == kCopyToPrinter && c_.cmbConnect->currentIndex() == kConnectPc)
        SelectListPosition(c_.cmbConnect, kConnectPrinter);
    if (idle()) ctx_.CurrentSetting.Copy = static_cast<Int16>(position);
}

void SettingHandlers::voltageQualityChosen(int position) {
    const bool on = position == 1;
    enable({c_.lblStdVolt, c_.cmbStdVolt, c_.lblDetectValue, c_.lblSwell, c_.txtSwell, c_.lblDip, c_.txtDip,
            c_.lblInterruption, c_.txtInterruption, c_.lblHysteresis, c_.txtHysteresis},
           on);
    for (QLabel* percent : c_.lblPercent) percent->setEnabled(on);
    if (idle() && position >= 0) ctx_.CurrentSetting.Detect = static_cast<Int16>(position);
}

void SettingHandlers::pcClockTicked(bool ticked) { enable({c_.lblSysDate, c_.dtpSysDate, c_.dtpSysTime}, !ticked); }

}  // namespace voltaro
