#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace voltaro {

// Line settings of one opening of the port.
struct SerialLineSettings {
    std::string device;  // "/dev/ttyS0", "/dev/ttyUSB0", "COM3", a pseudo-terminal
    int baud = 9600;
    char parity = 'N';  // 'O', 'E' or 'N'
    int dataBits = 8;
    int stopBits = 1;
    // 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 RTS/CTS together with XON/XOFF.
    int handshaking = 0;
    std::size_t inputBufferBytes = 4096;
};

// The serial line to the meter. Implementations: the real port (link/qt), and an
// in-memory line to the simulated meter (sim/). Every call is made from one thread.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the line; on failure `error` holds the system's own text.
    virtual bool open(const SerialLineSettings& settings, std::string& error) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Queues `bytes` and waits until they have left, at most `timeout`; false when they
    // could not be sent in time or the line failed.
    virtual bool write(std::string_view bytes, std::chrono::milliseconds timeout) = 0;
    // Waits until input is waiting or `timeout` has passed; true when input is waiting.
    // Blocks in the system (or in the simulated line): no polling. On a lost line (see
    // lineError) it may return false at once.
    virtual bool waitForInput(std::chrono::milliseconds timeout) = 0;
    // Moves the input waiting now (at most `capacity` bytes) to `destination` without
    // waiting; returns how many bytes it moved.
    virtual std::size_t read(char* destination, std::size_t capacity) = 0;
    // Empty while the open line works; once it has failed for good (the device unplugged, the
    // other side of a pseudo-terminal gone: read and write errors), the system's text of why.
    virtual std::string lineError() const { return {}; }
};

// Makes the line for one exchange; called on the thread that will use the line.
using SerialPortMaker = std::function<std::unique_ptr<SerialPort>()>;

}  // namespace voltaro
