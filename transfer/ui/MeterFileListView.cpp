#include "transfer/ui/MeterFileListView.h"

#include <QHeaderView>
#include <QStyle>
#include <array>
#include <string_view>

#include "app/CodePageText.h"

namespace voltaro {

namespace {

constexpr int kNameColumn = 0;
constexpr int kSizeColumn = 1;

// About the widest name and size the meter lists.
constexpr const char* kWideName = "MMMM0000.MMM";
constexpr const char* kWideSize = "99999999";
constexpr int kColumnPadding = 16;

// Measurement and alarm lists, setting files, binary data, bitmaps.
struct KindIcon {
    std::string_view kind;
    QStyle::StandardPixmap icon;
};
constexpr std::array<KindIcon, 6> kKindIcons{{
    {"MEAS", QStyle::SP_FileIcon},
    {"ALM", QStyle::SP_FileIcon},
    {"SET", QStyle::SP_FileDialogInfoView},
    {"INST", QStyle::SP_DriveHDIcon},
    {"WAVE", QStyle::SP_DriveHDIcon},
    {"BMP", QStyle::SP_DesktopIcon},
}};

QIcon iconOf(const QStyle& style, std::string_view kind) {
    for (const KindIcon& known : kKindIcons)
        if (known.kind == kind) return style.standardIcon(known.icon);
    return {};
}

QString shownText(std::string_view bytes) {
    std::string utf8;
    AppendCodePageAsUtf8(bytes, utf8);
    return QString::fromStdString(utf8);
}

// One listed file; it keeps the entry as the meter wrote it, to be picked by that name and size.
class MeterFileItem final : public QTreeWidgetItem {
public:
    MeterFileItem(QTreeWidget& view, const MeterFileEntry& entry)
        : QTreeWidgetItem(&view, {shownText(entry.name), shownText(entry.sizeText)}), entry_(entry) {
        setIcon(kNameColumn, iconOf(*view.style(), entry.kind));
    }

    const MeterFileEntry& entry() const { return entry_; }

    bool operator<(const QTreeWidgetItem& other) const override {
        const MeterFileEntry& that = static_cast<const MeterFileItem&>(other).entry_;
        if (treeWidget()->sortColumn() == kSizeColumn) return entry_.size < that.size;
        return entry_.name < that.name;
    }

private:
    MeterFileEntry entry_;
};

}  // namespace

MeterFileListView::MeterFileListView(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setSectionsClickable(true);
    connect(header(), &QHeaderView::sectionClicked, this, &MeterFileListView::sortBy);
}

void MeterFileListView::setColumns(const QString& name, const QString& size) {
    setHeaderLabels({name, size});
    const QFontMetrics metrics = fontMetrics();
    const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize);
    const int nameWidth = metrics.horizontalAdvance(kWideName) + icon + 2 * kColumnPadding;
    setColumnWidth(kNameColumn, nameWidth);
    setMinimumWidth(nameWidth + metrics.horizontalAdvance(kWideSize) + 2 * kColumnPadding);
}

void MeterFileListView::SetListView(const MeterFileList& list) {
    clear();
    header()->setSortIndicatorShown(false);
    order_ = Qt::AscendingOrder;
    for (const MeterFileEntry& entry : list.entries) new MeterFileItem(*this, entry);
}

std::vector<MeterFileEntry> MeterFileListView::selectedEntries() const {
    std::vector<MeterFileEntry> selected;
    for (int row = 0; row < topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = topLevelItem(row);
        if (item->isSelected()) selected.push_back(static_cast<const MeterFileItem*>(item)->entry());
    }
    return selected;
}

void MeterFileListView::sortBy(int column) {
    order_ = order_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    header()->setSortIndicatorShown(true);
    sortItems(column, order_);
}

}  // namespace voltaro
