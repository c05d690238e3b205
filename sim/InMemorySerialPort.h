#pragma once

#include <string>

#include "link/MonotonicClock.h"
#include "link/SerialPort.h"
#include "sim/MeterModel.h"

namespace voltaro::sim {

// A serial line wired straight to a simulated meter, living on `clock`: a wait with no
// reply due sleeps on the clock, so with a manual clock time-outs pass in simulated
// time and with the steady clock they really wait.
class InMemorySerialPort final : public SerialPort {
public:
    InMemorySerialPort(MeterModel& meter, const MonotonicClock& clock) : meter_(meter), clock_(clock) {}

    bool open(const SerialLineSettings& settings, std::string& error) override;
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool write(std::string_view bytes, std::chrono::milliseconds timeout) override;
    bool waitForInput(std::chrono::milliseconds timeout) override;
    std::size_t read(char* destination, std::size_t capacity) override;

    // The settings of the last successful open.
    const SerialLineSettings& settings() const { return settings_; }

private:
    MeterModel& meter_;
    const MonotonicClock& clock_;
    SerialLineSettings settings_;
    bool open_ = false;
};

}  // namespace voltaro::sim
