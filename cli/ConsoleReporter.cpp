#include "cli/ConsoleReporter.h"

#include <cctype>
#include <cstdio>
#include <istream>
#include <ostream>

namespace voltaro {

namespace {

// Smaller work finishes before a progress line would be worth reading.
constexpr std::uint64_t kWorthShowingBytes = 16u << 20;

}  // namespace

void ConsoleReporter::update(const std::string& name, std::uint64_t done, std::uint64_t total) {
    if (!enabled_ || total < kWorthShowingBytes) return;
    const int percent = static_cast<int>(done * 100 / total);
    if (percent == lastPercent_ && shown_) return;
    lastPercent_ = percent;
    char line[160];
    std::snprintf(line, sizeof line, "%.80s: %3d%% (%.1f of %.1f MB)", name.c_str(), percent,
                  static_cast<double>(done) / 1e6, static_cast<double>(total) / 1e6);
    showLine(line);
}

void ConsoleReporter::showLine(const std::string& line) {
    if (!enabled_ || (shown_ && line == lastLine_)) return;
    err_ << '\r' << line << "\033[K" << std::flush;
    lastLine_ = line;
    shown_ = true;
}

void ConsoleReporter::clear() {
    if (!shown_) return;
    err_ << "\r\033[K" << std::flush;
    shown_ = false;
    lastPercent_ = -1;
}

void ConsoleReporter::notify(MessageIcon, const std::string&, const std::string& text) {
    clear();
    err_ << text << std::endl;
}

bool ConsoleReporter::askOkCancel(const std::string&, const std::string& text) {
    clear();
    if (answers_ != ConsoleAnswers::Ask || in_ == nullptr) {
        const bool ok = answers_ == ConsoleAnswers::Ok;
        err_ << text << (ok ? " OK" : " Cancel") << std::endl;
        return ok;
    }
    const std::string answer = readAnswer(text + " [OK/Cancel] ");
    return answer == "ok" || answer == "o" || answer == "y" || answer == "yes";
}

Answer ConsoleReporter::askYesNoCancel(const std::string&, const std::string& text) {
    clear();
    if (answers_ != ConsoleAnswers::Ask || in_ == nullptr) {
        const Answer given = answers_ == ConsoleAnswers::Ok   ? Answer::Yes
                             : answers_ == ConsoleAnswers::No ? Answer::No
                                                              : Answer::Cancel;
        err_ << text << (given == Answer::Yes ? " Yes" : given == Answer::No ? " No" : " Cancel") << std::endl;
        return given;
    }
    const std::string answer = readAnswer(text + " [Yes/No/Cancel] ");
    if (answer == "y" || answer == "yes") return Answer::Yes;
    if (answer == "n" || answer == "no") return Answer::No;
    return Answer::Cancel;
}

std::string ConsoleReporter::readAnswer(const std::string& prompt) {
    err_ << prompt << std::flush;
    std::string answer;
    if (!std::getline(*in_, answer)) return {};
    for (char& c : answer) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return answer;
}

}  // namespace voltaro
