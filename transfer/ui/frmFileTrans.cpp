#include "transfer/ui/frmFileTrans.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <memory>
#include <optional>

#include "app/AppPath.h"
#include "app/ManualSections.h"
#include "app/ErrorReporting.h"
#include "app/ParameterFile.h"
#include "app/ui/BackgroundRun.h"
#include "app/ui/FocusOut.h"
#include "app/ui/IndexedToolBar.h"
#include "app/ui/NamedControl.h"
#include "app/ui/PlainButton.h"
#include "app/ui/frmProgress.h"
#include "link/ui/MeterExchange.h"
#include "link/ui/frmComSetting.h"
#include "transfer/MeterFileTransfer.h"
#include "transfer/SpreadsheetExport.h"
#include "transfer/TransferProgress.h"
#include "transfer/ui/MeterFileListView.h"

namespace voltaro {

namespace {

constexpr int kCancelCaption = 150;
constexpr int kCaption = 401;
constexpr int kComSetupButton = 402;
constexpr int kHelpButton = 403;
constexpr int kMeterFrame = 404;
constexpr int kRefreshButton = 405;
constexpr int kTransferButton = 406;
constexpr int kComputerFrame = 407;
constexpr int kCopyCheck = 408;
constexpr int kBrowseButton = 410;
constexpr int kSpreadsheetCheck = 411;
constexpr int kNameColumn = 412;
constexpr int kSizeColumn = 413;
constexpr int kMediaFrame = 422;
constexpr int kCardOption = 423;
constexpr int kMemoryOption = 424;
constexpr int kWorkbookSavedAs = 433;

// The texts that name the medium the window works on.
struct MediumTexts {
    int announce;
    int reading;
    int readFinished;
    int transferring;
    int transferFinished;
};
constexpr MediumTexts kCardTexts{414, 416, 417, 418, 419};
constexpr MediumTexts kMemoryTexts{430, 426, 427, 428, 429};

const MediumTexts& textsOf(MeterMedium medium) { return medium == MeterMedium::Card ? kCardTexts : kMemoryTexts; }

// The kinds of file the meter's files become on this computer, and the workbooks.
const QStringList kCopyPatterns{"*.BIN", "*.bin", "*.WFM", "*.wfm", "*.CSV", "*.csv", "*.ARM", "*.arm",
                                "*.BMP", "*.bmp", "*.SET", "*.set", "*.xlsx", "*.XLSX"};

// "Transfer 2026-12-06 105300.xlsx": one workbook per run, named after its start.
std::string workbookName(const LocalDateTime& started) {
    char name[128];
    std::snprintf(name, sizeof name, "Transfer %04d-%02d-%02d %02d%02d%02d.xlsx", started.year, started.month,
                  started.day, started.hour, started.minute, started.second);
    return name;
}

}  // namespace

frmFileTrans::frmFileTrans(AppContext& ctx, SerialPortMaker makeSerialPort, const MonotonicClock& linkClock,
                           ManualViewer showManual, DocumentOpener openWorkbook, FolderChooser chooseFolder,
                           QWidget* parent)
    : QDialog(parent),
      ctx_(ctx),
      makeSerialPort_(std::move(makeSerialPort)),
      linkClock_(linkClock),
      title_(ctx, ctx.catalogue.text(kCaption)),
      showManual_(std::move(showManual)),
      openWorkbook_(std::move(openWorkbook)),
      chooseFolder_(std::move(chooseFolder)) {
    setObjectName("frmFileTrans");
    buildControls();
    Init();
}

QString frmFileTrans::text(int id) const { return QString::fromStdString(ctx_.catalogue.text(id)); }

void frmFileTrans::buildControls() {
    QStyle* look = style();
    const std::vector<IndexedToolBar::Button> buttons{
        {ComSetup, text(kComSetupButton), look->standardIcon(QStyle::SP_DriveNetIcon)},
        {Help, text(kHelpButton), look->standardIcon(QStyle::SP_DialogHelpButton)}};
    auto* toolbar = named(new IndexedToolBar(buttons, this), "Toolbar1");
    connect(toolbar, &IndexedToolBar::buttonClicked, this, &frmFileTrans::onToolbarButton);

    auto* fmaPcCard = named(new QGroupBox(text(kMeterFrame), this), "fmaPcCard");
    auto* fraSelectMedia = named(new QGroupBox(text(kMediaFrame), fmaPcCard), "fraSelectMedia");
    optSelCard_ = named(new QRadioButton(text(kCardOption), fraSelectMedia), "optSelCard");
    optSelMemory_ = named(new QRadioButton(text(kMemoryOption), fraSelectMedia), "optSelMemory");
    auto* mediaLayout = new QVBoxLayout(fraSelectMedia);
    mediaLayout->addWidget(optSelCard_);
    mediaLayout->addWidget(optSelMemory_);
    btnNewInfo_ = NewPlainButton("btnNewInfo", text(kRefreshButton), fmaPcCard);
    ListView1_ = named(new MeterFileListView(fmaPcCard), "ListView1");
    auto* meterLayout = new QVBoxLayout(fmaPcCard);
    meterLayout->addWidget(fraSelectMedia);
    meterLayout->addWidget(btnNewInfo_, 0, Qt::AlignLeft);
    meterLayout->addWidget(ListView1_);

    auto* fmaMyComputer = named(new QGroupBox(text(kComputerFrame), this), "fmaMyComputer");
    chkSaveData_ = named(new QCheckBox(text(kCopyCheck), fmaMyComputer), "chkSaveData");
    txtSavePath_ = named(new QLineEdit(fmaMyComputer), "txtSavePath");
    btnBrowse_ = NewPlainButton("btnBrowse", text(kBrowseButton), fmaMyComputer);
    filOutputFile_ = named(new QListWidget(fmaMyComputer), "filOutputFile");
    filOutputFile_->setSelectionMode(QAbstractItemView::NoSelection);
    chkTransExcel_ = named(new QCheckBox(text(kSpreadsheetCheck), fmaMyComputer), "chkTransExcel");
    auto* computerLayout = new QVBoxLayout(fmaMyComputer);
    computerLayout->addWidget(chkSaveData_);
    computerLayout->addWidget(txtSavePath_);
    computerLayout->addWidget(btnBrowse_, 0, Qt::AlignLeft);
    computerLayout->addWidget(filOutputFile_);
    computerLayout->addWidget(chkTransExcel_);

    btnTransStart_ = NewPlainButton("btnTransStart", text(kTransferButton), this);

    auto* layout = new QGridLayout(this);
    layout->setMenuBar(toolbar);
    layout->addWidget(fmaPcCard, 0, 0);
    layout->addWidget(fmaMyComputer, 0, 1);
    layout->addWidget(btnTransStart_, 1, 1, Qt::AlignRight);

    connect(btnNewInfo_, &QPushButton::clicked, this, &frmFileTrans::readDirectory);
    connect(btnTransStart_, &QPushButton::clicked, this, &frmFileTrans::transferFiles);
    connect(optSelCard_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) mediumSelected(MeterMedium::Card);
    });
    connect(optSelMemory_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) mediumSelected(MeterMedium::Memory);
    });
    connect(chkSaveData_, &QCheckBox::toggled, this, [this](bool on) {
        ctx_.CurrentSetting.Pc.TransSaveData = on ? 1 : 0;
        EnabledProc();
    });
    connect(txtSavePath_, &QLineEdit::textChanged, this, &frmFileTrans::EnabledProc);
    connect(chkTransExcel_, &QCheckBox::toggled, this, [this](bool on) {
        ctx_.CurrentSetting.Pc.TransExcel = on ? 1 : 0;
        EnabledProc();
    });
    connect(ListView1_, &QTreeWidget::itemSelectionChanged, this, &frmFileTrans::EnabledProc);
    connect(txtSavePath_, &QLineEdit::returnPressed, this, [this] { savePathEntered(false); });
    txtSavePath_->installEventFilter(this);
    connect(btnBrowse_, &QPushButton::clicked, this, &frmFileTrans::browseFolder);
}

