#include "app/ui/FolderBox.h"

#include <QDir>
#include <QLineEdit>

#include "app/ErrorReporting.h"

namespace voltaro {

bool AcceptTypedFolder(AppContext& ctx, QLineEdit& box, const std::string& savedFolder, int notReadyText) {
    const QString folder = box.text();
    const QDir dir(folder);
    if (!folder.isEmpty() && dir.exists() && dir.isReadable()) return true;
    box.setText(QString::fromStdString(savedFolder));
    ShowStopText(ctx, ctx.catalogue.text(notReadyText));
    return false;
}

}  // namespace voltaro
