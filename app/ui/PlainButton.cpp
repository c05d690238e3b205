#include "app/ui/PlainButton.h"

#include <QPushButton>

namespace voltaro {

QPushButton* NewPlainButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace voltaro
