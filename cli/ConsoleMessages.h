#pragma once

#include <iosfwd>

#include "app/Messages.h"

namespace voltaro {

// Reports on the command line: the message text alone, one line on the error stream.
class ConsoleMessages final : public Messages {
public:
    explicit ConsoleMessages(std::ostream& err) : err_(err) {}
    void notify(MessageIcon icon, const std::string& title, const std::string& text) override;

private:
    std::ostream& err_;
};

}  // namespace voltaro
