// Feeds arbitrary command lines to the simulated meter, in pieces of a size the first byte
// picks. Whatever the PC sends, the meter must not crash, must hand out exactly the reply
// bytes it queued, and must never serve a file from outside its card and memory folders.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "app/DefaultSettings.h"
#include "fuzz/FuzzChecks.h"
#include "fuzz/FuzzWorkspace.h"
#include "settings/SettingFile.h"
#include "sim/MeterModel.h"

namespace {

using voltaro::fuzz::require;

namespace fs = std::filesystem;

// What the files beside the meter's folders hold; no reply may carry it. It is longer than
// any command line the meter keeps, so that no reply can merely repeat it back.
const std::string kOutsideText(8192, 'Q');

void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The files the program's own exchanges ask for, on the card that serves as memory too,
// and files beside it that the meter does not hold.
const voltaro::sim::MeterFolders& meterFolders() {
    static const voltaro::sim::MeterFolders folders = [] {
        const fs::path& work = voltaro::fuzz::WorkFolder();
        const fs::path card = work / "card";
        fs::create_directories(card);
        // What the files hold does not matter to the meter, only how it sends them.
        const std::string setting =
            voltaro::FormatSettingFile(voltaro::FactorySettings({2026, 1, 1, 0, 0, 0}, {}, 0));
        for (std::string_view name : {"SETUP001.SET", "INST0001.BIN", "WAVE0001.WFM"})
            writeFile(card / name, setting);
        for (std::string_view name : {"OUTSIDE.SET", "OUTSIDE.BIN", "OUTSIDE.CSV"})
            writeFile(work / name, kOutsideText);
        return voltaro::sim::MeterFolders{card, card};
    }();
    return folders;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t piece = data[0] % 16 + 1;
    std::string_view commands(reinterpret_cast<const char*>(data + 1), size - 1);

    voltaro::sim::MeterModel meter(meterFolders());
    voltaro::sim::MeterModel::TimePoint now{};
    std::string replies;
    char buffer[4096];
    while (!commands.empty()) {
        const std::string_view bytes = commands.substr(0, piece);
        commands.remove_prefix(bytes.size());
        meter.receive(bytes, now);
        now += std::chrono::milliseconds(1);
        const std::size_t available = meter.available(now);
        std::size_t taken = 0;
        for (std::size_t got; (got = meter.take(buffer, sizeof buffer, now)) != 0; taken += got)
            replies.append(buffer, got);
        require(taken == available);
    }
    require(replies.find(kOutsideText) == std::string::npos);
    return 0;
}
