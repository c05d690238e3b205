#include "plot/ui/frmPlot.h"

#include <QCursor>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <functional>

#include "app/AppPath.h"
#include "app/ManualSections.h"
#include "app/ui/BackgroundRun.h"
#include "app/ui/IndexedToolBar.h"
#include "app/ui/ProgressDialog.h"
#include "plot/DataRowText.h"
#include "plot/ui/PlotWidget.h"

namespace voltaro {

namespace {

constexpr int kCaption = 3501;
constexpr int kWholeViewButton = 3502;
constexpr int kHelpButton = 3503;
constexpr int kColumnsFrame = 3504;
constexpr int kRecordFrame = 3505;
constexpr int kTimeFrom = 3506;
constexpr int kOf = 3507;
constexpr int kSampleAxis = 3508;
constexpr int kReading = 3509;
constexpr int kChannelsFrame = 3510;
constexpr int kHint = 3511;
constexpr int kCancelCaption = 150;

// Below this a file reads in a blink: no progress window comes and goes.
constexpr qint64 kReadBehindProgressFrom = 8 << 20;

// Passes a reading's progress to the progress window, which may ask it to stop.
class ProgressRelay final : public ProgressObserver {
public:
    ProgressObserver* target = nullptr;
    void progress(const std::string& name, std::uint64_t done, std::uint64_t total) override {
        if (target != nullptr) target->progress(name, done, total);
    }
    bool stopRequested() const override { return target != nullptr && target->stopRequested(); }
};

QString dateTimeOf(const WaveformRecord& record) {
    QString text = QString::fromLatin1(record.dateTime.data(), static_cast<qsizetype>(record.dateTime.size()));
    return text.replace(',', ' ');
}

}  // namespace

frmPlot::frmPlot(AppContext& ctx, ManualViewer showManual, QWidget* parent)
    : QDialog(parent), ctx_(ctx.messages, ctx.clock, ctx.catalogue), showManual_(std::move(showManual)) {
    // Its own context for its own title; the manual is found where the program's is.
    ctx_.ExecutableDir = ctx.ExecutableDir;
    setObjectName("frmPlot");
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    buildControls();
    // Room for a plot to read: the layout alone would give it the least it takes.
    const int line = fontMetrics().height();
    resize(sizeHint().expandedTo(QSize(64 * line, 40 * line)));
    setWindowTitle(text(kCaption));
    ctx_.MsgTitle = windowTitle().toStdString();
    ctx_.AppPath = GetAppPath();
}

QString frmPlot::text(int id) const { return QString::fromStdString(ctx_.catalogue.text(id)); }

void frmPlot::buildControls() {
    auto* toolbar =
        new IndexedToolBar({{WholeView, text(kWholeViewButton), style()->standardIcon(QStyle::SP_BrowserReload)},
                            {Help, text(kHelpButton), style()->standardIcon(QStyle::SP_DialogHelpButton)}},
                           this);
    toolbar->setObjectName("Toolbar1");
    connect(toolbar, &IndexedToolBar::buttonClicked, this, &frmPlot::onToolbarButton);

    fraRecord_ = new QGroupBox(text(kRecordFrame), this);
    fraRecord_->setObjectName("fraRecord");
    spnRecord_ = new QSpinBox(fraRecord_);
    spnRecord_->setObjectName("spnRecord");
    spnRecord_->setKeyboardTracking(false);
    lblRecordCount_ = new QLabel(fraRecord_);
    lblRecordCount_->setObjectName("lblRecordCount");
    lblRecordTime_ = new QLabel(fraRecord_);
    lblRecordTime_->setObjectName("lblRecordTime");
    auto* recordLayout = new QGridLayout(fraRecord_);
    recordLayout->addWidget(spnRecord_, 0, 0);
    recordLayout->addWidget(lblRecordCount_, 0, 1);
    recordLayout->addWidget(lblRecordTime_, 1, 0, 1, 2);
    fraRecord_->hide();

    fraColumns_ = new QGroupBox(text(kColumnsFrame), this);
    fraColumns_->setObjectName("fraColumns");
    lstColumns_ = new QListWidget(fraColumns_);
    lstColumns_->setObjectName("lstColumns");
    auto* columnsLayout = new QVBoxLayout(fraColumns_);
    columnsLayout->addWidget(lstColumns_);

    picPlot_ = new PlotWidget(this);
    picPlot_->setObjectName("picPlot");
    auto* lblHint = new QLabel(text(kHint), this);
    lblHint->setObjectName("lblHint");
    lblHint->setWordWrap(true);

    auto* side = new QVBoxLayout;
    side->addWidget(fraRecord_);
    side->addWidget(fraColumns_, 1);
    auto* layout = new QGridLayout(this);
    layout->setMenuBar(toolbar);
    layout->addLayout(side, 0, 0);
    layout->addWidget(picPlot_, 0, 1);
    layout->addWidget(lblHint, 1, 0, 1, 2);
    layout->setColumnStretch(1, 1);

    connect(lstColumns_, &QListWidget::itemChanged, this, [this] {
        if (layout_.kind == PlotFileKind::OverTime)
            showTickedColumns();
        else
            showTickedChannels();
    });
    connect(spnRecord_, &QSpinBox::valueChanged, this, &frmPlot::showRecord);
}

bool frmPlot::openFile(const QString& path) {
    const std::string file = path.toStdString();
    PlotFileLayout layout;
    std::vector<WaveformRecord> records;
    const bool opened = read(file, [&](PlotFileReader& reader) {
        if (!reader.open(file)) return false;
        layout = reader.layout();
        return layout.kind == PlotFileKind::OverTime || reader.readRecords(records);
    });
    if (!opened) return false;
    path_ = file;
    layout_ = std::move(layout);
    records_ = std::move(records);
    setWindowTitle(text(kCaption) + " - " + QFileInfo(path).fileName());
    if (layout_.kind == PlotFileKind::OverTime) {
        fraRecord_->hide();
        fraColumns_->setTitle(text(kColumnsFrame));
        shownColumns_.clear();
        fillColumnList();
        showTickedColumns();
        return true;
    }
    fraRecord_->show();
    fraColumns_->setTitle(text(kChannelsFrame));
    lblRecordCount_->setText(text(kOf) + " " + QString::number(records_.size()));
    {
        const QSignalBlocker quiet(spnRecord_);
        spnRecord_->setRange(records_.empty() ? 0 : 1,
                             static_cast<int>(std::min<std::size_t>(records_.size(), INT_MAX)));
        spnRecord_->setValue(spnRecord_->minimum());
    }
    showRecord(spnRecord_->value());
    return true;
}

bool frmPlot::read(const std::string& path, const std::function<bool(PlotFileReader&)>& work) {
    ProgressRelay relay;
    PlotFileReader reader(ctx_, relay);
    if (QFileInfo(QString::fromStdString(path)).size() < kReadBehindProgressFrom) {
        setCursor(Qt::WaitCursor);
        const bool done = work(reader);
        unsetCursor();
        return done;
    }
    ProgressDialog progress(windowTitle(), text(kReading), this);
    progress.allowStopping(text(kCancelCaption));
    relay.target = &progress;
    bool done = false;
    RunInBackground(progress, [&] { done = work(reader); });
    return done;
}

void frmPlot::fillColumnList() {
    const QSignalBlocker quiet(lstColumns_);
    lstColumns_->clear();
    for (const PlotColumn& column : layout_.columns) {
        auto* item = new QListWidgetItem(QString::fromStdString(column.title), lstColumns_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(lstColumns_->count() == 1 ? Qt::Checked : Qt::Unchecked);
    }
}

std::vector<std::size_t> frmPlot::tickedRows() const {
    std::vector<std::size_t> rows;
    for (int row = 0; row < lstColumns_->count(); ++row)
        if (lstColumns_->item(row)->checkState() == Qt::Checked) rows.push_back(static_cast<std::size_t>(row));
    return rows;
}

void frmPlot::showTickedColumns() {
    const std::vector<std::size_t> columns = tickedRows();
    PlotData data;
    if (!read(path_, [&](PlotFileReader& reader) { return reader.open(path_) && reader.readColumns(columns, data); })) {
        const QSignalBlocker quiet(lstColumns_);
        for (int row = 0; row < lstColumns_->count(); ++row) {
            const bool shown = std::find(shownColumns_.begin(), shownColumns_.end(), static_cast<std::size_t>(row)) !=
                               shownColumns_.end();
            lstColumns_->item(row)->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
        }
        return;
    }
    shownColumns_ = columns;
    const QString from = data.x.empty() ? QString() : " " + QString::fromStdString(DateTimeText(data.start));
    picPlot_->setPlot(std::move(data), QFileInfo(QString::fromStdString(path_)).fileName(), text(kTimeFrom) + from);
}

void frmPlot::showRecord(int number) {
    if (number < 1 || static_cast<std::size_t>(number) > records_.size()) {
        picPlot_->setPlot({}, {}, {});
        return;
    }
    const WaveformRecord& record = records_[static_cast<std::size_t>(number - 1)];
    PlotData data;
    if (!read(path_, [&](PlotFileReader& reader) { return reader.open(path_) && reader.readRecord(record, data); })) {
        const QSignalBlocker quiet(spnRecord_);
        spnRecord_->setValue(shownRecord_);
        return;
    }
    shownRecord_ = number;
    record_ = std::move(data);
    lblRecordTime_->setText(dateTimeOf(record));
    // The channels' list keeps the ticks of the names it had.
    std::vector<QString> unticked;
    for (int row = 0; row < lstColumns_->count(); ++row)
        if (lstColumns_->item(row)->checkState() != Qt::Checked) unticked.push_back(lstColumns_->item(row)->text());
    {
        const QSignalBlocker quiet(lstColumns_);
        lstColumns_->clear();
        for (const PlotSeries& channel : record_.series) {
            const QString name = QString::fromStdString(channel.name);
            auto* item = new QListWidgetItem(name, lstColumns_);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(std::find(unticked.begin(), unticked.end(), name) == unticked.end() ? Qt::Checked
                                                                                                    : Qt::Unchecked);
        }
    }
    showTickedChannels();
}

void frmPlot::showTickedChannels() {
    PlotData shown;
    shown.axis = record_.axis;
    shown.x = record_.x;
    for (const std::size_t row : tickedRows()) shown.series.push_back(record_.series[row]);
    const QString title = QFileInfo(QString::fromStdString(path_)).fileName() + "   " + text(kRecordFrame) + " " +
                          QString::number(spnRecord_->value()) + "   " + lblRecordTime_->text();
    picPlot_->setPlot(std::move(shown), title, text(kSampleAxis));
}

void frmPlot::onToolbarButton(int index) {
    if (index == WholeView) picPlot_->showWhole();
    if (index == Help) showManual_(ctx_, this, manual_section::Viewer);
}

frmPlot* OpenPlotViewer(AppContext& ctx, const QString& path, QWidget* parent, ManualViewer showManual) {
    auto* viewer = new frmPlot(ctx, std::move(showManual), parent);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    if (!viewer->openFile(path)) {
        delete viewer;
        return nullptr;
    }
    viewer->show();
    return viewer;
}

}  // namespace voltaro
