#include "divide/ui/frmFileDivide.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>
#include <filesystem>
#include <tuple>

#include "app/AppPath.h"
#include "app/ManualSections.h"
#include "app/ParameterFile.h"
#include "app/ui/BackgroundRun.h"
#include "app/ui/CsvListView.h"
#include "app/ui/FocusOut.h"
#include "app/ui/FolderBox.h"
#include "app/ui/IndexedToolBar.h"
#include "app/ui/NamedControl.h"
#include "app/ui/PlainButton.h"
#include "app/ui/ProgressDialog.h"
#include "divide/CsvDivider.h"

namespace voltaro {

namespace {

constexpr int kCancelCaption = 150;
constexpr int kCaption = 601;
constexpr int kHelpButton = 602;
constexpr int kInputFrame = 603;
constexpr int kBrowseFile = 604;
constexpr int kOutputFrame = 605;
constexpr int kBrowseFolder = 606;
constexpr int kNameColumn = 607;
constexpr int kDateColumn = 608;
constexpr int kSetupFrame = 609;
constexpr int kLineOption = 610;
constexpr int kLineCountLabel = 611;
constexpr int kColumnOption = 612;
constexpr int kColumnCountLabel = 613;
constexpr int kDivideButton = 614;
constexpr int kFileFilter = 615;
constexpr int kDriveNotReady = 625;

// Wide enough for the largest count either kind accepts.
constexpr int kCountBoxCharacters = 8;

}  // namespace

frmFileDivide::frmFileDivide(AppContext& ctx, ManualViewer showManual, FolderChooser chooseFolder,
                             FileChooser chooseFile, QWidget* parent)
    : QDialog(parent),
      ctx_(ctx),
      title_(ctx, ctx.catalogue.text(kCaption)),
      showManual_(std::move(showManual)),
      chooseFolder_(std::move(chooseFolder)),
      chooseFile_(std::move(chooseFile)) {
    setObjectName("frmFileDivide");
    buildControls();
    load();
}

QString frmFileDivide::text(int id) const { return QString::fromStdString(ctx_.catalogue.text(id)); }

void frmFileDivide::buildControls() {
    auto* toolbar = named(
        new IndexedToolBar({{Help, text(kHelpButton), style()->standardIcon(QStyle::SP_DialogHelpButton)}}, this),
        "Toolbar1");
    connect(toolbar, &IndexedToolBar::buttonClicked, this, &frmFileDivide::onToolbarButton);

    auto* fmaDivide = named(new QGroupBox(text(kInputFrame), this), "fmaDivide");
    txtInputFile_ = named(new QLineEdit(fmaDivide), "txtInputFile");
    auto* btnBrowseFile = NewPlainButton("btnBrowseFile", text(kBrowseFile), fmaDivide);
    auto* inputLayout = new QVBoxLayout(fmaDivide);
    inputLayout->addWidget(txtInputFile_);
    inputLayout->addWidget(btnBrowseFile, 0, Qt::AlignLeft);

    auto* fmaOutput = named(new QGroupBox(text(kOutputFrame), this), "fmaOutput");
    txtOutputPath_ = named(new QLineEdit(fmaOutput), "txtOutputPath");
    auto* btnBrowsePath = NewPlainButton("btnBrowsePath", text(kBrowseFolder), fmaOutput);
    ListView1_ = named(new CsvListView(fmaOutput), "ListView1");
    auto* outputLayout = new QVBoxLayout(fmaOutput);
    outputLayout->addWidget(txtOutputPath_);
    outputLayout->addWidget(btnBrowsePath, 0, Qt::AlignLeft);
    outputLayout->addWidget(ListView1_);

    auto* fmaSelDivide = named(new QGroupBox(text(kSetupFrame), this), "fmaSelDivide");
    optColSelect_ = named(new QRadioButton(text(kLineOption), fmaSelDivide), "optColSelect");
    lblCol_ = named(new QLabel(text(kLineCountLabel), fmaSelDivide), "lblCol");
    txtColNo_ = named(new QLineEdit(fmaSelDivide), "txtColNo");
    optRowSelect_ = named(new QRadioButton(text(kColumnOption), fmaSelDivide), "optRowSelect");
    lblRow_ = named(new QLabel(text(kColumnCountLabel), fmaSelDivide), "lblRow");
    txtRowNo_ = named(new QLineEdit(fmaSelDivide), "txtRowNo");
    auto* setupLayout = new QGridLayout(fmaSelDivide);
    int row = 0;
    for (auto [option, label, box] :
         {std::tuple{optColSelect_, lblCol_, txtColNo_}, std::tuple{optRowSelect_, lblRow_, txtRowNo_}}) {
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QString(kCountBoxCharacters, '0')));
        label->setBuddy(box);
        setupLayout->addWidget(option, row++, 0, 1, 2);
        setupLayout->addWidget(label, row, 0, Qt::AlignRight);
        setupLayout->addWidget(box, row++, 1, Qt::AlignLeft);
    }
    setupLayout->setRowStretch(row, 1);

    btnDivide_ = NewPlainButton("btnDivide", text(kDivideButton), this);

    auto* layout = new QGridLayout(this);
    layout->setMenuBar(toolbar);
    layout->addWidget(fmaDivide, 0, 0, 1, 2);
    layout->addWidget(fmaOutput, 1, 0);
    layout->addWidget(fmaSelDivide, 1, 1);
    layout->addWidget(btnDivide_, 2, 1, Qt::AlignRight);

    connect(btnBrowseFile, &QPushButton::clicked, this, &frmFileDivide::browseInputFile);
    connect(btnBrowsePath, &QPushButton::clicked, this, &frmFileDivide::BrowseOutputFolder);
    connect(txtInputFile_, &QLineEdit::returnPressed, this, &frmFileDivide::inputFileEntered);
    connect(txtOutputPath_, &QLineEdit::returnPressed, this, &frmFileDivide::outputPathEntered);
    for (QLineEdit* box : {txtInputFile_, txtColNo_, txtRowNo_}) box->installEventFilter(this);
    connect(optColSelect_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) divideKindSelected(DivideKind::Lines);
    });
    connect(optRowSelect_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) divideKindSelected(DivideKind::Columns);
    });
    connect(btnDivide_, &QPushButton::clicked, this, &frmFileDivide::runDivision);
}

