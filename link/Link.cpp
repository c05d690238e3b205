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

// The whole reply may take this many silence time-outs besides its time on the line: the
// meter's pause before it answers, and stalls of the line or of an adapter on the way.
constexpr int kSilencesPerReply = 3;
// Beyond this a deadline is no deadline (and its arithmetic would overflow).
constexpr double kLongestDeadlineSeconds = 1e9;

using Seconds = std::chrono::duration<double>;

constexpr int kCannotOpenText = 350;     // precedes the device
constexpr int kLineLostText = 351;       // precedes the device
constexpr int kLineLostAfterText = 352;  // follows the device, before the system's text

}  // namespace

std::int16_t Link::OpenCommPort(const PcSettings& pc) {
    if (port_.isOpen()) port_.close();
    pending_.clear();
    const SerialLineSettings line = LineSettings(pc);
    const int bitsPerCharacter = 1 + line.dataBits + (line.parity == 'N' ? 0 : 1) + line.stopBits;
    if (line.baud > 0) secondsPerCharacter_ = static_cast<double>(bitsPerCharacter) / line.baud;
    device_ = line.device;
    std::string error;
    if (port_.open(line, error)) return 0;
    ReportSystemError(ctx_, ctx_.catalogue.text(kCannotOpenText) + device_ + ": " + error);
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
    return communicationFailed();
}

std::int16_t Link::communicationFailed() {
    if (!lineLost()) {
        ShowErrorMessage(ctx_, kErrKindApplication, kCommunicationFailed);
        return kAlreadyReported;
    }
    // In the same box, under the usual words: a dead line is told from a silent meter.
    const Catalogue& texts = ctx_.catalogue;
    ReportSystemError(ctx_, texts.codeText(kCommunicationFailed) + '\n' + texts.text(kLineLostText) + device_ +
                                texts.text(kLineLostAfterText) + ": " + port_.lineError());
    return kAlreadyReported;
}

MonotonicClock::TimePoint Link::ReplyDeadline(std::uint64_t bytes, int timeoutSeconds) const {
    const double seconds =
        kSilencesPerReply * std::max(timeoutSeconds, 1) + static_cast<double>(bytes) * secondsPerCharacter_;
    if (seconds > kLongestDeadlineSeconds) return MonotonicClock::TimePoint::max();
    return clock_.now() + std::chrono::duration_cast<MonotonicClock::Duration>(Seconds(seconds));
}

MonotonicClock::Duration Link::LineTime(std::uint64_t bytes) const {
    const double seconds = std::min(static_cast<double>(bytes) * secondsPerCharacter_, kLongestDeadlineSeconds);
    return std::chrono::duration_cast<MonotonicClock::Duration>(Seconds(seconds));
}

long long Link::wholeSeconds(MonotonicClock::TimePoint t) const {
    return std::llround(std::chrono::duration_cast<Seconds>(t.time_since_epoch()).count());
}

bool Link::takeWaitingInput() {
    std::array<char, 4096> chunk;
    bool took = false;
    // Bounded, so that a line that never stops sending cannot fill the memory between two uses.
    for (std::size_t got; pending_.size() < kInputChunk && (got = port_.read(chunk.data(), chunk.size())) != 0;) {
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

std::int16_t Link::AwaitInput(int timeoutSeconds, MonotonicClock::TimePoint deadline) {
    const int timeout = std::max(timeoutSeconds, 1);
    // Whole seconds, rounded, as the meter's protocol counts them: the time-out fires once
    // the rounded clock has moved on by `timeout`, after timeout - 1 to timeout seconds.
    const long long start = wholeSeconds(clock_.now());
    const auto silenceEnd = MonotonicClock::TimePoint(
        std::chrono::duration_cast<MonotonicClock::Duration>(Seconds(static_cast<double>(start + timeout) - 0.5)));
    for (;;) {
        if (clock_.now() >= deadline) return communicationFailed();
        if (!pending_.empty() || waitForInput(std::min(silenceEnd, deadline))) return 0;
        // A lost line stays lost: waiting out the time-out would only keep the user waiting.
        if (lineLost()) return communicationFailed();
        if (wholeSeconds(clock_.now()) - start >= timeout) return communicationFailed();
    }
}

std::int16_t Link::ReceiveUntil(std::string& text, char terminator, int timeoutSeconds, std::size_t longest) {
    return receiveUntil(text, terminator, timeoutSeconds, longest, ReplyDeadline(longest, timeoutSeconds));
}

std::int16_t Link::receiveUntil(std::string& text, char terminator, int timeoutSeconds, std::size_t longest,
                                MonotonicClock::TimePoint deadline) {
    text.clear();
    for (;;) {
        // The silence is counted afresh after each piece of the reply.
        if (AwaitInput(timeoutSeconds, deadline) != 0) return kAlreadyReported;
        const std::size_t end = pending_.find(terminator);
        const std::size_t taken = end == std::string::npos ? pending_.size() : end + 1;
        if (text.size() + taken > longest) return communicationFailed();
        text.append(pending_, 0, taken);
        pending_.erase(0, taken);
        if (end != std::string::npos) return 0;
    }
}

std::int16_t Link::ReceiveResponse(std::string& text, int timeoutSeconds, std::size_t longest) {
    return receiveLine(text, timeoutSeconds, longest, ReplyDeadline(longest + 2, timeoutSeconds));
}

std::int16_t Link::receiveLine(std::string& text, int timeoutSeconds, std::size_t longest,
                               MonotonicClock::TimePoint deadline) {
    const std::int16_t result = receiveUntil(text, '\n', timeoutSeconds, longest + 2, deadline);
    if (result == 0) text.resize(text.size() >= 2 ? text.size() - 2 : 0);
    return result;
}

std::int16_t Link::QueryBy(std::string_view command, std::string& reply, MonotonicClock::TimePoint deadline,
                           std::size_t longest) {
    reply.clear();
    std::string line(command);
    line += "\r\n";
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - clock_.now());
    if (left.count() <= 0 || !port_.write(line, left)) return communicationFailed();
    // The deadline is the bound; the silence rule is left at the meter's own time-out.
    return receiveLine(reply, kReplyTimeoutSeconds, longest, deadline);
}

void Link::WaitSeconds(int seconds) {
    const long long start = wholeSeconds(clock_.now());
    while (wholeSeconds(clock_.now()) - start < seconds) {
        clock_.sleepUntil(MonotonicClock::TimePoint(std::chrono::duration_cast<MonotonicClock::Duration>(
            Seconds(static_cast<double>(start + seconds) - 0.5))));
    }
}

}  // namespace voltaro
