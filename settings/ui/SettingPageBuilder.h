#pragma once

#include <QString>
#include <initializer_list>

#include "app/Catalogue.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QTimeEdit;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace voltaro {

// Builds one page of the settings window: controls named as the window names them,
// captions and fixed lists from the catalogue, and rows of a grid that keeps each
// caption beside its control (the caption's access key moves the focus to it).
class SettingPageBuilder {
public:
    SettingPageBuilder(const Catalogue& catalogue, QWidget* page);

    QWidget* page() const { return page_; }
    QGridLayout& grid() const { return *grid_; }
    QString text(int id) const;

    QLabel* label(const char* name, int id, QWidget* parent = nullptr) const;
    QLabel* label(const char* array, int index, int id, QWidget* parent = nullptr) const;
    // A list holding the catalogue texts firstId .. firstId + count - 1, in that order.
    QComboBox* list(const char* name, int firstId, int count, QWidget* parent = nullptr) const;
    QComboBox* list(const char* array, int index, int firstId, int count, QWidget* parent = nullptr) const;
    // A list whose entries the window fills as other items change.
    QComboBox* emptyList(const char* name, QWidget* parent = nullptr) const;
    QComboBox* emptyList(const char* array, int index, QWidget* parent = nullptr) const;
    QLineEdit* box(const char* name, int maxLength = 0, QWidget* parent = nullptr) const;
    // A box as wide as a few digits need, for thresholds, ratios and counts.
    QLineEdit* shortBox(const char* name, QWidget* parent = nullptr) const;
    QLineEdit* shortBoxElement(const char* array, int index, QWidget* parent = nullptr) const;
    QCheckBox* check(const char* name, int id, QWidget* parent = nullptr) const;
    QCheckBox* check(const char* array, int index, const QString& caption, QWidget* parent = nullptr) const;
    // A date, year first, with a calendar to pick it from.
    QDateEdit* date(const char* name) const;
    // A time shown in `format` ("HH:mm").
    QTimeEdit* time(const char* name, const char* format) const;
    QGroupBox* frame(const char* name, int id, QWidget* parent = nullptr) const;

    // The next row of the grid: `caption` (the buddy of the first control) in the first
    // column, then the controls one per column.
    void row(QLabel* caption, std::initializer_list<QWidget*> controls);
    // The next row with `caption` and the controls side by side in the second column,
    // so that they keep their own widths whatever the column holds in other rows.
    void inlineRow(QLabel* caption, std::initializer_list<QWidget*> controls);
    // Widgets spanning the whole width, in a row of their own.
    void wideRow(QWidget* widget);
    // Reserves `count` rows for widgets placed by hand; returns the first.
    int takeRows(int count) {
        row_ += count;
        return row_ - count;
    }
    // Takes up the space left below the rows, so that they stay at the top of the page.
    void finish();

private:
    QWidget* parentOr(QWidget* parent) const { return parent != nullptr ? parent : page_; }
    void fill(QComboBox* list, int firstId, int count) const;

    const Catalogue& catalogue_;
    QWidget* page_;
    QGridLayout* grid_;
    int row_ = 0;
};

}  // namespace voltaro
