#include <gtest/gtest.h>
#include <stdlib.h>

#include <sstream>
#include <utility>

#include "cli/CommandLine.h"
#include "cli/ConsoleReporter.h"
#include "support/TemporaryFolder.h"
#include "support/UnblockingFifo.h"

namespace voltaro {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out, err;
    const int status = RunCommandLine(args, {in, out, err});
    return {status, out.str(), err.str()};
}

// A misused command names its own usage, and nothing is written on the way.
TEST(CommandLine, MisuseGivesTheUsageOnStandardErrorAndStatusTwo) {
    test::TemporaryFolder folder;
    setenv("VOLTARO_APP_DIR", folder.path().c_str(), 1);
    const std::string file = (folder.path() / "A.SET").string();
    const std::vector<std::string> misuses[] = {
        {}, {"--frobnicate"}, {"--help", "extra"}, {"convert", "--fast", file}, {"divide", file}, {"settings", "check"},
    };
    for (const auto& args : misuses) {
        const Outcome r = run(args);
        const std::string command = args.empty() || args[0][0] == '-' ? "" : " " + args[0];
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("usage: voltaro" + command), std::string::npos) << r.err;
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    unsetenv("VOLTARO_APP_DIR");
}

// COM1 to COM10 are kept as port numbers; any other name, COM11 too, as the device it names.
TEST(CommandLine, ComOneToTenPickANumberedPortAndAnyOtherNameIsADevicePath) {
    test::TemporaryFolder folder;
    setenv("VOLTARO_APP_DIR", folder.path().c_str(), 1);
    const std::pair<const char*, const char*> cases[] = {
        {"COM1", "/dev/ttyS0"}, {"COM10", "/dev/ttyS9"}, {"COM11", "COM11"}, {"COM3X", "COM3X"}};
    for (const auto& [port, device] : cases) {
        const Outcome r = run({"setup", "--port", port});
        EXPECT_EQ(r.status, 0) << port;
        EXPECT_EQ(r.out.substr(0, r.out.find(' ')), device) << port;
    }
    unsetenv("VOLTARO_APP_DIR");
}

// A FIFO given as an input, or in place of the Parameter file, is refused before anything is read
// from it, with the system's words or the command's own text for a file it cannot read.
TEST(CommandLine, InputsThatAreNoRegularFilesAreRefusedWithoutWaitingOnThem) {
    test::TemporaryFolder folder;
    setenv("VOLTARO_APP_DIR", folder.path().c_str(), 1);
    const std::string out = folder.path().string();
    const struct {
        const char* fifoName;
        std::vector<std::string> args;  // the FIFO's path follows
        std::string message;            // all that is said; empty: "PATH: Not a regular file"
    } cases[] = {
        {"INST0001.BIN", {"convert", "-o", out}, ""},
        {"MEAS0001.CSV", {"divide", "--lines", "2000", "-o", out}, "File not selected.\n"},
        {"915ZR000.SET", {"settings", "check"}, "Not setting file.\n"},
        {"915ZR001.SET", {"settings", "show"}, "Not setting file.\n"},
        {"Parameter", {"setup"}, ""},
        {"Parameter", {"identify"}, ""},
    };
    for (const auto& c : cases) {
        const test::UnblockingFifo fifo(folder.path() / c.fifoName);
        std::vector<std::string> args = c.args;
        if (std::string(c.fifoName) != "Parameter") args.push_back(fifo.path());
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 1) << c.fifoName;
        EXPECT_EQ(r.err, c.message.empty() ? fifo.path() + ": Not a regular file\n" : c.message);
        EXPECT_FALSE(fifo.hadToUnblock()) << c.fifoName;
    }
    unsetenv("VOLTARO_APP_DIR");
}

TEST(ConsoleReporter, PrintsMessagesAloneAndClearsTheProgressLineFirst) {
    std::ostringstream terminal;
    ConsoleReporter reporter(terminal, true);
    reporter.update("SMALL.BIN", 1, 2);  // too small to be worth a progress line
    reporter.update("BIG.BIN", 50u << 20, 100u << 20);
    reporter.update("BIG.BIN", (50u << 20) + 1, 100u << 20);  // same percentage: no redraw
    reporter.notify(MessageIcon::Stop, "File conversion", "BIG.BINis not a normal file.");
    EXPECT_EQ(terminal.str(), "\rBIG.BIN:  50% (52.4 of 104.9 MB)\033[K\r\033[KBIG.BINis not a normal file.\n");
}

}  // namespace
}  // namespace voltaro
