#pragma once

#include <string>
#include <vector>

#include "app/Messages.h"

namespace voltaro::test {

// Keeps every box the code under test shows, in order.
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

    std::vector<Box> boxes;
};

}  // namespace voltaro::test
