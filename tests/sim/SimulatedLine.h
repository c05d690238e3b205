#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "sim/InMemorySerialPort.h"
#include "sim/MeterModel.h"
#include "support/ManualClock.h"

namespace voltaro::test {

// A simulated meter on an open in-memory line, in simulated time, read as raw bytes.
struct SimulatedLine {
    static constexpr std::chrono::seconds kSilence{5};

    explicit SimulatedLine(sim::MeterFaults faults = {}, sim::MeterFolders folders = {})
        : meter(std::move(folders), std::move(faults)) {
        std::string error;
        port.open({}, error);
    }
    // The port holds on to the meter and the clock beside it.
    SimulatedLine(const SimulatedLine&) = delete;
    SimulatedLine& operator=(const SimulatedLine&) = delete;

    void tell(std::string_view command) { port.write(std::string(command) + "\r\n", std::chrono::seconds(1)); }
    std::optional<std::string> ask(std::string_view query) {
        tell(query);
        return receiveLine();
    }

    // The bytes that have arrived and not been taken yet.
    std::string takeWaiting() {
        std::array<char, 256> chunk;
        std::string taken;
        while (const std::size_t got = port.read(chunk.data(), chunk.size())) taken.append(chunk.data(), got);
        return taken;
    }
    // Everything the meter sends before it falls silent for kSilence.
    std::string receiveAll() {
        std::string received;
        do received += takeWaiting();
        while (port.waitForInput(kSilence));
        return received;
    }
    // The next reply line without its CR LF; nothing when the meter falls silent first.
    std::optional<std::string> receiveLine() {
        while ((pending += takeWaiting()).find("\r\n") == std::string::npos)
            if (!port.waitForInput(kSilence)) return std::nullopt;
        const std::size_t end = pending.find("\r\n");
        std::string line = pending.substr(0, end);
        pending.erase(0, end + 2);
        return line;
    }

    ManualClock clock;
    sim::MeterModel meter;
    sim::InMemorySerialPort port{meter, clock};
    std::string pending;  // taken from the port, not yet returned as a line
};

}  // namespace voltaro::test
