#pragma once

#include <QString>
#include <functional>

namespace voltaro {

// Opens a local file with the desktop's default application (a workbook with the spreadsheet
// program); false when nothing could open it. Windows take it as a parameter, so that tests
// record the files instead.
using DocumentOpener = std::function<bool(const QString& path)>;

bool OpenWithDesktop(const QString& path);

}  // namespace voltaro
