#include <gtest/gtest.h>
#include <stdlib.h>

#include <sstream>
#include <utility>

#include "cli/CommandLine.h"
#include "support/ScriptedPort.h"
#include "support/TemporaryFolder.h"

namespace voltaro {
namespace {

// Hands the command a line that stays the test's own.
class LineToScript final : public SerialPort {
public:
    explicit LineToScript(SerialPort& script) : script_(script) {}
    bool open(const SerialLineSettings& settings, std::string& error) override { return script_.open(settings, error); }
    void close() override { script_.close(); }
    bool isOpen() const override { return script_.isOpen(); }
    bool write(std::string_view bytes, std::chrono::milliseconds timeout) override { return script_.write(bytes, timeout); }
    bool waitForInput(std::chrono::milliseconds timeout) override { return script_.waitForInput(timeout); }
    std::size_t read(char* destination, std::size_t capacity) override { return script_.read(destination, capacity); }

private:
    SerialPort& script_;
};

struct MeterCommands : ::testing::Test {
    test::TemporaryFolder appFolder;
    test::ManualClock clock;
    test::ScriptedPort meter{clock};
    std::istringstream in;
    std::ostringstream out, err;

    MeterCommands() { setenv("VOLTARO_APP_DIR", appFolder.path().c_str(), 1); }
    ~MeterCommands() override { unsetenv("VOLTARO_APP_DIR"); }

    int run(const std::vector<std::string>& args) {
        err.str("");
        Console console(in, out, err);
        console.makeSerialPort = [this] { return std::make_unique<LineToScript>(meter); };
        console.linkClock = &clock;
        return RunCommandLine(args, console);
    }
    void readyMeter() {
        meter.answer("*IDN?", {"ACME, ZR915,0,1.05 "});
        meter.answer(":DISP:MODE?", {"MEAS"});
        meter.answer(":MEAS:STAT?", {"0"});
        meter.answer(":HOLD?", {"0"});
    }
};

TEST_F(MeterCommands, SetupKeepsThePortAndIdentifyPrintsModelAndVersion) {
    EXPECT_EQ(run({"setup", "--port", "/dev/pts/8", "--data-bits", "7", "--stop-bits", "2", "--flow", "rts"}), 0);
    EXPECT_EQ(out.str(), "/dev/pts/8 9600,N,7,2 flow rts\n");
    out.str("");
    readyMeter();
    EXPECT_EQ(run({"identify", "--baud", "38400", "--parity", "even"}), 0);
    EXPECT_EQ(out.str(), "ZR915 1.05\n");
    const SerialLineSettings& line = meter.opened.at(0);
    EXPECT_EQ(line.device, "/dev/pts/8");
    EXPECT_EQ(line.baud, 38400);
    EXPECT_EQ(line.parity, 'E');
    EXPECT_EQ(line.dataBits, 7);
    EXPECT_EQ(line.stopBits, 2);
    EXPECT_EQ(line.handshaking, 2);
    EXPECT_EQ(meter.commands(), (std::vector<std::string>{":COMM:HEAD OFF", "*IDN?", ":COMM:HEAD ON"}));
    EXPECT_FALSE(meter.isOpen());
}

TEST_F(MeterCommands, ASilentMeterFailsWithTheOneMessageAndAnExtraArgumentIsMisuse) {
    EXPECT_EQ(run({"identify", "--port", "COM2"}), 1);  // a meter that stays silent
    EXPECT_EQ(err.str(), "Communication failed.\n");
    EXPECT_EQ(meter.opened.at(0).device, "/dev/ttyS1");
    EXPECT_FALSE(meter.isOpen());
    EXPECT_EQ(run({"identify", "extra"}), 2);  // found only once the line is made
    EXPECT_NE(err.str().find("usage: voltaro identify"), std::string::npos);
}

// COM1 to COM10 are kept as port numbers; any other name, COM11 too, as the device it names.
TEST_F(MeterCommands, ComOneToTenPickANumberedPortAndAnyOtherNameIsADevicePath) {
    const std::pair<const char*, const char*> cases[] = {
        {"COM1", "/dev/ttyS0"}, {"COM10", "/dev/ttyS9"}, {"COM11", "COM11"}, {"COM3X", "COM3X"}};
    for (const auto& [port, device] : cases) {
        out.str("");
        EXPECT_EQ(run({"setup", "--port", port}), 0) << port;
        EXPECT_EQ(out.str().substr(0, out.str().find(' ')), device) << port;
    }
}

TEST_F(MeterCommands, ResetNeedsTheUsersYesAndKeepsTheFactorySetting) {
    EXPECT_EQ(run({"reset"}), 1);  // nobody to ask: refused, nothing sent
    EXPECT_TRUE(meter.written.empty());
    readyMeter();
    EXPECT_EQ(run({"reset", "--yes"}), 0);
    EXPECT_EQ(err.str(), "Reset is performed. Proceed? OK\nReset was performed.\n");
    EXPECT_TRUE(std::filesystem::exists(appFolder.path() / "Parameter"));
}

}  // namespace
}  // namespace voltaro
