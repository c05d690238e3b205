#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/AppContext.h"
#include "link/MonotonicClock.h"
#include "link/SerialPort.h"

namespace voltaro {

inline constexpr int kReplyTimeoutSeconds = 5;

// One window's line to the meter: the serial port, the clock its time-outs count in,
// and the input already taken from the port but not yet used (what followed a reply's
// LF stays for the next receive). Failures are reported once, here, through the
// context's messages; callers only stop.
class Link {
public:
    Link(AppContext& ctx, SerialPort& port, const MonotonicClock& clock) : ctx_(ctx), port_(port), clock_(clock) {}

    AppContext& context() { return ctx_; }
    const MonotonicClock& clock() const { return clock_; }

    // Opens the port with the serial settings of `pc` (closing it first when open);
    // 0, or -1 after showing the system's text.
    std::int16_t OpenCommPort(const PcSettings& pc);
    void CloseCommPort();

    // Sends text and terminator and waits until they have left; -1 ("Communication
    // failed." shown) when the line does not take them within a safety time-out.
    std::int16_t SendRaw(std::string_view text, std::string_view terminator);
    std::int16_t SendCommand(std::string_view text) { return SendRaw(text, "\r\n"); }

    // Reads up to and including `terminator`. The time-out, in whole seconds (at least 1),
    // bounds the silence: it starts afresh whenever characters arrive. On time-out shows
    // "Communication failed." and returns -1.
    std::int16_t ReceiveUntil(std::string& text, char terminator, int timeoutSeconds);
    // One reply line without its CR LF.
    std::int16_t ReceiveResponse(std::string& text, int timeoutSeconds = kReplyTimeoutSeconds);

    // Returns after `seconds` whole seconds.
    void WaitSeconds(int seconds);

    // Bytes taken from the port and not yet used, for readers of raw framed data; waits
    // for some when there are none. On `timeoutSeconds` of silence shows "Communication
    // failed." and returns -1.
    std::int16_t AwaitInput(int timeoutSeconds);
    std::string& pendingInput() { return pending_; }

private:
    bool takeWaitingInput();
    bool waitForInput(MonotonicClock::TimePoint deadline);
    long long wholeSeconds(MonotonicClock::TimePoint t) const;

    AppContext& ctx_;
    SerialPort& port_;
    const MonotonicClock& clock_;
    std::string pending_;
};

}  // namespace voltaro
