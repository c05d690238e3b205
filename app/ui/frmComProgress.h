#pragma once

#include "app/AppContext.h"
#include "app/ui/ProgressDialog.h"

namespace voltaro {

// The window the settings receive and send run behind (see RunOperation): the caption
// "Communicating ...", what is being done, and a fixed picture.
class frmComProgress : public ProgressDialog {
    Q_OBJECT

public:
    frmComProgress(const AppContext& ctx, const QString& message, QWidget* owner);
};

}  // namespace voltaro
