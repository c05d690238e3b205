#pragma once

#include "app/AppContext.h"
#include "app/ui/ProgressDialog.h"

namespace voltaro {

// The window the meter's file directory read and file copy run behind (see
// RunOperation): the caption "Communicating ...", what is being done, the file at hand,
// and an animation from the program's own files. A missing or unreadable animation file
// leaves the picture out; the operation runs all the same.
class frmProgress : public ProgressDialog {
    Q_OBJECT

public:
    enum Mode { FileCopy = 0, DirectoryRead = 1 };

    frmProgress(const AppContext& ctx, Mode mode, const QString& message, QWidget* owner);
};

}  // namespace voltaro
