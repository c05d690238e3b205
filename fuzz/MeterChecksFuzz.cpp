// Feeds arbitrary bytes to the meter checks: the first byte picks the check, each line of
// the rest is one reply of the meter. Whatever the meter sends, no check may crash or read
// past a reply, the identity's model and version stay within their widths, and a check
// that read the identity and passed leaves a version of the form "?.??" behind.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz/FuzzChecks.h"
#include "fuzz/MeterCheckRuns.h"
#include "fuzz/ReplayedLink.h"

namespace {

using voltaro::fuzz::require;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const voltaro::fuzz::MeterCheck check = voltaro::fuzz::kMeterChecks[data[0] % voltaro::fuzz::kMeterChecks.size()];
    const std::string_view replies(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::string_view firstLine = replies.substr(0, replies.find('\n'));
    require(voltaro::ModelOfIdentity(firstLine).size() <= voltaro::kMeterModel.size());
    require(voltaro::VersionOfIdentity(firstLine).size() <= 4);

    voltaro::fuzz::ReplayedLink line(replies);
    if (voltaro::fuzz::RunMeterCheck(check, line.link) == 0 && voltaro::fuzz::AsksIdentity(check)) {
        const std::string& version = line.ctx.MeterVersion;
        require(version.size() == 4 && version[1] == '.');
    }
    return 0;
}
