#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace voltaro {

// Lets the user pick an existing folder, starting at `start`; an empty result means
// the user cancelled.
using FolderChooser = std::function<QString(QWidget* owner, const QString& caption, const QString& start)>;

// The platform's folder dialog, file-system folders only.
QString ChooseExistingFolder(QWidget* owner, const QString& caption, const QString& start);

}  // namespace voltaro