void frmFileTrans::Init() {
    ctx_.OperationMode = operation_mode::InitialisingWindow;
    setWindowTitle(text(kCaption));
    ctx_.AppPath = GetAppPath();
    AccessParameterFile(ctx_, kParameterRead);

    ListView1_->setColumns(text(kNameColumn), text(kSizeColumn));
    const PcSettings& saved = ctx_.CurrentSetting.Pc;
    chkSaveData_->setChecked(saved.TransSaveData != 0);
    chkTransExcel_->setChecked(saved.TransExcel != 0);
    txtSavePath_->setText(QString::fromStdString(saved.TransSavePath));
    listedMedium_ = saved.TransMedia == 1 ? MeterMedium::Memory : MeterMedium::Card;
    (listedMedium_ == MeterMedium::Memory ? optSelMemory_ : optSelCard_)->setChecked(true);
    EnabledProc();
    RefreshFolderList();
    btnNewInfo_->setFocus();
    ctx_.OperationMode = operation_mode::Idle;
}

void frmFileTrans::EnabledProc() {
    const bool target = chkSaveData_->isChecked() || chkTransExcel_->isChecked();
    txtSavePath_->setEnabled(target);
    btnBrowse_->setEnabled(target);
    btnTransStart_->setEnabled(target && !txtSavePath_->text().isEmpty() && !ListView1_->selectedItems().isEmpty());
}

void frmFileTrans::RefreshFolderList() {
    filOutputFile_->clear();
    const QString folder = txtSavePath_->text();
    // An empty path would list the current folder, which nobody chose.
    if (folder.isEmpty()) return;
    filOutputFile_->addItems(QDir(folder).entryList(kCopyPatterns, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void frmFileTrans::done(int result) {
    AccessParameterFile(ctx_, kParameterWrite);
    QDialog::done(result);
}

void frmFileTrans::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (openingReadStarted_) return;
    openingReadStarted_ = true;
    // Once the window is up, so that the box and the progress window stand over it.
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) announceAndReadDirectory();
    });
}

