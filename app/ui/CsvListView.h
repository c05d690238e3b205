#pragma once

#include <QDateTime>
#include <QTreeWidget>

namespace voltaro {

// An output folder's CSV files with their last-modified dates, in "Name" and "Date"
// columns. A click on a column header sorts by that column; from then on a refilled
// list comes sorted by name.
class CsvListView : public QTreeWidget {
    Q_OBJECT

public:
    explicit CsvListView(QWidget* parent = nullptr);

    // Names the columns and makes them wide enough for a long output name and a date.
    void setColumns(const QString& name, const QString& date);
    // Refills the list with the CSV files of `folder`, which the caller knows can be listed.
    void SetListView(const QString& folder);
    // A file's last-modified time, kept as a date so that it shows in the user's locale
    // and sorts by time; invalid when the file cannot be read.
    static QDateTime GetFileDate(const QString& fullName);

private:
    void sortBy(int column);

    bool sorted_ = false;  // on from the first click on a column header
};

}  // namespace voltaro
