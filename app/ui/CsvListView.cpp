#include "app/ui/CsvListView.h"

#include <QDir>
#include <QHeaderView>
#include <QLocale>
#include <chrono>
#include <filesystem>

namespace voltaro {

namespace {

// A piece divided from a converted file: about the longest name the tools write.
constexpr const char* kWidestOutputName = "DATA0000(00)_00.CSV";
constexpr int kColumnPadding = 16;

const QStringList kCsvPatterns{"*.CSV", "*.csv"};

}  // namespace

CsvListView::CsvListView(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setSectionsClickable(true);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int column) {
        sorted_ = true;
        sortBy(column);
    });
}

void CsvListView::setColumns(const QString& name, const QString& date) {
    setHeaderLabels({name, date});
    const QFontMetrics metrics = fontMetrics();
    const int nameWidth = metrics.horizontalAdvance(kWidestOutputName) + kColumnPadding;
    const QString sampleDate = QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    setColumnWidth(0, nameWidth);
    setMinimumWidth(nameWidth + metrics.horizontalAdvance(sampleDate) + 2 * kColumnPadding);
}

void CsvListView::SetListView(const QString& folder) {
    clear();
    const QDir dir(folder);
    for (const QString& name : dir.entryList(kCsvPatterns, QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        auto* item = new QTreeWidgetItem(this, {name});
        item->setData(1, Qt::DisplayRole, GetFileDate(dir.filePath(name)));
    }
    if (sorted_) sortBy(0);
}

QDateTime CsvListView::GetFileDate(const QString& fullName) {
    std::error_code error;
    const auto written = std::filesystem::last_write_time(std::filesystem::path(fullName.toStdU16String()), error);
    if (error) return {};
    const auto sinceEpoch = std::chrono::file_clock::to_sys(written).time_since_epoch();
    return QDateTime::fromMSecsSinceEpoch(std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count());
}

void CsvListView::sortBy(int column) {
    header()->setSortIndicatorShown(true);
    sortItems(column, Qt::AscendingOrder);
}

}  // namespace voltaro
