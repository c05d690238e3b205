#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/AppContext.h"
#include "link/MonotonicClock.h"
#include "link/SerialPort.h"

namespace voltaro {

inline constexpr int kReplyTimeoutSeconds = 5;
// The longest reply line to a query, directory replies aside: the meter answers with a few
// numbers or words, tens of characters.
inline constexpr std::size_t kLongestReplyLine = 1024;

// One window's line to the meter: the serial port, the clock its time-outs count in,
// and the input already taken from the port but not yet used (what followed a reply's
// LF stays for the next receive). Failures are reported once, here, through the
// context's messages; callers only stop.
class Link {
public:
    Link(AppContext& ctx, SerialPort& port, const MonotonicClock& clock) : ctx_(ctx), port_(port), clock_(clock) {}

    AppContext& context() { return ctx_; }
    const MonotonicClock& clock() const { return clock_; }

    // Opens the port with the serial settings of `pc` (closing it first when open); 0, or -1
    // after showing "Cannot open DEVICE: " and the system's text.
    std::int16_t OpenCommPort(const PcSettings& pc);
    void CloseCommPort();

    // Sends text and terminator and waits until they have left; -1 ("Communication
    // failed." shown) when the line does not take them within a safety time-out.
    // Whenever "Communication failed." is shown for a line the port reports lost (a device
    // unplugged, the other side of a pseudo-terminal gone), a second line says so: "The line
    // to DEVICE was lost: " and the system's text.
    std::int16_t SendRaw(std::string_view text, std::string_view terminator);
    std::int16_t SendCommand(std::string_view text) { return SendRaw(text, "\r\n"); }

    // Reads up to and including `terminator`, at most `longest` bytes with it. The time-out, in
    // whole seconds (at least 1), bounds the silence: it starts afresh whenever characters
    // arrive. The whole reply must besides be in by ReplyDeadline(longest, timeout), so that a
    // device trickling characters cannot keep us waiting. On time-out, on the deadline and on
    // a reply longer than `longest` shows "Communication failed." and returns -1.
    std::int16_t ReceiveUntil(std::string& text, char terminator, int timeoutSeconds, std::size_t longest);
    // One reply line without its CR LF, of at most `longest` bytes.
    std::int16_t ReceiveResponse(std::string& text, int timeoutSeconds = kReplyTimeoutSeconds,
                                 std::size_t longest = kLongestReplyLine);

    // Sends `command` and reads its reply line (without CR LF, at most `longest` bytes), the
    // whole exchange over by `deadline`: for a device asked on the off chance that it is a
    // meter, which gets no more time than that. -1 after "Communication failed.".
    std::int16_t QueryBy(std::string_view command, std::string& reply, MonotonicClock::TimePoint deadline,
                         std::size_t longest = kLongestReplyLine);

    // When a reply of `bytes` bytes that starts within `timeoutSeconds` is in at the latest:
    // its time on the line at the open port's rate (the slowest rate before the port is
    // opened), with room for the meter's pause before it and for stalls on the way.
    MonotonicClock::TimePoint ReplyDeadline(std::uint64_t bytes, int timeoutSeconds) const;
    // The time `bytes` characters take on the line at the open port's rate.
    MonotonicClock::Duration LineTime(std::uint64_t bytes) const;

    // Returns after `seconds` whole seconds.
    void WaitSeconds(int seconds);

    // Bytes taken from the port and not yet used, for readers of raw framed data; waits
    // for some when there are none. At most kInputChunk bytes are taken from the port at a
    // time. On `timeoutSeconds` of silence, or once `deadline` has passed, shows
    // "Communication failed." and returns -1.
    std::int16_t AwaitInput(int timeoutSeconds,
                            MonotonicClock::TimePoint deadline = MonotonicClock::TimePoint::max());
    std::string& pendingInput() { return pending_; }
    // True when input is waiting or arrives within `settle`, which is then in pendingInput();
    // shows nothing either way.
    bool InputArrivesWithin(MonotonicClock::Duration settle) {
        return !pending_.empty() || waitForInput(clock_.now() + settle);
    }

    static constexpr std::size_t kInputChunk = 64 * 1024;

private:
    std::int16_t communicationFailed();
    std::int16_t receiveLine(std::string& text, int timeoutSeconds, std::size_t longest,
                             MonotonicClock::TimePoint deadline);
    std::int16_t receiveUntil(std::string& text, char terminator, int timeoutSeconds, std::size_t longest,
                              MonotonicClock::TimePoint deadline);
    bool lineLost() const { return port_.isOpen() && !port_.lineError().empty(); }
    bool takeWaitingInput();
    bool waitForInput(MonotonicClock::TimePoint deadline);
    long long wholeSeconds(MonotonicClock::TimePoint t) const;

    AppContext& ctx_;
    SerialPort& port_;
    const MonotonicClock& clock_;
    std::string pending_;
    std::string device_;  // of the last opening, for the messages
    // A character's time on the line; until the port is opened, that of the slowest setup
    // (1200 bit/s; start bit, 8 data bits, parity bit, 2 stop bits).
    double secondsPerCharacter_ = 12.0 / 1200;
};

}  // namespace voltaro
