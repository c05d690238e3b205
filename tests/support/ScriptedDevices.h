#pragma once

#include <map>
#include <memory>
#include <string>

#include "link/MeterScan.h"
#include "support/ManualClock.h"
#include "support/ScriptedPort.h"

namespace voltaro::test {

// Scripted ports by device, for the scans: each line made opens the scripted port of the
// device it is opened on (one that was never scripted is missing), and the workers run one
// after the other on the calling thread, so simulated time stays simple.
class ScriptedDevices {
public:
    explicit ScriptedDevices(ManualClock& clock) : clock_(clock) {}

    // The scripted port of `device`, made on first use.
    ScriptedPort& operator[](const std::string& device) {
        auto& port = ports_[device];
        if (!port) port = std::make_unique<ScriptedPort>(clock_);
        return *port;
    }
    // A device that answers "*IDN?" with `identity` after `delay`.
    void meter(const std::string& device, const std::string& identity,
               MonotonicClock::Duration delay = std::chrono::milliseconds(10)) {
        (*this)[device].answer("*IDN?", {identity}, delay);
    }

    ScanLines lines() {
        return {[this] { return std::make_unique<Line>(*this); }, &clock_,
                [](const std::vector<std::function<void()>>& jobs) {
                    for (const auto& job : jobs) job();
                }};
    }

private:
    class Line final : public SerialPort {
    public:
        explicit Line(ScriptedDevices& devices) : devices_(devices) {}
        bool open(const SerialLineSettings& settings, std::string& error) override {
            const auto found = devices_.ports_.find(settings.device);
            if (found == devices_.ports_.end()) {
                error = "No such file or directory";
                return false;
            }
            port_ = found->second.get();
            return port_->open(settings, error);
        }
        void close() override {
            if (port_ != nullptr) port_->close();
        }
        bool isOpen() const override { return port_ != nullptr && port_->isOpen(); }
        bool write(std::string_view bytes, std::chrono::milliseconds timeout) override {
            return port_ != nullptr && port_->write(bytes, timeout);
        }
        bool waitForInput(std::chrono::milliseconds timeout) override {
            return port_ != nullptr && port_->waitForInput(timeout);
        }
        std::size_t read(char* destination, std::size_t capacity) override {
            return port_ != nullptr ? port_->read(destination, capacity) : 0;
        }
        std::string lineError() const override { return port_ != nullptr ? port_->lineError() : std::string(); }

    private:
        ScriptedDevices& devices_;
        ScriptedPort* port_ = nullptr;
    };

    ManualClock& clock_;
    std::map<std::string, std::unique_ptr<ScriptedPort>> ports_;
};

}  // namespace voltaro::test
