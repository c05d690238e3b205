#pragma once

#include <cstdint>
#include <functional>

namespace voltaro {

class ProgressDialog;

// Runs `work` on a worker thread while `progress` is shown modally over the window that
// started it: the windows stay painted, and no second operation can start. Returns
// once `work` has ended and the dialog has closed. `work` must not touch widgets; it
// reaches the window thread through queued calls (ProgressDialog's setters and
// QtMessages do this themselves).
void RunInBackground(ProgressDialog& progress, std::function<void()> work);

// The same for an operation that answers 0, or -1 after reporting its own failure
// (an exchange with the meter); returns that answer.
std::int16_t RunOperation(ProgressDialog& progress, const std::function<std::int16_t()>& operation);

}  // namespace voltaro
