#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTreeWidget>
#include <QWidget>
#include <QtTest>
#include <filesystem>

namespace voltaro::test {

// The window's control of that name; a missing one ends the test run at once.
template <typename Control>
Control* control(const QWidget& window, const char* name) {
    auto* found = window.findChild<Control*>(name);
    if (found == nullptr) qFatal("no control %s", name);
    return found;
}

// The file names a window's ListView1 shows, in order.
inline QStringList listedNames(const QWidget& window) {
    QStringList names;
    const auto* view = control<QTreeWidget>(window, "ListView1");
    for (int row = 0; row < view->topLevelItemCount(); ++row) names << view->topLevelItem(row)->text(0);
    return names;
}

inline QString qpath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

// Ends the typing in `box` by the focus leaving it for that reason.
inline void finishTyping(QWidget* box, int how) {
    QFocusEvent focusOut(QEvent::FocusOut, Qt::FocusReason(how));
    QApplication::sendEvent(box, &focusOut);
}

}  // namespace voltaro::test
