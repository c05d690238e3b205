#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "app/AppContext.h"

class QWidget;

namespace voltaro {

// Shows the manual at `section` (an anchor of app/ManualSections.h; empty for its start) for the
// window `owner`. Windows take it as a parameter: the program gives them ShowManual, tests record
// the sections asked for.
using ManualViewer = std::function<void(AppContext& ctx, QWidget* owner, std::string_view section)>;

// The manual's file name: the catalogue's help file with the extension ".html".
std::string ManualFileName(const AppContext& ctx);

// Shows the manual, found among the program's own files (ctx.ExecutableDir), in the help window
// of `owner`, at `section`: the window opens on the first Help and comes forward on the next. A
// manual that is missing or cannot be read is reported as a system error ("PATH: No such file or
// directory") under the owner's title, and nothing opens.
void ShowManual(AppContext& ctx, QWidget* owner, std::string_view section);

}  // namespace voltaro
