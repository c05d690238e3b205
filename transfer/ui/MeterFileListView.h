#pragma once

#include <QTreeWidget>
#include <vector>

#include "transfer/MeterDirectory.h"

namespace voltaro {

// The files of the meter's last directory read, in "Name" and "Size" columns with an icon
// for the kind of file; several can be selected. A click on a column header sorts by that
// column, the other way round from the click before: the first click after the list was
// filled sorts descending. Names sort by their character codes, sizes by their number.
class MeterFileListView : public QTreeWidget {
    Q_OBJECT

public:
    explicit MeterFileListView(QWidget* parent = nullptr);

    // Names the columns and makes the name column wide enough for a whole name.
    void setColumns(const QString& name, const QString& size);
    // Shows the files of `list` in its order, none selected.
    void SetListView(const MeterFileList& list);
    // The selected files, in the order shown.
    std::vector<MeterFileEntry> selectedEntries() const;

private:
    void sortBy(int column);

    Qt::SortOrder order_ = Qt::AscendingOrder;  // of the last sort, or of the list as filled
};

}  // namespace voltaro
