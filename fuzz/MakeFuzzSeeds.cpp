// Writes the seed inputs of the fuzz targets, one folder per target, made by the program's
// own writers and by its own exchanges with the simulated meter: the setting files and
// Parameter images it writes, the replies the meter gives to each exchange, and the
// command lines the program sends.
//
//   voltaro-make-fuzz-seeds CARD_FOLDER OUTPUT_FOLDER

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "app/DefaultSettings.h"
#include "app/ParameterFile.h"
#include "fuzz/FuzzWorkspace.h"
#include "fuzz/MeterCheckRuns.h"
#include "settings/SettingFile.h"
#include "settings/SettingReceive.h"
#include "settings/SettingSend.h"
#include "settings/SystemReset.h"
#include "sim/InMemorySerialPort.h"
#include "sim/MeterModel.h"
#include "support/ManualClock.h"
#include "transfer/MeterDirectory.h"
#include "transfer/MeterFileCopy.h"

namespace {

namespace fs = std::filesystem;
using namespace voltaro;

// The command pieces the meter-model seeds are fed in: one byte at a time, or sixteen.
constexpr char kBytewise = 0;
constexpr char kSixteenBytes = 15;

// A line that passes everything on and keeps what the meter sent.
class RecordingPort final : public SerialPort {
public:
    explicit RecordingPort(SerialPort& line) : line_(line) {}

    bool open(const SerialLineSettings& settings, std::string& error) override { return line_.open(settings, error); }
    void close() override { line_.close(); }
    bool isOpen() const override { return line_.isOpen(); }
    bool write(std::string_view bytes, std::chrono::milliseconds timeout) override {
        return line_.write(bytes, timeout);
    }
    bool waitForInput(std::chrono::milliseconds timeout) override { return line_.waitForInput(timeout); }
    std::size_t read(char* destination, std::size_t capacity) override {
        const std::size_t got = line_.read(destination, capacity);
        received.append(destination, got);
        return got;
    }

    std::string received;

private:
    SerialPort& line_;
};

// One exchange between the program and a simulated meter in simulated time, keeping the
// meter's replies and the command lines it was sent.
struct MeterExchange {
    MeterExchange(const fs::path& card, const fs::path& appFolder, sim::MeterFaults faults = {})
        : meter({card, card}, std::move(faults)) {
        ctx.AppPath = appFolder.string() + '/';
        ctx.CurrentSetting = FactorySettings(wallClock.now(), ctx.AppPath, 0);
        meter.setCommandObserver([this](std::string_view line) { (commands += line) += "\r\n"; });
    }
    MeterExchange(const MeterExchange&) = delete;
    MeterExchange& operator=(const MeterExchange&) = delete;

    const std::string& replies() const { return port.received; }

    fuzz::SilentMessages messages;
    fuzz::FixedClock wallClock;
    AppContext ctx{messages, wallClock};
    test::ManualClock clock;
    sim::MeterModel meter;
    sim::InMemorySerialPort line{meter, clock};
    RecordingPort port{line};
    Link link{ctx, port, clock};
    std::string commands;
};

class SeedWriter {
public:
    explicit SeedWriter(fs::path folder) : folder_(std::move(folder)) {}

    void operator()(std::string_view target, std::string_view name, std::string_view bytes) {
        fs::create_directories(folder_ / target);
        std::ofstream out(folder_ / target / name, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) failed = true;
    }

    bool failed = false;

private:
    fs::path folder_;
};

std::string Prefixed(char first, std::string_view rest) { return first + std::string(rest); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: voltaro-make-fuzz-seeds CARD_FOLDER OUTPUT_FOLDER\n";
        return 2;
    }
    const fs::path card = argv[1];
    SeedWriter write(argv[2]);
    const fs::path& scratch = fuzz::WorkFolder();

    // The setting as the meter holds it, received the way the settings window does.
    MeterExchange receive(card, scratch);
    SettingRecord received = receive.ctx.CurrentSetting;
    if (SettingComRead2(receive.link, received) != 0) return 1;
    write("receive", "healthy", receive.replies());
    write("metermodel", "receive", Prefixed(kBytewise, receive.commands));

    sim::MeterFaults onHold;
    onHold.hold = true;
    MeterExchange held(card, scratch, onHold);
    SettingRecord unchanged = held.ctx.CurrentSetting;
    SettingComRead2(held.link, unchanged);
    write("receive", "on-hold", held.replies());

    const SettingRecord factory = receive.ctx.CurrentSetting;
    SettingRecord ownOrders = received;
    ownOrders.SaveHrmOrdSel = 3;
    for (std::size_t order = 0; order < ownOrders.SaveHrmOrder.size(); order += 3) ownOrders.SaveHrmOrder[order] = 1;
    write("parameter", "factory", EncodeParameterImage(factory));
    write("parameter", "received", EncodeParameterImage(received));
    write("settingfile", "factory.SET", FormatSettingFile(factory));
    write("settingfile", "received.SET", FormatSettingFile(received));
    write("settingfile", "own-orders.SET", FormatSettingFile(ownOrders));

    MeterExchange send(card, scratch);
    if (SettingComWrite2(send.link, ownOrders, false) != 0) return 1;
    write("metermodel", "send", Prefixed(kSixteenBytes, send.commands));

    MeterExchange reset(card, scratch);
    if (SystemReset(reset.link) != 0) return 1;
    write("metermodel", "reset", Prefixed(kSixteenBytes, reset.commands));

    MeterFileList files;
    for (const MeterMedium medium : {MeterMedium::Card, MeterMedium::Memory}) {
        MeterExchange list(card, scratch);
        if (GetZrFileName(list.link, medium, files) != 0 || files.entries.empty()) return 1;
        const char mediumByte = medium == MeterMedium::Card ? 0 : 1;
        const std::string name = medium == MeterMedium::Card ? "card" : "memory";
        write("directory", name, Prefixed(mediumByte, list.replies()));
        write("metermodel", "list-" + name, Prefixed(kSixteenBytes, list.commands));
    }
    // A copy of every file the memory lists, each a line of the meter's (text) or a block (binary).
    for (const MeterFileEntry& entry : files.entries) {
        MeterExchange copy(card, scratch);
        std::string name = entry.name;
        ProgressObserver progress;
        if (ZrFileToPcTmpFile(copy.link, MeterMedium::Memory, name, entry.sizeText, (scratch / "copy").string(),
                              progress) != 0)
            return 1;
        write("metermodel", "copy-" + name, Prefixed(kSixteenBytes, copy.commands));
    }

    for (std::size_t index = 0; index < fuzz::kMeterChecks.size(); ++index) {
        MeterExchange check(card, scratch);
        check.link.OpenCommPort(check.ctx.CurrentSetting.Pc);
        fuzz::RunMeterCheck(fuzz::kMeterChecks[index], check.link);
        write("checks", "check-" + std::to_string(index), Prefixed(static_cast<char>(index), check.replies()));
    }
    return write.failed ? 1 : 0;
}
