#include "app/ui/FolderChooser.h"

#include <QDir>
#include <QFileDialog>

namespace voltaro {

QString ChooseExistingFolder(QWidget* owner, const QString& caption, const QString& start) {
    return QDir::toNativeSeparators(QFileDialog::getExistingDirectory(owner, caption, start));
}

}  // namespace voltaro
