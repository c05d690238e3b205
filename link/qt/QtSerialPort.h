#pragma once

#include <memory>
#include <string>
#include <vector>

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

private:
    std::unique_ptr<QSerialPort> port_;
};

// The serial devices the system reports (USB adapters and the like), as the setup
// dialog offers them and open() takes them.
std::vector<std::string> SystemSerialPorts();

}  // namespace voltaro
