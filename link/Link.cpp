#include "link/Link.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "app/ErrorReporting.h"
#include "link/CommPortSettings.h"

namespace voltaro {

namespace {

// Sending has no time-out of its own; a line that stops taking bytes must not hang us.
constexpr std::chrono::milliseconds kSendSafetyMargin{10000};
constexpr double kBitsPerByte = 10;

using Seconds = std::chrono::duration<double>;

}  // namespace

std::int16_t Link::OpenCommPort(const PcSettings& pc) {
    if (port_.isOpen()) port_.close();
    pending_.clear();
    std::string error;
    if (port_.open(LineSettings(pc), error)) return 0;
    ReportSystemError(ctx_, error);
    return kAlreadyReported;
}

void Link::CloseCommPort() {
    if (port_.isOpen()) port_.close();
    pending_.clear();
}

std::int16_t Link::SendRaw(std::string_view text, std::string_view terminator) {
    std::string line(text);
    line += terminator;
    // Time for the line at the slowest rate the setup offers, plus the margin.
    const auto lineTime = std::chrono::milliseconds(static_cast<long long>(line.size() * kBitsPerByte * 1000 / 1200));
    if (port_.write(line, kSendSafetyMargin + lineTime)) return 0;
    ShowErrorMessage(ctx_, kErrKindApplication, kCommunicationFailed);
    return kAlreadyReported;
}

long long Link::wholeSeconds(MonotonicClock::TimePoint t) const {
    return std::llround(std::chrono::duration_cast<Seconds>(t.time_since_epoch()).count());
}

bool Link::takeWaitingInput() {
    std::array<char, 4096> chunk;
    bool took = false;
    for (std::size_t got; (got = port_.read(chunk.data(), chunk.size())) != 0;) {
        pending_.append(chunk.data(), got);
        took = true;
    }
    return took;
}

bool Link::waitForInput(MonotonicClock::TimePoint deadline) {
    if (takeWaitingInput()) return true;
    const auto now = clock_.now();
    if (now >= deadline) return false;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
    return port_.waitForInput(std::max(wait, std::chrono::milliseconds(1))) && takeWaitingInput();
}

std::int16_t Link::AwaitInput(int timeoutSeconds) {
    const int timeout = std::max(timeoutSeconds, 1);
    // Whole seconds, rounded, as the meter's protocol counts them: the time-out fires once
    // the rounded clock has moved on by `timeout`, after timeout - 1 to timeout seconds.
    const long long start = wholeSeconds(clock_.now());
    const auto deadline = MonotonicClock::TimePoint(
        std::chrono::duration_cast<MonotonicClock::Duration>(Seconds(static_cast<double>(start + timeout) - 0.5)));
    while (pending_.empty() && !waitForInput(deadline)) {
        if (wholeSeconds(clock_.now()) - start >= timeout) {
            ShowErrorMessage(ctx_, kErrKindApplication, kCommunicationFailed);
            return kAlreadyReported;
        }
    }
    return 0;
}

std::int16_t Link::ReceiveUntil(std::string& text, char terminator, int timeoutSeconds) {
    text.clear();
    for (;;) {
        // The silence is counted afresh after each piece of the reply.
        if (AwaitInput(timeoutSeconds) != 0) return kAlreadyReported;
        const std::size_t end = pending_.find(terminator);
        if (end != std::string::npos) {
            text.append(pending_, 0, end + 1);
            pending_.erase(0, end + 1);
            return 0;
        }
        text += pending_;
        pending_.clear();
    }
}

std::int16_t Link::ReceiveResponse(std::string& text, int timeoutSeconds) {
    const std::int16_t result = ReceiveUntil(text, '\n', timeoutSeconds);
    if (result == 0) text.resize(text.size() >= 2 ? text.size() - 2 : 0);
    return result;
}

void Link::WaitSeconds(int seconds) {
    const long long start = wholeSeconds(clock_.now());
    while (wholeSeconds(clock_.now()) - start < seconds) {
        clock_.sleepUntil(MonotonicClock::TimePoint(std::chrono::duration_cast<MonotonicClock::Duration>(
            Seconds(static_cast<double>(start + seconds) - 0.5))));
    }
}

}  // namespace voltaro
