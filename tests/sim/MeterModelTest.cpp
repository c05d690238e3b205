// The simulated meter's replies, their pacing, its fault switches and the files it serves,
// read on the raw line: what every test against the meter relies on. Then the simulator
// program: its options, and the program itself on a pseudo-terminal.
#include "sim/MeterModel.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "sim/InMemorySerialPort.h"
#include "sim/MeterSimOptions.h"
#include "sim/SimulatedMeterLink.h"
#include "support/ManualClock.h"
#include "support/TemporaryFolder.h"

namespace voltaro {
namespace {

using namespace std::chrono_literals;
using sim::MeterFaults;

// A simulated meter on an open in-memory line, in simulated time, read as raw bytes. Its
// replies come without headers, as after the start of every exchange.
struct MeterLine {
    static constexpr std::chrono::seconds kSilence{5};

    explicit MeterLine(MeterFaults faults = {}, sim::MeterFolders folders = {})
        : meter(std::move(folders), std::move(faults)) {
        std::string error;
        port.open({}, error);
        tell(":COMM:HEAD OFF");
    }
    // The port holds on to the meter and the clock beside it.
    MeterLine(const MeterLine&) = delete;
    MeterLine& operator=(const MeterLine&) = delete;

    void tell(std::string_view command) { port.write(std::string(command) + "\r\n", 1s); }
    std::optional<std::string> ask(std::string_view query) {
        tell(query);
        return receiveLine();
    }
    // The bytes that have arrived and not been taken yet.
    std::string takeWaiting() {
        std::array<char, 256> chunk;
        std::string taken;
        while (const std::size_t got = port.read(chunk.data(), chunk.size())) taken.append(chunk.data(), got);
        return taken;
    }
    // Everything the meter sends before it falls silent for kSilence.
    std::string receiveAll() {
        std::string received;
        do received += takeWaiting();
        while (port.waitForInput(kSilence));
        return received;
    }
    // The next reply line without its CR LF; nothing when the meter falls silent first.
    std::optional<std::string> receiveLine() {
        while ((pending += takeWaiting()).find("\r\n") == std::string::npos)
            if (!port.waitForInput(kSilence)) return std::nullopt;
        const std::size_t end = pending.find("\r\n");
        std::string line = pending.substr(0, end);
        pending.erase(0, end + 2);
        return line;
    }

