#include "convert/ui/frmFileConv.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <vector>

#include "app/AppPath.h"
#include "app/ManualSections.h"
#include "app/ParameterFile.h"
#include "app/ui/BackgroundRun.h"
#include "app/ui/CsvListView.h"
#include "app/ui/FocusOut.h"
#include "app/ui/FolderBox.h"
#include "app/ui/IndexedToolBar.h"
#include "app/ui/PlainButton.h"
#include "app/ui/ProgressDialog.h"
#include "convert/DataFileConverter.h"
#include "plot/ui/frmPlot.h"

namespace voltaro {

namespace {

constexpr int kCaption = 501;
constexpr int kHelpButton = 502;
constexpr int kInputFrame = 503;
constexpr int kBrowseInput = 504;
constexpr int kOutputFrame = 505;
constexpr int kBrowseOutput = 506;
constexpr int kNameColumn = 507;
constexpr int kDateColumn = 508;
constexpr int kConvertButton = 509;
constexpr int kDriveNotReady = 515;
constexpr int kCancelCaption = 150;

const QStringList kInputPatterns{"*.BIN", "*.bin", "*.WFM", "*.wfm"};

// Feeds the window from the worker: each step to the progress dialog, and each new CSV
// file to the list view through the window thread's event queue, so it shows at once.
class WindowFeed final : public ConversionObserver {
public:
    WindowFeed(frmFileConv& window, ProgressDialog& dialog) : window_(window), dialog_(dialog) {}

    void outputCreated(const std::string&) override {
        QMetaObject::invokeMethod(
            &window_, [window = &window_] { window->RefreshFileLists(frmFileConv::OutputSide); }, Qt::QueuedConnection);
    }

