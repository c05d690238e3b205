#include "sim/InMemorySerialPort.h"

namespace voltaro::sim {

bool InMemorySerialPort::open(const SerialLineSettings& settings, std::string&) {
    settings_ = settings;
    open_ = true;
    return true;
}

// The meter takes commands as fast as they come, so a write never has to wait.
bool InMemorySerialPort::write(std::string_view bytes, std::chrono::milliseconds) {
    if (!open_) return false;
    meter_.receive(bytes, clock_.now());
    return true;
}

bool InMemorySerialPort::waitForInput(std::chrono::milliseconds timeout) {
    if (!open_) return false;
    const auto deadline = clock_.now() + timeout;
    const auto next = meter_.nextOutputTime();
    if (next && *next <= deadline) {
        clock_.sleepUntil(*next);
        return true;
    }
    clock_.sleepUntil(deadline);
    return false;
}

std::size_t InMemorySerialPort::read(char* destination, std::size_t capacity) {
    if (!open_) return 0;
    return meter_.take(destination, capacity, clock_.now());
}

}  // namespace voltaro::sim
