#include "support/WindowWalk.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>

namespace voltaro::test {

namespace {

constexpr int kLongestCaptionShown = 24;

// Whether the children of `widget` are its content rather than the parts it is made of: it lays
// them out, or it is a plain container that places them itself.
bool holdsContent(const QWidget& widget) {
    if (widget.layout() != nullptr) return true;
    const QMetaObject* type = widget.metaObject();
    return type == &QWidget::staticMetaObject || type == &QFrame::staticMetaObject ||
           widget.inherits("QGroupBox") || widget.inherits("QDialog") || widget.inherits("QMainWindow") ||
           widget.inherits("QSplitter") || widget.inherits("QTabWidget");
}

QString caption(const QWidget& widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(&widget)) return frame->title();
    return {};
}

bool needsName(const QWidget& widget) {
    return qobject_cast<const QAbstractButton*>(&widget) || qobject_cast<const QLineEdit*>(&widget) ||
           qobject_cast<const QTextEdit*>(&widget) || qobject_cast<const QPlainTextEdit*>(&widget) ||
           qobject_cast<const QAbstractSpinBox*>(&widget) || qobject_cast<const QComboBox*>(&widget) ||
           qobject_cast<const QAbstractItemView*>(&widget) || qobject_cast<const QGroupBox*>(&widget) ||
           qobject_cast<const QToolBar*>(&widget) || qobject_cast<const QTabWidget*>(&widget);
}

void collectUnnamed(const QWidget& container, QStringList& unnamed) {
    for (const QWidget* child : arrangedChildren(container, Shown::AndHidden)) {
        if (needsName(*child) && child->objectName().isEmpty()) unnamed << widgetPath(*child);
        // A toolbar's buttons are its actions' and go by their captions.
        if (!qobject_cast<const QToolBar*>(child)) collectUnnamed(*child, unnamed);
    }
}

}  // namespace

std::vector<QWidget*> arrangedChildren(const QWidget& container, Shown shown) {
    std::vector<QWidget*> children;
    const auto keep = [&](QWidget* child) {
        if (child != nullptr && !child->isWindow() && (shown == Shown::AndHidden || !child->isHidden()))
            children.push_back(child);
    };
    if (const auto* area = qobject_cast<const QScrollArea*>(&container)) {
        keep(area->widget());
        return children;
    }
    if (!holdsContent(container)) return children;
    for (QObject* child : container.children()) keep(qobject_cast<QWidget*>(child));
    return children;
}

QString widgetPath(const QWidget& widget) {
    QStringList names;
    for (const QWidget* step = &widget; step != nullptr; step = step->isWindow() ? nullptr : step->parentWidget()) {
        QString name = step->objectName();
        if (name.isEmpty()) {
            name = step->metaObject()->className();
            const QString shown = caption(*step).simplified();
            if (!shown.isEmpty()) name += " \"" + shown.left(kLongestCaptionShown) + "\"";
        }
        names.prepend(name);
    }
    return names.join('/');
}

QStringList unnamedControls(const QWidget& window) {
    QStringList unnamed;
    collectUnnamed(window, unnamed);
    return unnamed;
}

}  // namespace voltaro::test
