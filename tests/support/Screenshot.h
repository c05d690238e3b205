#pragma once

#include <QDir>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <QtGlobal>

namespace voltaro::test {

// Saves a picture of the shown `window` as NAME.png in the folder that VOLTARO_SCREENSHOT_DIR
// names, for the manual; without that variable it does nothing. A scaled screen or enlarged fonts
// give their own names ("NAME@1.5x.png", "NAME-144dpi.png"), so that one run of every variant
// keeps them all. False when the picture could not be written.
inline bool saveScreenshot(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("VOLTARO_SCREENSHOT_DIR");
    if (folder.isEmpty()) return true;
    QString file = name;
    if (window.devicePixelRatioF() != 1.0) file += QString("@%1x").arg(window.devicePixelRatioF());
    if (window.logicalDpiX() != 96) file += QString("-%1dpi").arg(window.logicalDpiX());
    return QDir().mkpath(folder) && window.grab().save(QDir(folder).filePath(file + ".png"));
}

}  // namespace voltaro::test
