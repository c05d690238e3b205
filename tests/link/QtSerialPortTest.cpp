#include <QtTest>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <mutex>
#include <string>
#include <system_error>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "link/qt/QtSerialPort.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"

namespace voltaro {

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A pseudo-terminal pair: the port opens the device, the test plays the meter on the master side.
class PseudoTerminal {
public:
    PseudoTerminal() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) qFatal("no pseudo-terminal");
        device_ = ptsname(master_);
    }
    ~PseudoTerminal() { hangUp(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& device() const { return device_; }

    void send(std::string_view bytes) const {
        while (!bytes.empty()) {
            const ssize_t sent = ::write(master_, bytes.data(), bytes.size());
            if (sent <= 0) qFatal("writing to the pseudo-terminal failed");
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        }
    }

    // What arrives within `timeout`, up to `count` bytes.
    std::string receive(std::size_t count, std::chrono::milliseconds timeout) const {
        std::string bytes;
        const auto deadline = Clock::now() + timeout;
        while (bytes.size() < count && Clock::now() < deadline) {
            pollfd waiting{master_, POLLIN, 0};
            if (poll(&waiting, 1, 50) != 1 || (waiting.revents & POLLIN) == 0) continue;
            char chunk[4096];
            const ssize_t got = ::read(master_, chunk, std::min(sizeof chunk, count - bytes.size()));
            if (got > 0) bytes.append(chunk, static_cast<std::size_t>(got));
        }
        return bytes;
    }

    bool deviceClosed() const {
        pollfd waiting{master_, POLLIN, 0};
        return poll(&waiting, 1, 0) == 1 && (waiting.revents & POLLHUP) != 0;
    }

    // The line attributes the device was given (a master reports its device's).
    termios attributes() const {
        termios line{};
        tcgetattr(master_, &line);
        return line;
    }

    void hangUp() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    std::string device_;
};

// What Qt complains of meanwhile, such as a port made on a thread it does not know.
// Kept from any thread.
QStringList warnings;
std::mutex warningsGuard;
void keepWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
    const std::lock_guard lock(warningsGuard);
    if (type != QtDebugMsg && type != QtInfoMsg) warnings << message;
}

}  // namespace

class QtSerialPortTest : public QObject {
    Q_OBJECT

private slots:
    void bytesTravelBothWaysAndAWaitEndsWhenInputArrives() {
        PseudoTerminal meter;
        QtSerialPort port;
        std::string error;
        QVERIFY2(port.open(SerialLineSettings{meter.device()}, error), error.c_str());

        QVERIFY(port.write(":WIRI?\r\n", 1s));
        QCOMPARE(meter.receive(8, 2s), std::string(":WIRI?\r\n"));

        // More than the input buffer holds, arriving while the port waits.
        std::string block(20000, '\0');
        for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 7);
        const auto start = Clock::now();
        std::thread late([&] {
            std::this_thread::sleep_for(300ms);
            meter.send(block);
        });
        const bool arrived = port.waitForInput(5s);
        const auto waited = Clock::now() - start;
        std::string received;
        char chunk[1000];
        do received.append(chunk, port.read(chunk, sizeof chunk));
        while (received.size() < block.size() && port.waitForInput(2s));
        late.join();
        QVERIFY(arrived);
        QVERIFY(waited >= 250ms && waited < 3s);
        QVERIFY(received == block);
        QCOMPARE(port.read(chunk, 1), std::size_t(0));

        // A read takes what has come without anyone waiting for it.
        meter.send("0\r\n");
        std::string reply;
        for (const auto giveUp = Clock::now() + 2s; reply.size() < 3 && Clock::now() < giveUp;
             std::this_thread::sleep_for(10ms))
            reply.append(chunk, port.read(chunk, sizeof chunk));
        QCOMPARE(reply, std::string("0\r\n"));

