#pragma once

#include <string>

namespace voltaro {

enum class MessageIcon { Stop, Exclamation, Information };

// The one road to the user. The windows show a message box, the command line prints
// on stderr, tests record. Each report is one box with an OK button.
class Messages {
public:
    virtual ~Messages() = default;
    virtual void notify(MessageIcon icon, const std::string& title, const std::string& text) = 0;
};

}  // namespace voltaro
