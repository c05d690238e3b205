#pragma once

#include <memory>
#include <string>
#include <vector>

#include "link/MeterScan.h"
#include "link/PortNames.h"
#include "link/SerialPort.h"

class QSerialPort;

namespace voltaro {

// The real serial line, over QSerialPort. Made for a thread that runs no event loop:
// every wait blocks in the system through QSerialPort's waitFor... calls. Each open()
// makes its QSerialPort on the calling thread, which should be a QThread or the main
// thread (QSerialPort's socket notifiers complain on others, though the line works).
class QtSerialPort final : public SerialPort {
public:
    QtSerialPort();
    ~QtSerialPort() override;

    bool open(const SerialLineSettings& settings, std::string& error) override;
    void close() override;
    bool isOpen() const override;
    bool write(std::string_view bytes, std::chrono::milliseconds timeout) override;
    bool waitForInput(std::chrono::milliseconds timeout) override;
    std::size_t read(char* destination, std::size_t capacity) override;
    std::string lineError() const override { return lineError_; }

private:
    // Keeps the port's error when it means the line is gone; true then.
    bool noteLineError();

    std::unique_ptr<QSerialPort> port_;
    std::string lineError_;
};

// The serial ports the system reports (USB adapters and the like), with what the system
// knows of them, as the setup dialog offers them and open() takes their devices.
std::vector<ReportedPort> SystemSerialPorts();

// Runs every job at once, each on a QThread of its own, and returns when all have ended.
void RunOnQThreads(const std::vector<std::function<void()>>& jobs);

// The real lines for a scan: a QtSerialPort for each device, on QThreads, timed by the
// steady clock.
ScanLines SerialScanLines();

}  // namespace voltaro
