#pragma once

#include "app/Messages.h"

namespace voltaro {

// Reports as modal message boxes over the window that is active. A worker thread may
// report too: its box is shown by the window thread while the worker waits for it.
class QtMessages final : public Messages {
public:
    void notify(MessageIcon icon, const std::string& title, const std::string& text) override;
    bool askOkCancel(const std::string& title, const std::string& text) override;
    Answer askYesNoCancel(const std::string& title, const std::string& text) override;
};

}  // namespace voltaro
