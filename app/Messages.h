#pragma once

#include <string>

namespace voltaro {

enum class MessageIcon { Stop, Exclamation, Information, None };

enum class Answer { Yes, No, Cancel };

// The one road to the user. The windows show a message box, the command line prints
// on stderr, tests record.
class Messages {
public:
    virtual ~Messages() = default;
    // One box with an OK button.
    virtual void notify(MessageIcon icon, const std::string& title, const std::string& text) = 0;
    // A question with a question icon and OK and Cancel buttons; true for OK.
    virtual bool askOkCancel(const std::string& title, const std::string& text) = 0;
    // A question with an exclamation icon and Yes, No and Cancel buttons.
    virtual Answer askYesNoCancel(const std::string& title, const std::string& text) = 0;
};

}  // namespace voltaro
