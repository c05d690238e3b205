#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "app/Messages.h"

namespace voltaro {

// How a question is answered on the command line.
enum class ConsoleAnswers {
    Cancel,  // no one to ask: every question is answered Cancel
    Ok,      // --yes: every question is answered OK, or Yes
    No,      // --no: a Yes, No or Cancel question is answered No, any other Cancel
    Ask,     // ask on the terminal and read the answer
};

// How the command line reports: each message as its text alone on a line of the error
// stream, and, on a terminal, a one-line progress display redrawn in place that a
// message first clears.
class ConsoleReporter final : public Messages {
public:
    // `progress` false (not a terminal) makes update() silent; messages still print.
    // Questions are answered as `answers` says, reading from `in` when it says Ask.
    ConsoleReporter(std::ostream& err, bool progress, ConsoleAnswers answers = ConsoleAnswers::Cancel,
                    std::istream* in = nullptr)
        : err_(err), in_(in), enabled_(progress), answers_(answers) {}

    // Shows "name: 45% (120.0 of 266.7 MB)" when the work is large enough to watch.
    void update(const std::string& name, std::uint64_t done, std::uint64_t total);
    // Shows `line` as the progress line (on a terminal only).
    void showLine(const std::string& line);
    void clear();
    // Questions asked from now on are answered as `answers` says.
    void answerWith(ConsoleAnswers answers) { answers_ = answers; }

    void notify(MessageIcon icon, const std::string& title, const std::string& text) override;
    // Prints the question; on a terminal "ok" (or "o", "y", "yes") answers OK.
    bool askOkCancel(const std::string& title, const std::string& text) override;
    // Prints the question; on a terminal "y" or "yes" answers Yes, "n" or "no" No.
    Answer askYesNoCancel(const std::string& title, const std::string& text) override;

private:
    // Prints `prompt` and reads one line, in lower case; empty at the end of the input.
    std::string readAnswer(const std::string& prompt);

    std::ostream& err_;
    std::istream* in_;
    bool enabled_;
    ConsoleAnswers answers_;
    bool shown_ = false;
    int lastPercent_ = -1;
    std::string lastLine_;
};


}  // namespace voltaro
