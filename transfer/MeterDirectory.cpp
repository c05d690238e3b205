#include "transfer/MeterDirectory.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "app/ErrorReporting.h"
#include "app/TextTools.h"
#include "link/MeterChecks.h"

namespace voltaro {

namespace {

constexpr std::int16_t kCardNotReady = 203;
constexpr std::size_t kNameWidth = 12;
// A kind's directory reply at its longest: 10,000 files (four digits after a name), each a name of
// at most eight characters and a size, with room for blanks around them.
constexpr std::size_t kLongestDirectoryReply = 10000 * 32;

struct Kind {
    std::string_view word;
    std::string_view extension;
    bool cardOnly;
};
constexpr std::array<Kind, 6> kKinds{{
    {"MEAS", ".CSV", false},
    {"INST", ".BIN", false},
    {"ALM", ".ARM", false},
    {"WAVE", ".WFM", false},
    {"BMP", ".BMP", false},
    {"SET", ".SET", true},
}};

// Any size that is no count of bytes counts as 0, so that the list never sorts by a NaN.
float sizeOf(std::string_view text) { return static_cast<float>(ByteCount(text).value_or(0)); }

std::string_view mediumPrefix(MeterMedium medium) { return medium == MeterMedium::Card ? ":CARD:" : ":MEMO:"; }

}  // namespace

std::optional<std::uint64_t> ByteCount(std::string_view sizeText) {
    constexpr std::uint64_t kLargestFileBytes = std::uint64_t{1} << 40;  // more than any medium of the meter holds
    std::uint64_t size = 0;
    const auto [end, error] = std::from_chars(sizeText.data(), sizeText.data() + sizeText.size(), size);
    if (sizeText.empty() || error != std::errc() || end != sizeText.data() + sizeText.size()) return std::nullopt;
    if (size > kLargestFileBytes) return std::nullopt;
    return size;
}

std::vector<std::string_view> DirectoryKinds(MeterMedium medium) {
    std::vector<std::string_view> kinds;
    for (const Kind& kind : kKinds)
        if (medium == MeterMedium::Card || !kind.cardOnly) kinds.push_back(kind.word);
    return kinds;
}

std::string GetFileExtString(std::string_view kind) {
    for (const Kind& known : kKinds)
        if (known.word == kind) return std::string(known.extension);
    return {};
}

void SetZrFileNameList(MeterFileList& list, std::string_view kind, std::string_view reply) {
    const std::string extension = GetFileExtString(kind);
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = reply.find(',', start);
        if (comma == std::string_view::npos) return;
        const std::size_t next = reply.find(',', comma + 1);
        MeterFileEntry entry;
        entry.name = std::string(TrimBlanks(reply.substr(start, comma - start))) + extension;
        entry.name.resize(kNameWidth, ' ');
        entry.kind = kind;
        const std::size_t sizeEnd = next == std::string_view::npos ? reply.size() : next;
        entry.sizeText = TrimBlanks(reply.substr(comma + 1, sizeEnd - comma - 1));
        entry.size = sizeOf(entry.sizeText);
        list.entries.push_back(std::move(entry));
        if (next == std::string_view::npos) return;
        start = next + 1;
    }
}

void ZrFileNameListSort(MeterFileList& list) {
    std::stable_sort(list.entries.begin(), list.entries.end(),
                     [](const MeterFileEntry& a, const MeterFileEntry& b) { return a.name < b.name; });
}

std::int16_t CheckCardStatus(Link& link) {
    std::string reply;
    if (link.SendCommand(":CARD:STAT?") != 0 || link.ReceiveResponse(reply) != 0) return kAlreadyReported;
    long long status = 0;
    const std::string_view text = TrimBlanks(reply);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), status);
    const std::int16_t code = text.empty() || error != std::errc() || end != text.data() + text.size()
                                  ? kCommunicationFailed
                                  : (status == 0 ? kCardNotReady : std::int16_t{0});
    if (code == 0) return 0;
    ShowErrorMessage(link.context(), kErrKindApplication, code);
    return kAlreadyReported;
}

std::int16_t GetCommZrFileName(Link& link, MeterMedium medium, std::string_view kind, std::string& reply) {
    reply.clear();
    const std::string command = std::string(mediumPrefix(medium)) + "DIRE? " + std::string(kind);
    if (link.SendCommand(command) == 0 && link.ReceiveResponse(reply, kReplyTimeoutSeconds, kLongestDirectoryReply) == 0)
        return 0;
    reply.clear();
    return kAlreadyReported;
}

std::int16_t GetZrFileName(Link& link, MeterMedium medium, MeterFileList& list) {
    if (link.OpenCommPort(link.context().CurrentSetting.Pc) != 0) return kAlreadyReported;
    auto read = [&] {
        if (link.SendCommand(":COMM:HEAD OFF") != 0 || CheckMeterIdentity(link) != 0) return false;
        if (medium == MeterMedium::Card && CheckCardStatus(link) != 0) return false;
        list.entries.clear();
        std::string reply;
        for (std::string_view kind : DirectoryKinds(medium)) {
            if (GetCommZrFileName(link, medium, kind, reply) != 0) return false;
            SetZrFileNameList(list, kind, reply);
        }
        ZrFileNameListSort(list);
        return link.SendCommand(":COMM:HEAD ON") == 0;
    };
    const bool done = read();
    link.CloseCommPort();
    return done ? 0 : kAlreadyReported;
}

}  // namespace voltaro
