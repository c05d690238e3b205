#pragma once

#include <algorithm>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "link/SerialPort.h"
#include "support/ManualClock.h"

namespace voltaro::test {

// A serial line whose far end follows a script: bytes arrive at given moments of a
// manual clock, and queries can be answered from a table. Waiting moves the clock.
class ScriptedPort final : public SerialPort {
public:
    explicit ScriptedPort(ManualClock& clock) : clock_(clock) {}

    // `bytes` arrive `after` from now.
    void arrive(const std::string& bytes, MonotonicClock::Duration after = {}) {
        const auto at = clock_.now() + after;
        const auto later = std::find_if(arrivals_.begin(), arrivals_.end(), [&](const Arrival& a) { return a.at > at; });
        arrivals_.insert(later, {at, bytes});
    }
    // Each time `command` is written, the next of `replies` arrives (CR LF added), once
    // `delay` has passed. A command without replies left stays unanswered.
    void answer(const std::string& command, std::vector<std::string> replies,
                MonotonicClock::Duration delay = std::chrono::milliseconds(10)) {
        for (std::string& reply : replies) answers_[command].push_back({reply + "\r\n", delay});
    }

    // Forgets the script and what was written, as if a new meter were attached.
    void reset() {
        arrivals_.clear();
        answers_.clear();
        written.clear();
    }

    bool open(const SerialLineSettings& settings, std::string& error) override {
        if (!openError.empty()) {
            error = openError;
            return false;
        }
        opened.push_back(settings);
        open_ = true;
        return true;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool write(std::string_view bytes, std::chrono::milliseconds) override {
        if (!acceptWrites || !lostWith.empty()) return false;
        written.emplace_back(bytes);
        std::string command(bytes.substr(0, bytes.size() >= 2 ? bytes.size() - 2 : 0));
        auto found = answers_.find(command);
        if (found != answers_.end() && !found->second.empty()) {
            arrive(found->second.front().text, found->second.front().delay);
            found->second.pop_front();
        }
        return true;
    }
    bool waitForInput(std::chrono::milliseconds timeout) override {
        if (!lostWith.empty()) return false;  // a lost line answers at once
        // The arrivals are kept in order of time: only the first can come before the deadline.
        const auto deadline = clock_.now() + timeout;
        const bool arrives = !arrivals_.empty() && arrivals_.front().at <= deadline;
        clock_.sleepUntil(arrives ? arrivals_.front().at : deadline);
        return arrives;
    }
    std::size_t read(char* destination, std::size_t capacity) override {
        std::size_t got = 0;
        while (!arrivals_.empty() && arrivals_.front().at <= clock_.now() && got < capacity) {
            std::string& bytes = arrivals_.front().bytes;
            const std::size_t take = std::min(capacity - got, bytes.size());
            bytes.copy(destination + got, take);
            bytes.erase(0, take);
            got += take;
            if (bytes.empty()) arrivals_.pop_front();
        }
        return got;
    }

    std::string lineError() const override { return lostWith; }

    // The command lines written, without their CR LF.
    std::vector<std::string> commands() const {
        std::vector<std::string> lines;
        for (const std::string& line : written) lines.push_back(line.substr(0, line.size() - 2));
        return lines;
    }

    std::vector<std::string> written;
    std::vector<SerialLineSettings> opened;
    std::string openError;
    bool acceptWrites = true;
    std::string lostWith;  // the system's text of a line that is gone; empty while it works

private:
    struct Arrival {
        MonotonicClock::TimePoint at;
        std::string bytes;
    };
    struct Answer {
        std::string text;
        MonotonicClock::Duration delay;
    };
    ManualClock& clock_;
    std::deque<Arrival> arrivals_;
    std::map<std::string, std::deque<Answer>> answers_;
    bool open_ = false;
};

}  // namespace voltaro::test
