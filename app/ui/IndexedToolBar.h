#pragma once

#include <QIcon>
#include <QString>
#include <QToolBar>
#include <vector>

class QAction;

namespace voltaro {

// A toolbar whose buttons stand at fixed 1-based positions with a separator at every
// even position (1, 3, 5, ... are buttons), the way all tool windows number them.
// A click reports the button's position.
class IndexedToolBar : public QToolBar {
    Q_OBJECT

public:
    struct Button {
        int index;
        QString caption;
        QIcon icon;
    };

    IndexedToolBar(const std::vector<Button>& buttons, QWidget* parent = nullptr);

    // The button at `index`, or nullptr for a separator or an unused position.
    QAction* button(int index) const;
    // Every position in order: the button, or nullptr for a separator.
    const std::vector<QAction*>& positions() const { return positions_; }

signals:
    void buttonClicked(int index);

private:
    std::vector<QAction*> positions_;
};

}  // namespace voltaro
