#include "app/ui/Manual.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/ErrorReporting.h"

namespace voltaro {

namespace {

constexpr int kHelpFileName = 1001;

}  // namespace

bool OpenWithDesktop(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

QString ManualPath(const AppContext& ctx) {
    std::filesystem::path name = ctx.catalogue.text(kHelpFileName);
    name.replace_extension(".html");
    return QString::fromStdString(ctx.AppPath + name.string());
}

void OpenLocalDocument(AppContext& ctx, const DocumentOpener& openDocument, const QString& path) {
    if (!QFileInfo::exists(path)) {
        ReportSystemError(ctx, path.toStdString() + ": " + std::strerror(ENOENT));
        return;
    }
    if (!openDocument(path)) ReportSystemError(ctx, path.toStdString() + ": no application could open it");
}

void OpenManual(AppContext& ctx, const DocumentOpener& openDocument) {
    OpenLocalDocument(ctx, openDocument, ManualPath(ctx));
}

}  // namespace voltaro
