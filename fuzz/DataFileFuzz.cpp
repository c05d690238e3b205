// Feeds arbitrary bytes to the data file conversion as a .BIN or a .WFM file. The
// converter must never crash, hang or read out of bounds, whatever the file holds.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/AppContext.h"
#include "convert/DataFileConverter.h"
#include "fuzz/FuzzWorkspace.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the kind; the rest is the file.
    const std::string name = (data[0] & 1) != 0 ? "FUZZ.WFM" : "FUZZ.BIN";
    const auto& folder = voltaro::fuzz::WorkFolder();
    std::ofstream(folder / name, std::ios::binary).write(reinterpret_cast<const char*>(data + 1),
                                                         static_cast<std::streamsize>(size - 1));
    voltaro::fuzz::SilentMessages messages;
    voltaro::fuzz::FixedClock clock;
    voltaro::AppContext ctx(messages, clock);
    voltaro::ConversionObserver observer;
    voltaro::RunConversion(ctx, {{folder.string(), name}}, folder.string(), observer);
    std::filesystem::remove(folder / "FUZZ.CSV");
    return 0;
}