    void progress(const std::string& fileName, std::uint64_t bytesRead, std::uint64_t fileSize) override {
        dialog_.progress(fileName, bytesRead, fileSize);
    }
    bool stopRequested() const override { return dialog_.stopRequested(); }

private:
    frmFileConv& window_;
    ProgressDialog& dialog_;
};

}  // namespace

frmFileConv::frmFileConv(AppContext& ctx, ManualViewer showManual, FolderChooser chooseFolder, QWidget* parent)
    : QDialog(parent),
      ctx_(ctx),
      title_(ctx, ctx.catalogue.text(kCaption)),
      showManual_(std::move(showManual)),
      chooseFolder_(std::move(chooseFolder)) {
    setObjectName("frmFileConv");
    buildControls();
    load();
}

QString frmFileConv::text(int id) const { return QString::fromStdString(ctx_.catalogue.text(id)); }

void frmFileConv::buildControls() {
    auto* toolbar =
        new IndexedToolBar({{Help, text(kHelpButton), style()->standardIcon(QStyle::SP_DialogHelpButton)}}, this);
    toolbar->setObjectName("Toolbar1");
    connect(toolbar, &IndexedToolBar::buttonClicked, this, &frmFileConv::onToolbarButton);

    auto* fmaConvert = new QGroupBox(text(kInputFrame), this);
    fmaConvert->setObjectName("fmaConvert");
    txtInputPath_ = new QLineEdit(fmaConvert);
    txtInputPath_->setObjectName("txtInputPath");
    auto* btnBrowse = NewPlainButton("btnBrowse", text(kBrowseInput), fmaConvert);
    filConvertFile_ = new QListWidget(fmaConvert);
    filConvertFile_->setObjectName("filConvertFile");
    filConvertFile_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* inputLayout = new QVBoxLayout(fmaConvert);
    inputLayout->addWidget(txtInputPath_);
    inputLayout->addWidget(btnBrowse, 0, Qt::AlignLeft);
    inputLayout->addWidget(filConvertFile_);

    auto* fmaOutput = new QGroupBox(text(kOutputFrame), this);
    fmaOutput->setObjectName("fmaOutput");
    txtOutputPath_ = new QLineEdit(fmaOutput);
    txtOutputPath_->setObjectName("txtOutputPath");
    auto* btnBrowseOut = NewPlainButton("btnBrowseOut", text(kBrowseOutput), fmaOutput);
    ListView1_ = new CsvListView(fmaOutput);
    ListView1_->setObjectName("ListView1");
    auto* outputLayout = new QVBoxLayout(fmaOutput);
    outputLayout->addWidget(txtOutputPath_);
    outputLayout->addWidget(btnBrowseOut, 0, Qt::AlignLeft);
    outputLayout->addWidget(ListView1_);

    btnConvert_ = NewPlainButton("btnConvert", text(kConvertButton), this);

    auto* layout = new QGridLayout(this);
    layout->setMenuBar(toolbar);
    layout->addWidget(fmaConvert, 0, 0);
    layout->addWidget(fmaOutput, 0, 1);
    layout->addWidget(btnConvert_, 1, 1, Qt::AlignRight);

    connect(btnBrowse, &QPushButton::clicked, this, [this] { BrowseFolder(InputSide); });
    connect(btnBrowseOut, &QPushButton::clicked, this, [this] { BrowseFolder(OutputSide); });
    connect(txtInputPath_, &QLineEdit::returnPressed, this, [this] { pathEntered(InputSide); });
    connect(txtOutputPath_, &QLineEdit::returnPressed, this, [this] { pathEntered(OutputSide); });
    txtInputPath_->installEventFilter(this);
    connect(filConvertFile_, &QListWidget::itemSelectionChanged, this, &frmFileConv::UpdateConvertButton);
    connect(btnConvert_, &QPushButton::clicked, this, &frmFileConv::runConversion);
    connect(ListView1_, &QTreeWidget::itemDoubleClicked, this, [this](const QTreeWidgetItem* item) {
        OpenPlotViewer(ctx_, QDir(txtOutputPath_->text()).filePath(item->text(0)), this, showManual_);
    });
}

void frmFileConv::load() {
    setWindowTitle(text(kCaption));
    ctx_.AppPath = GetAppPath();
    AccessParameterFile(ctx_, kParameterRead);

    ListView1_->setColumns(text(kNameColumn), text(kDateColumn));
    txtInputPath_->setText(QString::fromStdString(ctx_.CurrentSetting.Pc.ConvInputPath));
    txtOutputPath_->setText(QString::fromStdString(ctx_.CurrentSetting.Pc.ConvOutputPath));
    RefreshFileLists(InputSide);
    RefreshFileLists(OutputSide);
    UpdateConvertButton();
}

void frmFileConv::RefreshFileLists(int side) {
    QLineEdit* box = pathBox(side);
    if (!AcceptTypedFolder(ctx_, *box, savedFolder(side), kDriveNotReady)) return;
    const QString folder = box->text();
    if (side == OutputSide) {
        ListView1_->SetListView(folder);
        return;
    }
    // Leaving the box without changing the folder must not lose the files selected in it.
    QStringList selected;
    if (folder == inputFolder_)
        for (const QListWidgetItem* item : filConvertFile_->selectedItems()) selected << item->text();
    inputFolder_ = folder;
    filConvertFile_->clear();
    filConvertFile_->addItems(QDir(folder).entryList(kInputPatterns, QDir::Files, QDir::Name | QDir::IgnoreCase));
    for (const QString& name : selected)
        for (QListWidgetItem* item : filConvertFile_->findItems(name, Qt::MatchExactly)) item->setSelected(true);
}

void frmFileConv::UpdateConvertButton() {
    btnConvert_->setEnabled(!txtOutputPath_->text().isEmpty() && !filConvertFile_->selectedItems().isEmpty());
}

void frmFileConv::BrowseFolder(int side) {
    const QString caption = text(side == InputSide ? kInputFrame : kOutputFrame);
    const QString chosen = chooseFolder_(this, caption, QString::fromStdString(savedFolder(side)));
    if (chosen.isEmpty()) return;
    pathBox(side)->setText(chosen);
    RefreshFileLists(side);
    savedFolder(InputSide) = txtInputPath_->text().toStdString();
    savedFolder(OutputSide) = txtOutputPath_->text().toStdString();
    UpdateConvertButton();
}

void frmFileConv::done(int result) {
    AccessParameterFile(ctx_, kParameterWrite);
    QDialog::done(result);
}

bool frmFileConv::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtInputPath_ && LeavesForAnotherControl(*event)) pathEntered(InputSide);
    return QDialog::eventFilter(watched, event);
}

void frmFileConv::pathEntered(int side) {
    RefreshFileLists(side);
    savedFolder(side) = pathBox(side)->text().toStdString();
    UpdateConvertButton();
}

void frmFileConv::onToolbarButton(int index) {
    if (index == Help) showManual_(ctx_, this, manual_section::Conversion);
}

void frmFileConv::runConversion() {
    // In the list's order, whatever the order of selecting.
    std::vector<ConversionInput> inputs;
    for (int row = 0; row < filConvertFile_->count(); ++row) {
        const QListWidgetItem* item = filConvertFile_->item(row);
        if (item->isSelected()) inputs.push_back({inputFolder_.toStdString(), item->text().toStdString()});
    }
    const std::string outputFolder = txtOutputPath_->text().toStdString();

    btnConvert_->setEnabled(false);
    ProgressDialog progress(windowTitle(), {}, this);
    progress.allowStopping(text(kCancelCaption));
    WindowFeed feed(*this, progress);
    RunInBackground(progress, [&] { RunConversion(ctx_, inputs, outputFolder, feed); });
    UpdateConvertButton();
}

QLineEdit* frmFileConv::pathBox(int side) const { return side == InputSide ? txtInputPath_ : txtOutputPath_; }

std::string& frmFileConv::savedFolder(int side) {
    return side == InputSide ? ctx_.CurrentSetting.Pc.ConvInputPath : ctx_.CurrentSetting.Pc.ConvOutputPath;
}

}  // namespace voltaro
