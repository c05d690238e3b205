#include "settings/ui/ControlValue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>

namespace voltaro {

void SelectListPosition(QComboBox* list, int position) {
    if (list->currentIndex() == position)
        emit list->currentIndexChanged(position);
    else
        list->setCurrentIndex(position);
}

void SetTicked(QCheckBox* check, bool ticked) {
    if (check->isChecked() == ticked)
        emit check->toggled(ticked);
    else
        check->setChecked(ticked);
}

void RefillList(QComboBox* list, const QStringList& texts) {
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(texts);
    list->setCurrentIndex(-1);
}

}  // namespace voltaro