bool frmFileTrans::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtSavePath_ && LeavesForAnotherControl(*event)) savePathEntered(true);
    return QDialog::eventFilter(watched, event);
}

MeterMedium frmFileTrans::selectedMedium() const {
    return optSelMemory_->isChecked() ? MeterMedium::Memory : MeterMedium::Card;
}

void frmFileTrans::announceAndReadDirectory() {
    ShowInformationText(ctx_, ctx_.catalogue.text(textsOf(selectedMedium()).announce));
    readDirectory();
}

void frmFileTrans::readDirectory() {
    const MeterMedium medium = selectedMedium();
    const MediumTexts& texts = textsOf(medium);
    frmProgress progress(ctx_, frmProgress::DirectoryRead, text(texts.reading), this);
    MeterFileList list;
    const bool read = RunMeterExchange(ctx_, progress, makeSerialPort_, linkClock_, [&](Link& link) {
                          return GetZrFileName(link, medium, list);
                      }) == 0;
    // A failed read leaves the list as it was, unless it shows the other medium's files:
    // those cannot be picked from this one.
    if (!read && medium == listedMedium_) return;
    ListView1_->SetListView(read ? list : MeterFileList{});
    listedMedium_ = medium;
    EnabledProc();
    if (read) ShowInformationText(ctx_, ctx_.catalogue.text(texts.readFinished));
}

void frmFileTrans::mediumSelected(MeterMedium medium) {
    if (ctx_.OperationMode != operation_mode::Idle) return;
    readDirectory();
    ctx_.CurrentSetting.Pc.TransMedia = static_cast<std::int16_t>(medium);
}

void frmFileTrans::transferFiles() {
    const MeterMedium medium = selectedMedium();
    const MediumTexts& texts = textsOf(medium);
    const std::vector<MeterFileEntry> selected = ListView1_->selectedEntries();
    const bool copy = chkSaveData_->isChecked();
    const std::string& copyFolder = ctx_.CurrentSetting.Pc.TransSavePath;
    std::optional<SpreadsheetWorkbook> workbook;
    // In the folder the user chose, beside the copies if there are any, where it can be found again.
    if (chkTransExcel_->isChecked())
        workbook.emplace(ctx_, WithTrailingSeparator(copyFolder) + workbookName(ctx_.clock.now()));
    const TransferTargets targets(copy, copyFolder, workbook ? &*workbook : nullptr);

    frmProgress progress(ctx_, frmProgress::FileCopy, text(texts.transferring), this);
    progress.allowStopping(text(kCancelCaption));
    TransferProgress fileLine(linkClock_, progress);
    std::int16_t written = 0;
    const bool transferred = RunMeterExchange(ctx_, progress, makeSerialPort_, linkClock_, [&](Link& link) {
        const std::int16_t result = TransStart(link, medium, selected, targets, fileLine);
        // Still on the worker: writing a large workbook takes a while. Like a spreadsheet
        // left open, it keeps the sheets of the files that arrived before a run stopped.
        if (workbook) written = workbook->close();
        return result == 0 ? written : result;
    }) == 0;
    RefreshFolderList();
    // Without a spreadsheet program the workbook is no failure: it waits where it was saved.
    if (workbook && written == 0 && workbook->hasSheets() && !openWorkbook_(QString::fromStdString(workbook->path())))
        ShowInformationText(ctx_, ctx_.catalogue.text(kWorkbookSavedAs) + "\n" + workbook->path());
    if (transferred) ShowInformationText(ctx_, ctx_.catalogue.text(texts.transferFinished));
}

void frmFileTrans::savePathEntered(bool leavingTheBox) {
    if (leavingTheBox)
        txtSavePath_->setText(QString::fromStdString(WithTrailingSeparator(txtSavePath_->text().toStdString())));
    ctx_.CurrentSetting.Pc.TransSavePath = txtSavePath_->text().toStdString();
    RefreshFolderList();
}

void frmFileTrans::browseFolder() {
    const QString chosen =
        chooseFolder_(this, windowTitle(), QString::fromStdString(ctx_.CurrentSetting.Pc.TransSavePath));
    if (chosen.isEmpty()) return;
    txtSavePath_->setText(chosen);
    RefreshFolderList();
    ctx_.CurrentSetting.Pc.TransSavePath = chosen.toStdString();
    EnabledProc();
}

void frmFileTrans::onToolbarButton(int index) {
    switch (index) {
        case ComSetup: {
            frmComSetting dialog(ctx_, SystemSerialPorts, this);
            dialog.exec();
            break;
        }
        case Help:
            showManual_(ctx_, this, manual_section::Transfer);
            break;
        default:
            break;
    }
}

}  // namespace voltaro
