#include "app/ui/IndexedToolBar.h"

#include <QAction>

namespace voltaro {

IndexedToolBar::IndexedToolBar(const std::vector<Button>& buttons, QWidget* parent) : QToolBar(parent) {
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const Button& entry : buttons) {
        while (static_cast<int>(positions_.size()) + 1 < entry.index) {
            addSeparator();
            positions_.push_back(nullptr);
        }
        QAction* action = addAction(entry.icon, entry.caption);
        const int index = entry.index;
        connect(action, &QAction::triggered, this, [this, index] { emit buttonClicked(index); });
        positions_.push_back(action);
    }
}

QAction* IndexedToolBar::button(int index) const {
    if (index < 1 || index > static_cast<int>(positions_.size())) return nullptr;
    return positions_[static_cast<std::size_t>(index - 1)];
}

}  // namespace voltaro