        // A write gives up when the line stops taking bytes: the meter no longer reads.
        const auto writing = Clock::now();
        QVERIFY(!port.write(std::string(1 << 20, 'x'), 300ms));
        const auto gaveUp = Clock::now() - writing;
        QVERIFY(gaveUp >= 250ms && gaveUp < 2s);
    }

    // With the other side gone the line is lost: a wait ends at once instead of sitting out its
    // time, a write fails, and the port says why in the system's words until it is opened anew.
    void aLostLineEndsTheWaitAtOnceAndSaysWhy() {
        PseudoTerminal meter;
        QtSerialPort port;
        std::string error;
        QVERIFY2(port.open(SerialLineSettings{meter.device()}, error), error.c_str());
        QVERIFY(!port.waitForInput(20ms));  // merely silent
        QCOMPARE(port.lineError(), std::string());
        meter.hangUp();

        const auto start = Clock::now();
        QVERIFY(!port.waitForInput(10s));
        QVERIFY(!port.waitForInput(10s));
        const std::chrono::duration<double> waited = Clock::now() - start;
        QVERIFY2(waited < 5s, std::to_string(waited.count()).c_str());
        QCOMPARE(port.lineError(), std::generic_category().message(EIO));
        QVERIFY(!port.write("*IDN?\r\n", 1s));

        PseudoTerminal another;
        QVERIFY2(port.open(SerialLineSettings{another.device()}, error), error.c_str());
        QCOMPARE(port.lineError(), std::string());
        QVERIFY(port.write("*IDN?\r\n", 1s));
    }

    // Two meters and three silent devices, asked at once over the real line on threads Qt knows:
    // the scan takes the one second a silent device gets, not one for each, and the silent ones
    // hear the query and nothing else.
    void aScanAsksEveryDeviceAtOnceAndTheSilentOnesHearOnlyTheQuery() {
        PseudoTerminal meters[2];
        PseudoTerminal silent[3];
        const char* identities[] = {"VOLTARO SIMULATOR, ZR915,000001,1.05A\r\n", "ACME, ZR915,7,2.10 \r\n"};
        std::vector<std::thread> answering;
        for (int i = 0; i < 2; ++i) {
            answering.emplace_back([&meters, &identities, i] {
                if (meters[i].receive(7, 5s) == "*IDN?\r\n") meters[i].send(identities[i]);
            });
        }
        test::RecordingMessages messages;
        test::FixedClock wallClock{{2026, 3, 4, 5, 6, 7}};
        AppContext ctx(messages, wallClock);
        PcSettings pc;
        pc.CommPort = {1, 3, 8, 2, 1, 0};  // 9600 bit/s, 8N1
        const std::vector<std::string> devices{silent[0].device(), meters[1].device(), silent[1].device(),
                                               meters[0].device(), silent[2].device()};
        warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(keepWarning);

        const auto start = Clock::now();
        const std::vector<FoundMeter> found = FindMeters(ctx, pc, devices, SerialScanLines());
        const std::chrono::duration<double> took = Clock::now() - start;

        qInstallMessageHandler(previous);
        for (std::thread& meter : answering) meter.join();
        QCOMPARE(found, (std::vector<FoundMeter>{{meters[1].device(), "2.10"}, {meters[0].device(), "1.05"}}));
        QVERIFY2(took >= 1s && took < 2500ms, std::to_string(took.count()).c_str());
        for (const PseudoTerminal& device : silent) QCOMPARE(device.receive(100, 200ms), std::string("*IDN?\r\n"));
        QVERIFY(messages.boxes.empty());
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
    }

    // The device is locked while open, so opening it again succeeds only if the port let go first.
    void eachOpeningClosesThePortFirstAndGivesTheLineItsSettings() {
        // A pseudo-terminal keeps everything but the character size and parity enable, which
        // it forces to 8 bits without parity.
        const struct {
            SerialLineSettings line;  // the handshaking: 1 XON/XOFF, 2 RTS, 3 both
            speed_t speed;
            tcflag_t control;
            tcflag_t input;
        } cases[] = {
            {{"", 1200, 'O', 7, 2, 1, 4096}, B1200, PARODD | CSTOPB, IXON | IXOFF},
            {{"", 38400, 'E', 8, 1, 2, 4096}, B38400, CRTSCTS, 0},
            {{"", 19200, 'N', 7, 1, 3, 4096}, B19200, CRTSCTS, IXON | IXOFF},
        };
        PseudoTerminal meter;
        QtSerialPort port;
        std::string error;
        for (auto c : cases) {
            c.line.device = meter.device();
            QVERIFY2(port.open(c.line, error), error.c_str());
            const termios line = meter.attributes();
            QCOMPARE(cfgetospeed(&line), c.speed);
            QCOMPARE(cfgetispeed(&line), c.speed);
            QCOMPARE(line.c_cflag & (PARODD | CSTOPB | CRTSCTS), c.control);
            QCOMPARE(line.c_iflag & (IXON | IXOFF), c.input);
        }
        QVERIFY(port.write("BEEP\r\n", 1s));
        QCOMPARE(meter.receive(6, 2s), std::string("BEEP\r\n"));

        // A missing device fails with the system's text, and the port it was to replace is closed.
        QVERIFY(!port.open(SerialLineSettings{"/dev/voltaro-no-such-device"}, error));
        QCOMPARE(error, std::generic_category().message(ENOENT));
        QVERIFY(!port.isOpen());
        QVERIFY(meter.deviceClosed());
        QVERIFY(!port.write("*CLS\r\n", 100ms));
        QVERIFY(!port.waitForInput(10ms));
    }
};

}  // namespace voltaro

QTEST_GUILESS_MAIN(voltaro::QtSerialPortTest)
#include "QtSerialPortTest.moc"
