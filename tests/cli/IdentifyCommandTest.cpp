// voltaro identify, with and without --scan, over scripted devices in simulated time.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <sstream>

#include "cli/CommandLine.h"
#include "support/ScriptedDevices.h"
#include "support/TemporaryFolder.h"

namespace voltaro {
namespace {

using Texts = std::vector<std::string>;

struct IdentifyCommand : ::testing::Test {
    IdentifyCommand() { setenv("VOLTARO_APP_DIR", folder.path().c_str(), 1); }
    ~IdentifyCommand() override { unsetenv("VOLTARO_APP_DIR"); }

    int run(const Texts& args) {
        std::istringstream in;
        out.str("");
        err.str("");
        Console console(in, out, err);
        const ScanLines lines = devices.lines();
        console.makeSerialPort = lines.makeSerialPort;
        console.runInParallel = lines.runInParallel;
        console.linkClock = &clock;
        console.listSerialPorts = [this] { return reported; };
        Texts full{"identify"};
        full.insert(full.end(), args.begin(), args.end());
        return RunCommandLine(full, console);
    }

    test::TemporaryFolder folder;
    test::ManualClock clock;
    test::ScriptedDevices devices{clock};
    std::vector<ReportedPort> reported;
    std::ostringstream out, err;
};

TEST_F(IdentifyCommand, ScanAsksTheReportedPortsAndTheNamedOnesAtTheOptionsSpeedAndListsTheMeters) {
    reported = {{"/dev/ttyUSB0", "FT232R USB UART", "FTDI"}, {"/dev/ttyUSB1", "", ""}};
    devices.meter("/dev/ttyUSB0", "ACME, ZR915,17,1.05 ");
    devices["/dev/ttyUSB1"];  // silent
    devices.meter("/dev/ttyS2", "ACME, ZR915,18,2.00 ");
    devices.meter("/dev/pts/9", "ACME, ZR915,19,1.10 ");

    EXPECT_EQ(run({"--scan", "COM3", "--baud", "19200", "/dev/pts/9", "--parity", "even"}), 0);
    EXPECT_EQ(out.str(), "/dev/ttyUSB0  ZR915 1.05\n/dev/ttyS2  ZR915 2.00\n/dev/pts/9  ZR915 1.10\n");
    EXPECT_EQ(err.str(), "");
    // The silent one too heard the query alone, at the speed and parity of the options.
    const test::ScriptedPort& silent = devices["/dev/ttyUSB1"];
    ASSERT_EQ(silent.opened.size(), 1u);
    EXPECT_EQ((std::pair{silent.opened[0].baud, silent.opened[0].parity}), (std::pair{19200, 'E'}));
    EXPECT_EQ(silent.written, Texts{"*IDN?\r\n"});

    // Nothing found: the message alone, and status 1.
    reported = {{"/dev/ttyUSB1", "", ""}};
    EXPECT_EQ(run({"--scan"}), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "No ZR915 was found.\n");
}

TEST_F(IdentifyCommand, DevicesAreTakenOnlyWithScanAndNoUnknownOption) {
    for (const Texts& args : {Texts{"/dev/pts/9"}, Texts{"--scan", "--bogus"}}) {
        EXPECT_EQ(run(args), 2) << args.back();
        EXPECT_NE(err.str().find("usage: voltaro identify [--scan [DEVICE...]]"), std::string::npos) << err.str();
        EXPECT_TRUE(devices["/dev/pts/9"].written.empty());
    }
}

// The port is named when it cannot be opened, and when the line to it dies under the exchange.
TEST_F(IdentifyCommand, PortErrorsNameThePort) {
    EXPECT_EQ(run({"--port", "/dev/ttyUSB7"}), 1);
    EXPECT_EQ(err.str(), "Cannot open /dev/ttyUSB7: No such file or directory\n");

    devices["/dev/pts/5"].lostWith = "Input/output error";
    EXPECT_EQ(run({"--port", "/dev/pts/5"}), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "Communication failed.\nThe line to /dev/pts/5 was lost: Input/output error\n");
}

}  // namespace
}  // namespace voltaro
