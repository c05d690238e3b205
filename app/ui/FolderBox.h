#pragma once

#include <string>

#include "app/AppContext.h"

class QLineEdit;

namespace voltaro {

// Whether the folder typed into `box` can be listed. When it cannot (a missing drive
// or folder, or no text, which would list the current folder the user never chose),
// shows the catalogue text `notReadyText` ("Drive not ready.") and puts `savedFolder`,
// the last good one, back into the box.
bool AcceptTypedFolder(AppContext& ctx, QLineEdit& box, const std::string& savedFolder, int notReadyText);

}  // namespace voltaro
