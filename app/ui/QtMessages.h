#pragma once

#include "app/Messages.h"

namespace voltaro {

// Reports as modal message boxes over the window that is active.
class QtMessages final : public Messages {
public:
    void notify(MessageIcon icon, const std::string& title, const std::string& text) override;
};

}  // namespace voltaro
