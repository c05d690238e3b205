#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class QWidget;

namespace voltaro::test {

enum class Shown { Only, AndHidden };

// The widgets `container` arranges: its layout's or its own children, the pages of a stack, the
// widget of a scroll area. The parts a control is made of (a combo box's line edit, a list's
// scroll bars and viewport, a toolbar's extension button when hidden) and windows of their own
// (a combo box's popup) are not among them; neither are hidden widgets unless asked for.
std::vector<QWidget*> arrangedChildren(const QWidget& container, Shown shown);

// "frmFileConv/fmaOutput/btnBrowseOut": the object names from the window down; a widget
// without a name goes by its class and caption, as in `Toolbar1/QToolButton "Help"`.
QString widgetPath(const QWidget& widget);

// The paths of the window's controls that have no object name, shown or hidden: buttons,
// check boxes, option buttons, text boxes, lists, combo boxes, frames and toolbars.
QStringList unnamedControls(const QWidget& window);

}  // namespace voltaro::test
