#pragma once

class QEvent;

namespace voltaro {

// Whether `event` is the focus leaving a control for another control of the same window.
// Focus taken by another window (a message box, the progress window, another program)
// is no move within this one: reacting to it would report a bad entry twice, or enable a
// button in the middle of a run.
bool LeavesForAnotherControl(const QEvent& event);

}  // namespace voltaro
