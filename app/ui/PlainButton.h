#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace voltaro {

// A push button named `name` that Enter never presses: in the tool windows Enter
// confirms the text typed into a box, and must not start an operation as well.
QPushButton* NewPlainButton(const QString& name, const QString& caption, QWidget* parent);

}  // namespace voltaro
