// Feeds arbitrary bytes to the .SET file reader. Whatever the file holds, reading it must
// not crash or read past it, and a file that does not read must leave the setting as it
// was. A file that reads into a setting the whole-setting check takes (as opening one
// does) must write back into a file that reads again into the same setting and the same
// bytes; unknown codes are the check's to refuse, and have no spelling to be written in.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/AppContext.h"
#include "app/DefaultSettings.h"
#include "fuzz/FuzzChecks.h"
#include "fuzz/FuzzWorkspace.h"
#include "settings/SettingCheck.h"
#include "settings/SettingFile.h"

namespace {

using voltaro::fuzz::require;
using voltaro::fuzz::startingSetting;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    voltaro::SettingRecord record = startingSetting();
    if (!voltaro::ParseSettingFile(bytes, record)) {
        require(record == startingSetting());
        return 0;
    }
    voltaro::fuzz::SilentMessages messages;
    voltaro::fuzz::FixedClock clock;
    voltaro::AppContext ctx(messages, clock);
    if (voltaro::CheckSettingRecord(ctx, record) != 0) return 0;
    const std::string written = voltaro::FormatSettingFile(record);
    voltaro::SettingRecord again = startingSetting();
    require(voltaro::ParseSettingFile(written, again));
    require(voltaro::FormatSettingFile(again) == written);
    // The ratios are written with two decimals and the version as this program's own;
    // everything else is kept exactly.
    again.Version = record.Version;
    again.Vt = record.Vt;
    again.Ct = record.Ct;
    require(again == record);
    return 0;
}
