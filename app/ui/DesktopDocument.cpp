#include "app/ui/DesktopDocument.h"

#include <QDesktopServices>
#include <QUrl>

namespace voltaro {

bool OpenWithDesktop(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

}  // namespace voltaro
