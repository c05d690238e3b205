#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sim/MeterSimOptions.h"
#include "support/TemporaryFolder.h"

extern char** environ;

namespace voltaro {
namespace {

using namespace std::chrono_literals;

TEST(MeterSimOptions, EachOptionSetsWhatItNames) {
    const std::vector<std::string_view> arguments = {
        "--card", "c", "--memory", "m", "--log", "l.txt", "--silent-on", ":LANG?", "--silent-on", "*IDN?",
        "--split", "4:250", "--model", "ZR916", "--version", "2.00", "--screen", "GRAPH", "--measuring", "--hold",
        "--refuse-settings", "--setting-screen-after", "3", "--ignore-set", ":WIRI", "--card-not-ready",
        "--baud", "9600", "--stop-transfer-after", "0"};
    std::string error;
    const auto options = sim::ParseMeterSimOptions(arguments, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->folders.card, "c");
    EXPECT_EQ(options->folders.memory, "m");
    EXPECT_EQ(options->logFile, "l.txt");
    const sim::MeterFaults& faults = options->faults;
    EXPECT_EQ(faults.silentOn, (std::vector<std::string>{":LANG?", "*IDN?"}));
    EXPECT_EQ(faults.splitBytes, 4u);
    EXPECT_EQ(faults.splitGap, 250ms);
    EXPECT_EQ(faults.model + ' ' + faults.version + ' ' + faults.screen, "ZR916 2.00 GRAPH");
    EXPECT_TRUE(faults.measuring && faults.hold && faults.refuseSettings && faults.cardNotReady);
    EXPECT_EQ(faults.settingScreenAfter, 3);
    EXPECT_EQ(faults.ignoreSet, std::vector<std::string>{":WIRI"});
    EXPECT_EQ(faults.baud, 9600);
    EXPECT_EQ(faults.stopTransferAfter, 0u);
    EXPECT_FALSE(options->help);

    const std::vector<std::string_view> never = {"--setting-screen-after", "never", "--help"};
    EXPECT_FALSE(sim::ParseMeterSimOptions(never, error)->faults.settingScreenAfter);
}

TEST(MeterSimOptions, RefusesWhatItCannotUse) {
    const std::pair<std::vector<std::string_view>, const char*> rows[] = {
        {{"--frob"}, "unknown option '--frob'"},
        {{"--card"}, "option '--card' needs a value"},
        {{"--split", "4"}, "option '--split' cannot take '4'"},
        {{"--split", "0:10"}, "option '--split' cannot take '0:10'"},
        {{"--setting-screen-after", "0"}, "option '--setting-screen-after' cannot take '0'"},
        {{"--baud", "96k"}, "option '--baud' cannot take '96k'"},
        {{"--stop-transfer-after", "-1"}, "option '--stop-transfer-after' cannot take '-1'"},
        {{"--silent-on", ""}, "option '--silent-on' cannot take ''"},
    };
    for (const auto& [arguments, expected] : rows) {
        std::string error;
        EXPECT_FALSE(sim::ParseMeterSimOptions(arguments, error));
        EXPECT_EQ(error, expected);
    }
}

constexpr auto kPatience = 10s;

// Reads from `fd` until `text` holds `end`, for at most kPatience.
bool ReadUntil(int fd, std::string& text, std::string_view end) {
    using std::chrono::steady_clock;
    const auto deadline = steady_clock::now() + kPatience;
    while (text.find(end) == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - steady_clock::now());
        pollfd watched{fd, POLLIN, 0};
        if (left <= 0ms || ::poll(&watched, 1, static_cast<int>(left.count())) <= 0) return false;
        char chunk[256];
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got <= 0) return false;
        text.append(chunk, static_cast<std::size_t>(got));
    }
    return true;
}

// voltaro-meter-sim running as a user starts it, stopped and reaped when the test ends.
class SimulatorProcess {
public:
    explicit SimulatorProcess(std::vector<std::string> arguments) {
        int output[2];
        if (::pipe(output) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, output[0]);
        posix_spawn_file_actions_addclose(&actions, output[1]);
        arguments.insert(arguments.begin(), VOLTARO_METER_SIM);
        std::vector<char*> argv;
        for (std::string& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, VOLTARO_METER_SIM, &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(output[1]);
        output_ = output[0];
    }
    ~SimulatorProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (output_ >= 0) ::close(output_);
    }
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // The device path the simulator announces on its first line.
    std::string device() {
        std::string line;
        if (pid_ <= 0 || !ReadUntil(output_, line, "\n")) return {};
        return line.substr(0, line.find('\n'));
    }

    // Asks the simulator to stop; its exit status, or -1 when it did not exit normally.
    int stop() {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(std::exchange(pid_, -1), &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
};

TEST(MeterSim, AnswersTheIdentityQueryOnItsPseudoTerminal) {
    test::TemporaryFolder folder;
    const auto log = folder.path() / "commands.log";
    SimulatorProcess simulator({"--log", log.string()});
    const std::string device = simulator.device();
    ASSERT_FALSE(device.empty());

    const int line = ::open(device.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(line, 0) << device;
    termios mode{};
    ::tcgetattr(line, &mode);
    ::cfmakeraw(&mode);
    ::tcsetattr(line, TCSANOW, &mode);
    const std::string_view query = "*IDN?\r\n";
    EXPECT_EQ(::write(line, query.data(), query.size()), static_cast<ssize_t>(query.size()));
    std::string reply;
    EXPECT_TRUE(ReadUntil(line, reply, "\r\n"));
    ::close(line);
    EXPECT_EQ(reply, "VOLTARO SIMULATOR, ZR915,000001,1.05A\r\n");

    EXPECT_EQ(simulator.stop(), 0);
    std::ifstream logged(log);
    std::stringstream commands;
    commands << logged.rdbuf();
    EXPECT_EQ(commands.str(), "*IDN?\n");
}

}  // namespace
}  // namespace voltaro
