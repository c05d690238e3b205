#include "settings/ui/SettingPageBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimeEdit>

#include "app/ui/NamedControl.h"

namespace voltaro {

namespace {

constexpr int kWidestColumnCount = 8;

// A list wide enough for its longest entry, also after a refill.
QComboBox* newList(QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

// Room for "9999.99" and the box's frame; the font decides, so it grows with the DPI.
QLineEdit* fitDigits(QLineEdit* box) {
    constexpr int kDigitsShown = 9;
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QString(kDigitsShown, '0')) +
                         2 * box->fontMetrics().height());
    return box;
}

}  // namespace

SettingPageBuilder::SettingPageBuilder(const Catalogue& catalogue, QWidget* page)
    : catalogue_(catalogue), page_(page), grid_(new QGridLayout(page)) {}

QString SettingPageBuilder::text(int id) const { return QString::fromStdString(catalogue_.text(id)); }

QLabel* SettingPageBuilder::label(const char* name, int id, QWidget* parent) const {
    return named(new QLabel(text(id), parentOr(parent)), name);
}

QLabel* SettingPageBuilder::label(const char* array, int index, int id, QWidget* parent) const {
    return named(new QLabel(text(id), parentOr(parent)), array, index);
}

void SettingPageBuilder::fill(QComboBox* list, int firstId, int count) const {
    for (int id = firstId; id < firstId + count; ++id) list->addItem(text(id));
}

QComboBox* SettingPageBuilder::list(const char* name, int firstId, int count, QWidget* parent) const {
    QComboBox* list = emptyList(name, parent);
    fill(list, firstId, count);
    return list;
}

QComboBox* SettingPageBuilder::list(const char* array, int index, int firstId, int count, QWidget* parent) const {
    QComboBox* list = emptyList(array, index, parent);
    fill(list, firstId, count);
    return list;
}

QComboBox* SettingPageBuilder::emptyList(const char* name, QWidget* parent) const {
    return named(newList(parentOr(parent)), name);
}

QComboBox* SettingPageBuilder::emptyList(const char* array, int index, QWidget* parent) const {
    return named(newList(parentOr(parent)), array, index);
}

QLineEdit* SettingPageBuilder::box(const char* name, int maxLength, QWidget* parent) const {
    auto* box = named(new QLineEdit(parentOr(parent)), name);
    if (maxLength > 0) box->setMaxLength(maxLength);
    return box;
}

QLineEdit* SettingPageBuilder::shortBox(const char* name, QWidget* parent) const {
    return fitDigits(box(name, 0, parent));
}

QLineEdit* SettingPageBuilder::shortBoxElement(const char* array, int index, QWidget* parent) const {
    return fitDigits(named(new QLineEdit(parentOr(parent)), array, index));
}

QCheckBox* SettingPageBuilder::check(const char* name, int id, QWidget* parent) const {
    return named(new QCheckBox(text(id), parentOr(parent)), name);
}

QCheckBox* SettingPageBuilder::check(const char* array, int index, const QString& caption, QWidget* parent) const {
    return named(new QCheckBox(caption, parentOr(parent)), array, index);
}

QDateEdit* SettingPageBuilder::date(const char* name) const {
    auto* edit = named(new QDateEdit(page_), name);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat("yyyy/MM/dd");
    // The style leaves the calendar button out when it sizes the box.
    const QFontMetrics metrics = edit->fontMetrics();
    edit->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("0000/00/00")) + 3 * metrics.height());
    return edit;
}

QTimeEdit* SettingPageBuilder::time(const char* name, const char* format) const {
    auto* edit = named(new QTimeEdit(page_), name);
    edit->setDisplayFormat(format);
    return edit;
}

QGroupBox* SettingPageBuilder::frame(const char* name, int id, QWidget* parent) const {
    return named(new QGroupBox(text(id), parentOr(parent)), name);
}

void SettingPageBuilder::row(QLabel* caption, std::initializer_list<QWidget*> controls) {
    if (caption != nullptr) grid_->addWidget(caption, row_, 0);
    int column = 1;
    for (QWidget* control : controls) {
        if (control != nullptr) grid_->addWidget(control, row_, column);
        ++column;
    }
    if (caption != nullptr && controls.size() > 0) caption->setBuddy(*controls.begin());
    ++row_;
}

void SettingPageBuilder::inlineRow(QLabel* caption, std::initializer_list<QWidget*> controls) {
    auto* line = new QWidget(page_);
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* control : controls) layout->addWidget(control);
    layout->addStretch();
    grid_->addWidget(caption, row_, 0);
    grid_->addWidget(line, row_, 1, 1, kWidestColumnCount - 1);
    if (controls.size() > 0) caption->setBuddy(*controls.begin());
    ++row_;
}

void SettingPageBuilder::wideRow(QWidget* widget) {
    grid_->addWidget(widget, row_, 0, 1, kWidestColumnCount);
    ++row_;
}

void SettingPageBuilder::finish() {
    grid_->setRowStretch(row_, 1);
    grid_->setColumnStretch(kWidestColumnCount, 1);
}

}  // namespace voltaro
