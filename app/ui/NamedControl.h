#pragma once

namespace voltaro {

// `control` with its object name set to `name`, the name the window's controls go by.
template <typename Control>
Control* named(Control* control, const char* name) {
    control->setObjectName(name);
    return control;
}

}  // namespace voltaro
