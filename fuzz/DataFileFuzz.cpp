// Feeds arbitrary bytes to the data file conversion as a .BIN or a .WFM file. The
// converter must never crash, hang or read out of bounds, whatever the file holds.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/AppContext.h"
#include "convert/DataFileConverter.h"

namespace {

class SilentMessages final : public voltaro::Messages {
public:
    void notify(voltaro::MessageIcon, const std::string&, const std::string&) override {}
    bool askOkCancel(const std::string&, const std::string&) override { return true; }
};

class FixedClock final : public voltaro::WallClock {
public:
    voltaro::LocalDateTime now() const override { return {2026, 1, 1, 0, 0, 0}; }
};

const std::filesystem::path& workFolder() {
    static const std::filesystem::path folder = [] {
        const std::filesystem::path shm = "/dev/shm";
        const auto base = std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
        auto path = base / ("voltaro-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the kind; the rest is the file.
    const std::string name = (data[0] & 1) != 0 ? "FUZZ.WFM" : "FUZZ.BIN";
    const auto& folder = workFolder();
    std::ofstream(folder / name, std::ios::binary).write(reinterpret_cast<const char*>(data + 1),
                                                         static_cast<std::streamsize>(size - 1));
    SilentMessages messages;
    FixedClock clock;
    voltaro::AppContext ctx(messages, clock);
    voltaro::ConversionObserver observer;
    voltaro::RunConversion(ctx, {{folder.string(), name}}, folder.string(), observer);
    std::filesystem::remove(folder / "FUZZ.CSV");
    return 0;
}
