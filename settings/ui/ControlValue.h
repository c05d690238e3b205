#pragma once

#include <QStringList>

class QCheckBox;
class QComboBox;

namespace voltaro {

// Sets a list to `position` and runs its handler, also when the list already stood
// there: refills and enabling depend on the handler running whenever the window sets an
// item, as they do when the user picks one.
void SelectListPosition(QComboBox* list, int position);

// Ticks or clears a check box and runs its handler, also when it already was so.
void SetTicked(QCheckBox* check, bool ticked);

// Refills a list with `texts` without running its handler on the way; the caller then
// selects the entry it wants.
void RefillList(QComboBox* list, const QStringList& texts);

}  // namespace voltaro
