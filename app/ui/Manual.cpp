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

// Opens `location`, the file `path` or a section of it.
void openExisting(AppContext& ctx, const DocumentOpener& openDocument, const QString& path, const QString& location) {
    if (!QFileInfo::exists(path)) {
        ReportSystemError(ctx, path.toStdString() + ": " + std::strerror(ENOENT));
        return;
    }
    if (!openDocument(location)) ReportSystemError(ctx, path.toStdString() + ": no application could open it");
}

}  // namespace

bool OpenWithDesktop(const QString& path) {
    const qsizetype mark = path.lastIndexOf('#');
    if (mark < 0 || QFileInfo::exists(path)) return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    QUrl section = QUrl::fromLocalFile(path.left(mark));
    section.setFragment(path.mid(mark + 1));
    return QDesktopServices::openUrl(section);
}

QString ManualPath(const AppContext& ctx) {
    std::filesystem::path name = ctx.catalogue.text(kHelpFileName);
    name.replace_extension(".html");
    return QString::fromStdString(ctx.AppPath + name.string());
}

void OpenLocalDocument(AppContext& ctx, const DocumentOpener& openDocument, const QString& path) {
    openExisting(ctx, openDocument, path, path);
}

void OpenManual(AppContext& ctx, const DocumentOpener& openDocument, const QString& section) {
    const QString path = ManualPath(ctx);
    openExisting(ctx, openDocument, path, section.isEmpty() ? path : path + '#' + section);
}

}  // namespace voltaro
