// Feeds arbitrary bytes to the Parameter file reader. Whatever the file holds, reading it
// must not crash or read past it, and the setting it gives must survive being written
// back: the file written reads again into the same setting.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "app/AppContext.h"
#include "app/ParameterFile.h"
#include "fuzz/FuzzChecks.h"
#include "fuzz/FuzzWorkspace.h"

namespace {

using voltaro::fuzz::require;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // The image alone: what was decoded encodes to an image that decodes to the same.
    const std::string image = voltaro::EncodeParameterImage(voltaro::DecodeParameterImage(bytes));
    require(voltaro::EncodeParameterImage(voltaro::DecodeParameterImage(image)) == image);

    // The file as the program reads and writes it, PC-side choices checked on the way.
    const auto& folder = voltaro::fuzz::WorkFolder();
    std::ofstream(folder / voltaro::kParameterFileName, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    voltaro::fuzz::SilentMessages messages;
    voltaro::fuzz::FixedClock clock;
    voltaro::AppContext ctx(messages, clock);
    ctx.AppPath = folder.string() + '/';
    require(voltaro::AccessParameterFile(ctx, voltaro::kParameterRead) == 0);
    const voltaro::SettingRecord read = ctx.CurrentSetting;
    require(voltaro::AccessParameterFile(ctx, voltaro::kParameterWrite) == 0);
    ctx.CurrentSetting = {};
    require(voltaro::AccessParameterFile(ctx, voltaro::kParameterRead) == 0);
    require(voltaro::EncodeParameterImage(ctx.CurrentSetting) == voltaro::EncodeParameterImage(read));
    return 0;
}
