#include "settings/ui/frmSetting.h"

#include <QCheckBox>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <memory>
#include <optional>

#include "app/AppPath.h"
#include "app/ManualSections.h"
#include "app/ErrorReporting.h"
#include "app/ParameterFile.h"
#include "app/ui/BackgroundRun.h"
#include "app/ui/IndexedToolBar.h"
#include "app/ui/NamedControl.h"
#include "app/ui/frmComProgress.h"
#include "link/ui/MeterExchange.h"
#include "link/ui/frmComSetting.h"
#include "settings/SettingCheck.h"
#include "settings/SettingFile.h"
#include "settings/SettingReceive.h"
#include "settings/SettingSend.h"
#include "settings/SystemReset.h"
#include "settings/ui/AnalogOutputHandlers.h"
#include "settings/ui/HarmonicSaveHandlers.h"
#include "settings/ui/SettingHandlers.h"
#include "settings/ui/SettingPages.h"
#include "settings/ui/SettingTextBoxes.h"
#include "settings/ui/SettingView.h"

namespace voltaro {

namespace {

constexpr int kCaption = 2001;
constexpr int kFirstButtonCaption = 2002;  // "Open", then one per button
constexpr int kFileFilter = 2009;
constexpr int kReadFinished = 2010;
constexpr int kSaveFinished = 2011;
constexpr int kReceiving = 2013;
constexpr int kSending = 2014;
constexpr int kReceiveFinished = 2015;
constexpr int kSendFinished = 2016;

constexpr const char* kDefaultSettingFile = "915ZR000";
constexpr const char* kSettingFileSuffix = "SET";

}  // namespace

frmSetting::frmSetting(AppContext& ctx, SerialPortMaker makeSerialPort, const MonotonicClock& linkClock,
                       ManualViewer showManual, SettingFileDialogs fileDialogs, QWidget* parent)
    : QDialog(parent),
      ctx_(ctx),
      makeSerialPort_(std::move(makeSerialPort)),
      linkClock_(linkClock),
      title_(ctx, ctx.catalogue.text(kCaption)),
      showManual_(std::move(showManual)),
      fileDialogs_(std::move(fileDialogs)),
      settingFile_(kDefaultSettingFile) {
    setObjectName("frmSetting");
    buildControls();
    Init();
}

frmSetting::~frmSetting() = default;

QString frmSetting::text(int id) const { return QString::fromStdString(ctx_.catalogue.text(id)); }

void frmSetting::buildControls() {
    QStyle* look = style();
    const QStyle::StandardPixmap icons[] = {
        QStyle::SP_DialogOpenButton, QStyle::SP_DialogSaveButton, QStyle::SP_ArrowDown,       QStyle::SP_ArrowUp,
        QStyle::SP_DriveNetIcon,     QStyle::SP_BrowserReload,    QStyle::SP_DialogHelpButton};
    std::vector<IndexedToolBar::Button> buttons;
    for (int k = 0; k < 7; ++k)
        buttons.push_back({2 * k + 1, text(kFirstButtonCaption + k), look->standardIcon(icons[k])});
    toolbar_ = named(new IndexedToolBar(buttons, this), "Toolbar1");
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    connect(toolbar_, &IndexedToolBar::buttonClicked, this, &frmSetting::onToolbarButton);

    QWidget* pages = BuildSettingPages(controls_, ctx_.catalogue, this);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(toolbar_);
    layout->addWidget(pages);

    handlers_ = new SettingHandlers(ctx_, controls_, this);
    harmonic_ = new HarmonicSaveHandlers(ctx_, controls_, this);
    analog_ = new AnalogOutputHandlers(ctx_, controls_, this);
    connect(handlers_, &SettingHandlers::wiringOrLoadChanged, harmonic_, &HarmonicSaveHandlers::refresh);
    connect(handlers_, &SettingHandlers::wiringOrLoadChanged, analog_, &AnalogOutputHandlers::rebuildItemLists);
    textBoxes_ = new SettingTextBoxes(ctx_, controls_, *handlers_, this);
}

void frmSetting::Init() {
    const OperationModeScope mode(ctx_, operation_mode::InitialisingWindow);
    ctx_.AppPath = GetAppPath();
    AccessParameterFile(ctx_, kParameterRead);
    controls_.tabSetting->setCurrentIndex(0);
    setWindowTitle(text(kCaption));
    ShowSetting(ctx_.CurrentSetting);
}

void frmSetting::ShowSetting(const SettingRecord& record) {
    voltaro::ShowSetting(record, controls_, *handlers_, *analog_);
}

void frmSetting::CollectSetting(SettingRecord& record) const { voltaro::CollectSetting(controls_, *analog_, record); }

std::optional<SettingRecord> frmSetting::windowSetting() {
    if (!textBoxes_->commitFocusedBox()) return std::nullopt;
    SettingRecord working = ctx_.CurrentSetting;
    CollectSetting(working);
    return working;
}

void frmSetting::done(int result) {
    std::optional<SettingRecord> working = windowSetting();
    if (!working || CheckSettingRecord(ctx_, *working) != 0) return;
    ctx_.CurrentSetting = std::move(*working);
    AccessParameterFile(ctx_, kParameterWrite);
    QDialog::done(result);
}

void frmSetting::OpenSettingFile() {
    const OperationModeScope mode(ctx_, operation_mode::OpeningSettingFile);
    const QString path = fileDialogs_.open(this, text(kFirstButtonCaption),
                                           QtFileFilter(ctx_.catalogue.text(kFileFilter)), settingFile_);
    if (path.isEmpty()) return;
    settingFile_ = path;
    if (LoadSettingFile(ctx_, path.toStdString()) != 0) return;
    ShowSetting(ctx_.CurrentSetting);
    ShowInformationText(ctx_, ctx_.catalogue.text(kReadFinished));
}

void frmSetting::SaveSettingFile() {
    std::optional<SettingRecord> working = windowSetting();
    if (!working || CheckSettingRecord(ctx_, *working) != 0) return;
    const QString path =
        fileDialogs_.save(this, text(kFirstButtonCaption + 1), QtFileFilter(ctx_.catalogue.text(kFileFilter)),
                          settingFile_, kSettingFileSuffix);
    if (path.isEmpty()) return;
    settingFile_ = path;
    if (WriteSettingFile(ctx_, path.toStdString(), *working) == 0)
        ShowInformationText(ctx_, ctx_.catalogue.text(kSaveFinished));
}

void frmSetting::ReceiveSetting() {
    const OperationModeScope mode(ctx_, operation_mode::ReceivingSetting);
    frmComProgress progress(ctx_, text(kReceiving), this);
    bool taken = false;
    const std::int16_t status = RunMeterExchange(ctx_, progress, makeSerialPort_, linkClock_,
                                                 [&](Link& link) { return ReceiveProcedure(link, taken); });
    if (taken) ShowSetting(ctx_.CurrentSetting);
    if (status == 0) ShowInformationText(ctx_, ctx_.catalogue.text(kReceiveFinished));
}

void frmSetting::SendSetting() {
    std::optional<SettingRecord> sent = windowSetting();
    if (!sent) return;
    const bool pcTime = controls_.chkPCTime->isChecked();
    frmComProgress progress(ctx_, text(kSending), this);
    const std::int16_t status = RunMeterExchange(ctx_, progress, makeSerialPort_, linkClock_, [&](Link& link) {
        return SendOverMetersSetting(link, std::move(*sent), pcTime, false);
    });
    if (status == 0) ShowInformationText(ctx_, ctx_.catalogue.text(kSendFinished));
}

void frmSetting::RunSystemReset() {
    const OperationModeScope mode(ctx_, operation_mode::SystemReset);
    if (!ConfirmSystemReset(ctx_)) return;
    frmComProgress progress(ctx_, QString(), this);
    const auto reset = [](Link& link) { return ResetMeter(link); };
    if (RunMeterExchange(ctx_, progress, makeSerialPort_, linkClock_, reset) != 0) return;
    ShowSetting(ctx_.CurrentSetting);
    ReportSystemReset(ctx_);
}

void frmSetting::onToolbarButton(int index) {
    switch (index) {
        case Open:
            OpenSettingFile();
            break;
        case Save:
            SaveSettingFile();
            break;
        case Receive:
            ReceiveSetting();
            break;
        case Send:
            SendSetting();
            break;
        case ComSetup: {
            frmComSetting dialog(ctx_, SystemSerialPorts, this);
            dialog.exec();
            break;
        }
        case SystemReset:
            RunSystemReset();
            break;
        case Help:
            showManual_(ctx_, this, manual_section::Settings);
            break;
        default:
            break;
    }
}

}  // namespace voltaro