void frmFileDivide::load() {
    ctx_.OperationMode = operation_mode::InitialisingWindow;
    setWindowTitle(text(kCaption));
    ctx_.AppPath = GetAppPath();
    AccessParameterFile(ctx_, kParameterRead);

    const PcSettings& saved = ctx_.CurrentSetting.Pc;
    ListView1_->setColumns(text(kNameColumn), text(kDateColumn));
    // A folder is no file to divide: the factory setting names the application folder, and
    // the window starts with no file chosen rather than with that.
    std::error_code ignored;
    if (!std::filesystem::is_directory(saved.DivideInputFile, ignored))
        txtInputFile_->setText(QString::fromStdString(saved.DivideInputFile));
    txtOutputPath_->setText(QString::fromStdString(saved.DivideOutputPath));
    (saved.DivideMode != 0 ? optRowSelect_ : optColSelect_)->setChecked(true);
    // The counts are only the starting values; the window never saves them.
    txtColNo_->setText(QString::number(saved.DivideRows));
    txtRowNo_->setText(QString::number(saved.DivideCols));
    RefreshOutputList();
    UpdateDivideButton();
    ctx_.OperationMode = operation_mode::Idle;
}

void frmFileDivide::RefreshOutputList() {
    if (AcceptTypedFolder(ctx_, *txtOutputPath_, ctx_.CurrentSetting.Pc.DivideOutputPath, kDriveNotReady))
        ListView1_->SetListView(txtOutputPath_->text());
}

void frmFileDivide::UpdateDivideButton() {
    btnDivide_->setEnabled(!txtOutputPath_->text().isEmpty() && !txtInputFile_->text().isEmpty());
}

void frmFileDivide::BrowseOutputFolder() {
    const QString chosen = chooseFolder_(this, text(kOutputFrame),
                                         QString::fromStdString(ctx_.CurrentSetting.Pc.DivideOutputPath));
    if (chosen.isEmpty()) return;
    txtOutputPath_->setText(chosen);
    outputPathEntered();
}

void frmFileDivide::done(int result) {
    AccessParameterFile(ctx_, kParameterWrite);
    QDialog::done(result);
}

bool frmFileDivide::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtInputFile_ && LeavesForAnotherControl(*event)) {
        inputFileEntered();
    } else if ((watched == txtColNo_ || watched == txtRowNo_) && event->type() == QEvent::MouseButtonRelease) {
        // After the press has placed the cursor: a click is for typing a new count.
        static_cast<QLineEdit*>(watched)->selectAll();
    }
    return QDialog::eventFilter(watched, event);
}

void frmFileDivide::browseInputFile() {
    const QString chosen = chooseFile_(this, text(kInputFrame), QtFileFilter(ctx_.catalogue.text(kFileFilter)),
                                       QString::fromStdString(ctx_.CurrentSetting.Pc.DivideInputFile));
    if (chosen.isEmpty()) return;
    txtInputFile_->setText(chosen);
    inputFileEntered();
}

void frmFileDivide::inputFileEntered() {
    ctx_.CurrentSetting.Pc.DivideInputFile = txtInputFile_->text().toStdString();
    UpdateDivideButton();
}

void frmFileDivide::outputPathEntered() {
    RefreshOutputList();
    ctx_.CurrentSetting.Pc.DivideOutputPath = txtOutputPath_->text().toStdString();
    UpdateDivideButton();
}

void frmFileDivide::divideKindSelected(DivideKind kind) {
    const bool lines = kind == DivideKind::Lines;
    txtColNo_->setEnabled(lines);
    lblCol_->setEnabled(lines);
    txtRowNo_->setEnabled(!lines);
    lblRow_->setEnabled(!lines);
    if (ctx_.OperationMode == operation_mode::InitialisingWindow) return;
    QLineEdit* box = lines ? txtColNo_ : txtRowNo_;
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}

void frmFileDivide::onToolbarButton(int index) {
    if (index == Help) showManual_(ctx_, this, manual_section::Divide);
}

void frmFileDivide::runDivision() {
    const bool lines = optColSelect_->isChecked();
    const DivisionRequest request{txtInputFile_->text().toStdString(), txtOutputPath_->text().toStdString(),
                                  lines ? DivideKind::Lines : DivideKind::Columns,
                                  (lines ? txtColNo_ : txtRowNo_)->text().toStdString()};

    btnDivide_->setEnabled(false);
    ProgressDialog progress(windowTitle(), {}, this);
    progress.allowStopping(text(kCancelCaption));
    // Pieces stay from a division that stopped or failed halfway too.
    RunInBackground(progress, [&] { RunDivision(ctx_, request, progress); });
    UpdateDivideButton();
    RefreshOutputList();
}

}  // namespace voltaro
