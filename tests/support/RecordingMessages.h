#pragma once

#include <string>
#include <vector>

#include "app/Messages.h"

namespace voltaro::test {

// Keeps every box the code under test shows, in order, and answers questions from a
// script (OK or Yes when the script has run out).
class RecordingMessages final : public Messages {
public:
    struct Box {
        MessageIcon icon;
        std::string title;
        std::string text;
    };

    void notify(MessageIcon icon, const std::string& title, const std::string& text) override {
        boxes.push_back({icon, title, text});
    }
    bool askOkCancel(const std::string& title, const std::string& text) override {
        questions.push_back({MessageIcon::Exclamation, title, text});
        if (answers.empty()) return true;
        const bool ok = answers.front();
        answers.erase(answers.begin());
        return ok;
    }

    Answer askYesNoCancel(const std::string& title, const std::string& text) override {
        questions.push_back({MessageIcon::Exclamation, title, text});
        if (threeWayAnswers.empty()) return Answer::Yes;
        const Answer answer = threeWayAnswers.front();
        threeWayAnswers.erase(threeWayAnswers.begin());
        return answer;
    }

    // The texts of the boxes shown, in order.
    std::vector<std::string> texts() const {
        std::vector<std::string> shown;
        for (const Box& box : boxes) shown.push_back(box.text);
        return shown;
    }

    std::vector<Box> boxes;
    std::vector<Box> questions;
    std::vector<bool> answers;  // true OK, false Cancel
    std::vector<Answer> threeWayAnswers;
};

}  // namespace voltaro::test
