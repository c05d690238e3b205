#pragma once

#include <QString>
#include <functional>

#include "app/AppContext.h"

namespace voltaro {

// Opens a local file with the desktop's default application; false when it could not.
// "FILE#SECTION", where no file of that whole name exists, opens FILE at that section.
using DocumentOpener = std::function<bool(const QString& path)>;

bool OpenWithDesktop(const QString& path);

// Opens the local file `path`; a missing file, or one nothing could open, is reported as
// a system error.
void OpenLocalDocument(AppContext& ctx, const DocumentOpener& openDocument, const QString& path);

// The manual's path: the help file named in the catalogue, as HTML, in the application folder.
QString ManualPath(const AppContext& ctx);

// Opens the manual, the same from every window's Help button, at the section of the
// window that asks (the manual's anchor, such as "settings") or at its start; a missing
// manual, or one nothing could open, is reported as a system error.
void OpenManual(AppContext& ctx, const DocumentOpener& openDocument, const QString& section = {});

}  // namespace voltaro
