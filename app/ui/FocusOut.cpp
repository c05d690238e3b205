#include "app/ui/FocusOut.h"

#include <QFocusEvent>

namespace voltaro {

bool LeavesForAnotherControl(const QEvent& event) {
    if (event.type() != QEvent::FocusOut) return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent&>(event).reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

}  // namespace voltaro
