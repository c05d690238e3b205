// Feeds arbitrary bytes to the reading of the meter's directory: each line of the input is
// one reply of the meter. Whatever the meter sends, the list must not crash or read past
// a reply, and what it gathers must be blank-padded names of the kinds asked for, one
// entry for every name followed by a size, sorted when the read went through. A size is a
// count of bytes: never negative, never infinite, never NaN (the file list sorts by it).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz/FuzzChecks.h"
#include "fuzz/ReplayedLink.h"
#include "transfer/MeterDirectory.h"

namespace {

using voltaro::fuzz::require;

// Each reply on its own: one entry for every comma that follows a name.
void checkOneReply(std::string_view reply) {
    voltaro::MeterFileList list;
    voltaro::SetZrFileNameList(list, "MEAS", reply);
    const auto commas = static_cast<std::size_t>(std::count(reply.begin(), reply.end(), ','));
    require(list.entries.size() == (commas + 1) / 2);
    for (const voltaro::MeterFileEntry& entry : list.entries) {
        require(entry.name.size() == 12);
        require(entry.sizeText.find(',') == std::string_view::npos);
        require(std::isfinite(entry.size) && entry.size >= 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the medium; the rest is what the meter sends.
    const auto medium = (data[0] & 1) != 0 ? voltaro::MeterMedium::Memory : voltaro::MeterMedium::Card;
    const std::string_view replies(reinterpret_cast<const char*>(data + 1), size - 1);

    for (std::string_view rest = replies; !rest.empty();) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        checkOneReply(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }

    voltaro::fuzz::ReplayedLink line(replies);
    voltaro::MeterFileList list;
    // A read that fails on the way keeps what it gathered, unsorted.
    const bool read = voltaro::GetZrFileName(line.link, medium, list) == 0;
    require(!read || std::is_sorted(list.entries.begin(), list.entries.end(),
                                    [](const auto& a, const auto& b) { return a.name < b.name; }));
    const auto kinds = voltaro::DirectoryKinds(medium);
    for (const voltaro::MeterFileEntry& entry : list.entries) {
        require(entry.name.size() == 12);
        require(std::find(kinds.begin(), kinds.end(), entry.kind) != kinds.end());
    }
    return 0;
}
