#pragma once

#include <QString>

namespace voltaro {

// `control` with its object name set to `name`, the name the window's controls go by.
template <typename Control>
Control* named(Control* control, const char* name) {
    control->setObjectName(name);
    return control;
}

// The name of element `index` of a control array, "txtCt(2)".
inline QString ElementName(const char* array, int index) {
    return QString::fromLatin1(array) + '(' + QString::number(index) + ')';
}

// `control` named as element `index` of the control array `array`.
template <typename Control>
Control* named(Control* control, const char* array, int index) {
    control->setObjectName(ElementName(array, index));
    return control;
}

}  // namespace voltaro