    test::ManualClock clock;
    sim::MeterModel meter;
    sim::InMemorySerialPort port{meter, clock};
    std::string pending;  // taken from the port, not yet returned as a line
};

// Commands are taken whatever the writes that carry them, unknown ones are ignored, and
// replies carry the command's header while headers are on (common commands never do).
TEST(MeterModel, TakesCommandsAcrossWritesAndAnswersWithHeadersUntilTheyAreSwitchedOff) {
    MeterLine line;
    line.port.write(":COMM:HEAD ON\r\n:WIRI?\r\n*IDN?\r\n:FROB?\r\n:FROB 1\r\n:COMM:HEAD OFF\r\n:HO", 1s);
    line.port.write("LD?\r", 1s);
    line.port.write("\n:BEEP?\r\n", 1s);
    EXPECT_EQ(line.receiveAll(), ":WIRI 3P3W2I\r\nVOLTARO SIMULATOR, ZR915,000001,1.05A\r\n0\r\n1\r\n");
}

// The factory setting in the meter's spellings; set commands, which name a channel of four, read
// back; a reset restores the factory setting but keeps the language, the ID and the clock.
TEST(MeterModel, AnswersInTheMeterSpellingsAndTakesSetCommandsByChannel) {
    const struct {
        const char* set;  // nothing: the factory value
        const char* query;
        const char* reply;
    } rows[] = {
        {"", ":AOUT:CH3?", "1,0,P,1,1,1K\r\n"},
        {":CLAM 4,52150_1", ":CLAM?", "52110,52110,52110,52150_1\r\n"},
        {":CLAM 5,52140", ":CLAM?", "52110,52110,52110,52110\r\n"},  // no channel 5
        {":FILE:MEAS Site_b", ":FILE:MEAS?", "Site_b\r\n"},        // names keep their case
        {":WIRI 3P4W\r\n:LANG GERMAN\r\n:ID 7\r\n:SYST:DATE 2030,2,3\r\n:RESE",
         ":WIRI?\r\n:LANG?\r\n:ID?\r\n:SYST:DATE?", "3P3W2I\r\nGERMAN\r\n7\r\n2030,2,3\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.set) + " " + row.query);
        MeterLine line;
        if (*row.set != '\0') line.tell(row.set);
        line.tell(row.query);
        EXPECT_EQ(line.receiveAll(), row.reply);
    }
}

// A fault can name a command by its whole line, not only by its keyword; the silence lasts
// as long as a line waits for a reply.
TEST(MeterModel, SilentAndIgnoredCommandsCanBeNamedByTheirWholeLine) {
    MeterLine line(test::Faults([](MeterFaults& f) {
        f.silentOn = {":CARD:DIRE? SET"};
        f.ignoreSet = {":CLAM 2,52140"};
    }));
    const auto asked = line.clock.now();
    EXPECT_EQ(line.ask(":CARD:DIRE? SET"), std::nullopt);
    EXPECT_EQ(line.clock.now() - asked, MeterLine::kSilence);
    EXPECT_EQ(line.ask(":CARD:DIRE? INST"), "");
    for (const char* set : {":CLAM 2,52140", ":CLAM 3,52120"}) line.tell(set);
    EXPECT_EQ(line.ask(":CLAM?"), "52110,52110,52120,52110");
}

// At a line rate a byte takes 10 bit times, counted from the start of its reply, and a
// reply queued behind another starts when that one has arrived: "*IDN?" is answered with
// 39 bytes, ":HOLD?" with 3. A split reply comes in pieces with a gap between each two.
TEST(MeterModel, RepliesArriveAtTheLineRateOrInPiecesWithGaps) {
    MeterLine paced(test::Faults([](MeterFaults& f) { f.baud = 9600; }));
    const auto asked = paced.clock.now();
    paced.port.write("*IDN?\r\n:HOLD?\r\n", 1s);
    EXPECT_EQ(paced.receiveLine(), "VOLTARO SIMULATOR, ZR915,000001,1.05A");
    EXPECT_EQ(paced.receiveLine(), "0");
    EXPECT_EQ(paced.clock.now() - asked, std::chrono::nanoseconds(42 * 10 * 1'000'000'000LL / 9600));

    MeterLine split(test::Faults([](MeterFaults& f) { f.splitBytes = 4, f.splitGap = 300ms; }));
    const auto told = split.clock.now();
    split.tell("*IDN?");
    EXPECT_EQ(split.takeWaiting(), "VOLT");
    EXPECT_EQ(split.receiveLine(), "ARO SIMULATOR, ZR915,000001,1.05A");
    EXPECT_EQ(split.clock.now() - told, 9 * 300ms);  // ten pieces, nine gaps
}

// A card and a memory with files of several kinds and things the meter does not list:
// directories list one kind in name order; binary files come as their bytes, text files as
// CR LF lines, both between STX and ETX; a file the medium does not hold gets no reply.
TEST(MeterModel, ListsAndServesTheFilesOfItsCardAndMemory) {
    test::TemporaryFolder folder;
    const auto card = folder.path() / "card", memory = folder.path() / "memory";
    std::filesystem::create_directories(card);
    std::filesystem::create_directories(memory);
    for (const auto& [path, bytes] : {std::pair{card / "B0002.BIN", std::string("\x01\x02\x03", 3)},
                                      {card / "A0001.BIN", ""},
                                      {card / "DAY1.CSV", "MODEL,ZR915,T200\nDATE,TIME\r\n2024/04/01,09:00:00"},
                                      {memory / "ALARMS.ARM", ""},
                                      {folder.path() / "OUTSIDE.BIN", "secret"}})
        std::ofstream(path, std::ios::binary) << bytes;
    MeterLine line({}, {card, memory});
    for (const auto& [command, bytes] :
         {std::pair{":CARD:DIRE? INST", std::string("A0001,0,B0002,3\r\n")},
          {":CARD:DIRE? MEAS", "DAY1,47\r\n"},
          {":CARD:DIRE? WAVE", "\r\n"},
          {":MEMO:DIRE? ALM", "ALARMS,0\r\n"},
          {":CARD:PICK? B0002.BIN,1,3", std::string("\x02\x01\x02\x03\x03", 5)},
          {":CARD:PICK? DAY1.CSV,1,47", "\x02MODEL,ZR915,T200\r\nDATE,TIME\r\n2024/04/01,09:00:00\r\n\x03"},
          {":MEMO:PICK? ALARMS.ARM,1,0", "\x02\x03"},
          {":MEMO:PICK? B0002.BIN,1,3", ""},
          {":CARD:PICK? ../OUTSIDE.BIN,1,6", ""}}) {
        line.tell(command);
        EXPECT_EQ(line.receiveAll(), bytes) << command;
    }
}

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
    EXPECT_EQ(test::FileBytes(log), "*IDN?\n");
}

}  // namespace
}  // namespace voltaro
