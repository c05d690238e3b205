#pragma once

#include <functional>

namespace voltaro {

class ProgressDialog;

// Runs `work` on a worker thread while `progress` is shown modally over the window that
// started it: the windows stay painted, and no second operation can start. Returns
// once `work` has ended and the dialog has closed. `work` must not touch widgets; it
// reaches the window thread through queued calls (ProgressDialog's setters and
// QtMessages do this themselves).
void RunInBackground(ProgressDialog& progress, std::function<void()> work);

}  // namespace voltaro
