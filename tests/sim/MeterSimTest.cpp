// The simulator program: its options, and the program itself on a pseudo-terminal.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "sim/MeterSimOptions.h"
#include "support/TemporaryFolder.h"

namespace voltaro {
namespace {

using namespace std::chrono_literals;

// The options whose values are read apart, or given twice; values they cannot use are refused.
TEST(MeterSimOptions, ReadsTheValuesOfTheFaultSwitchesAndRefusesWhatItCannotUse) {
    const std::vector<std::string_view> arguments = {"--silent-on", ":LANG?", "--silent-on", "*IDN?", "--split",
                                                     "4:250", "--setting-screen-after", "never", "--hold"};
    std::string error;
    const auto options = sim::ParseMeterSimOptions(arguments, error);
    ASSERT_TRUE(options) << error;
    const sim::MeterFaults& f = options->faults;
    EXPECT_EQ(f.silentOn, (std::vector<std::string>{":LANG?", "*IDN?"}));
    EXPECT_EQ(std::tuple(f.splitBytes, f.splitGap, f.settingScreenAfter, f.hold),
              std::tuple(4u, 250ms, std::nullopt, true));

    const std::pair<std::vector<std::string_view>, const char*> refused[] = {
        {{"--frob"}, "unknown option '--frob'"},
        {{"--card"}, "option '--card' needs a value"},
        {{"--split", "0:10"}, "option '--split' cannot take '0:10'"},
        {{"--stop-transfer-after", "-1"}, "option '--stop-transfer-after' cannot take '-1'"},
    };
    for (const auto& [misuse, expected] : refused) {
        EXPECT_FALSE(sim::ParseMeterSimOptions(misuse, error));
        EXPECT_EQ(error, expected);
    }
}

// The next line `fd` gives, without its LF; nothing when none comes within 10 seconds.
std::optional<std::string> NextLine(int fd, std::string& buffer) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (buffer.find('\n') == std::string::npos) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd watched{fd, POLLIN, 0};
        char chunk[256];
        ssize_t got = 0;
        if (left <= 0ms || ::poll(&watched, 1, static_cast<int>(left.count())) <= 0 ||
            (got = ::read(fd, chunk, sizeof chunk)) <= 0)
            return std::nullopt;
        buffer.append(chunk, static_cast<std::size_t>(got));
    }
    std::string line = buffer.substr(0, buffer.find('\n'));
    buffer.erase(0, line.size() + 1);
    return line;
}

// voltaro-meter-sim as a user starts it: the device it announces, the reply on that
// pseudo-terminal, the command log, and a clean exit on SIGTERM.
TEST(MeterSim, AnswersOnItsPseudoTerminalLogsWhatItHeardAndStopsCleanly) {
    test::TemporaryFolder folder;
    const auto log = folder.path() / "commands.log";
    // The shell names its process id, then becomes the simulator.
    struct Simulator {
        FILE* out;
        pid_t pid = -1;
        ~Simulator() {
            if (pid > 0) ::kill(pid, SIGKILL);
            if (out != nullptr) ::pclose(out);
        }
    } simulator{::popen(("echo $$; exec '" VOLTARO_METER_SIM "' --log '" + log.string() + "'").c_str(), "r")};
    ASSERT_NE(simulator.out, nullptr);
    std::string announced;
    const auto pid = NextLine(::fileno(simulator.out), announced);
    ASSERT_TRUE(pid);
    simulator.pid = std::stoi(*pid);
    const std::string device = NextLine(::fileno(simulator.out), announced).value_or("");

    const int line = ::open(device.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(line, 0) << device;
    termios mode{};
    ::tcgetattr(line, &mode);
    ::cfmakeraw(&mode);
    ::tcsetattr(line, TCSANOW, &mode);
    EXPECT_EQ(::write(line, "*IDN?\r\n", 7), 7);
    std::string received;
    EXPECT_EQ(NextLine(line, received), "VOLTARO SIMULATOR, ZR915,000001,1.05A\r");
    ::close(line);

    ::kill(std::exchange(simulator.pid, -1), SIGTERM);
    const int status = ::pclose(std::exchange(simulator.out, nullptr));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    std::ifstream logged(log);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(logged), {}), "*IDN?\n");
}

}  // namespace
}  // namespace voltaro
