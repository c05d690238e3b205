#pragma once

#include <QApplication>
#include <QThread>
#include <functional>
#include <string>
#include <vector>

#include "app/Messages.h"

namespace voltaro::test {

// Records every box on the window thread, where the real ones are shown, with what `look`
// finds then. Questions get OK.
class WindowThreadMessages final : public Messages {
public:
    struct Box {
        std::string title;
        std::string text;
        QString seen;
    };

    void notify(MessageIcon, const std::string& title, const std::string& text) override { record(title, text); }
    bool askOkCancel(const std::string& title, const std::string& text) override {
        record(title, text);
        return true;
    }
    Answer askYesNoCancel(const std::string&, const std::string&) override { return Answer::Cancel; }

    std::vector<std::string> texts() const {
        std::vector<std::string> shown;
        for (const Box& box : boxes) shown.push_back(box.text);
        return shown;
    }

    std::vector<Box> boxes;
    std::function<QString()> look;

private:
    void record(const std::string& title, const std::string& text) {
        const auto show = [&] { boxes.push_back({title, text, look ? look() : QString()}); };
        if (QThread::currentThread() == qApp->thread())
            show();
        else
            QMetaObject::invokeMethod(qApp, show, Qt::BlockingQueuedConnection);
    }
};

}  // namespace voltaro::test
