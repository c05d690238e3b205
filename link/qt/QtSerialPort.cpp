#include "link/qt/QtSerialPort.h"

#include <QSerialPort>
#include <QSerialPortInfo>
#include <QThread>
#include <algorithm>
#include <climits>
#include <system_error>
#include <thread>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <termios.h>
#endif

#include "link/PortNames.h"

namespace voltaro {

namespace {

constexpr int kXonXoff = 1;
constexpr int kRts = 2;
constexpr int kRtsWithXonXoff = 3;

QSerialPort::Parity parityOf(char letter) {
    switch (letter) {
        case 'O': return QSerialPort::OddParity;
        case 'E': return QSerialPort::EvenParity;
        default: return QSerialPort::NoParity;
    }
}

QSerialPort::FlowControl flowControlOf(int handshaking) {
    switch (handshaking) {
        case kXonXoff: return QSerialPort::SoftwareControl;
        case kRts:
        case kRtsWithXonXoff: return QSerialPort::HardwareControl;
        default: return QSerialPort::NoFlowControl;
    }
}

using Deadline = std::chrono::steady_clock::time_point;

Deadline deadlineAfter(std::chrono::milliseconds timeout) { return std::chrono::steady_clock::now() + timeout; }

// What QSerialPort's waits take: whole milliseconds left, rounded up.
int millisecondsUntil(Deadline deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, INT_MAX));
}

// QSerialPort knows one flow control at a time, so XON/XOFF joins RTS/CTS on the
// native handle. This must come after every QSerialPort setting: QSerialPort rewrites
// the line attributes it keeps whenever one of its settings changes.
bool addXonXoff(QSerialPort& port, std::string& error) {
#ifdef Q_OS_WIN
    HANDLE handle = port.handle();
    DCB control{};
    control.DCBlength = sizeof control;
    if (GetCommState(handle, &control)) {
        control.fOutX = TRUE;
        control.fInX = TRUE;
        if (SetCommState(handle, &control)) return true;
    }
    error = std::system_category().message(static_cast<int>(GetLastError()));
#else
    const int handle = port.handle();
    termios attributes{};
    if (tcgetattr(handle, &attributes) == 0) {
        attributes.c_iflag |= IXON | IXOFF;
        if (tcsetattr(handle, TCSANOW, &attributes) == 0) return true;
    }
    error = std::generic_category().message(errno);
#endif
    return false;
}

// Why the line is gone, in the system's words. A hang-up ends the input without an error of its
// own, which leaves QSerialPort with the text of an unrelated earlier call; the device says what
// became of it when asked for its attributes.
std::string lostLineText(QSerialPort& port) {
#ifndef Q_OS_WIN
    termios attributes{};
    if (tcgetattr(port.handle(), &attributes) != 0) return std::generic_category().message(errno);
#endif
    return port.errorString().toStdString();
}

}  // namespace

QtSerialPort::QtSerialPort() = default;
QtSerialPort::~QtSerialPort() = default;

bool QtSerialPort::open(const SerialLineSettings& settings, std::string& error) {
    close();
    lineError_.clear();
    // Made on the calling thread, which is the one that waits on it.
    port_ = std::make_unique<QSerialPort>();
    port_->setPortName(QString::fromStdString(DeviceForPortName(settings.device)));
    port_->setBaudRate(settings.baud);
    port_->setParity(parityOf(settings.parity));
    port_->setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits));
    port_->setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port_->setFlowControl(flowControlOf(settings.handshaking));
    port_->setReadBufferSize(static_cast<qint64>(settings.inputBufferBytes));
    if (!port_->open(QIODevice::ReadWrite)) {
        error = port_->errorString().toStdString();
        port_.reset();
        return false;
    }
    if (settings.handshaking == kRtsWithXonXoff && !addXonXoff(*port_, error)) {
        close();
        return false;
    }
    return true;
}

void QtSerialPort::close() { port_.reset(); }

bool QtSerialPort::isOpen() const { return port_ != nullptr && port_->isOpen(); }

bool QtSerialPort::write(std::string_view bytes, std::chrono::milliseconds timeout) {
    if (!isOpen()) return false;
    if (!lineError_.empty()) return false;
    const auto size = static_cast<qint64>(bytes.size());
    if (port_->write(bytes.data(), size) != size) {
        noteLineError();
        return false;
    }
    // Each wait hands one chunk to the system; the deadline covers them all.
    const Deadline deadline = deadlineAfter(timeout);
    while (port_->bytesToWrite() > 0) {
        if (!port_->waitForBytesWritten(millisecondsUntil(deadline))) {
            noteLineError();
            return false;
        }
    }
    return true;
}

bool QtSerialPort::noteLineError() {
    switch (port_->error()) {
        // A device unplugged or a pseudo-terminal whose other side has gone: every read and
        // write fails from now on, and the wait for input ends at once, again and again.
        case QSerialPort::ResourceError:
        case QSerialPort::ReadError:
        case QSerialPort::WriteError:
            if (lineError_.empty()) lineError_ = lostLineText(*port_);
            return true;
        default:
            return !lineError_.empty();
    }
}

bool QtSerialPort::waitForInput(std::chrono::milliseconds timeout) {
    if (!isOpen()) return false;
    // waitForReadyRead waits for input beyond what QSerialPort already holds.
    if (port_->bytesAvailable() > 0) return true;
    if (!lineError_.empty()) return false;
    const Deadline deadline = deadlineAfter(timeout);
    if (port_->waitForReadyRead(millisecondsUntil(deadline))) return true;
    // A lost line answers the wait at once; the caller learns why from lineError(). Any other
    // early end (a wait the system broke off) is sat out, so that no wait loop spins.
    if (!noteLineError() && port_->error() != QSerialPort::NoError && port_->error() != QSerialPort::TimeoutError)
        std::this_thread::sleep_until(deadline);
    return false;
}

std::size_t QtSerialPort::read(char* destination, std::size_t capacity) {
    if (!isOpen()) return 0;
    // Without an event loop input reaches QSerialPort only during a wait; a wait of zero
    // takes what the system holds now.
    if (port_->bytesAvailable() == 0) port_->waitForReadyRead(0);
    const qint64 got = port_->read(destination, static_cast<qint64>(capacity));
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

std::vector<ReportedPort> SystemSerialPorts() {
    std::vector<ReportedPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        ReportedPort port;
#ifdef Q_OS_WIN
        // "COM3": the spelling of the setup dialog's own entries there.
        port.device = info.portName().toStdString();
#else
        port.device = info.systemLocation().toStdString();
#endif
        port.description = info.description().trimmed().toStdString();
        port.manufacturer = info.manufacturer().trimmed().toStdString();
        ports.push_back(std::move(port));
    }
    return ports;
}

void RunOnQThreads(const std::vector<std::function<void()>>& jobs) {
    std::vector<std::unique_ptr<QThread>> threads;
    threads.reserve(jobs.size());
    for (const auto& job : jobs) {
        threads.emplace_back(QThread::create(job));
        threads.back()->start();
    }
    for (const auto& thread : threads) thread->wait();
}

ScanLines SerialScanLines() {
    static const SteadyClock clock;
    return {[] { return std::make_unique<QtSerialPort>(); }, &clock, RunOnQThreads};
}

}  // namespace voltaro
