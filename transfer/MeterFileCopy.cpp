#include "transfer/MeterFileCopy.h"

#include <chrono>
#include <optional>

#include "app/ErrorReporting.h"
#include "app/TextTools.h"
#include "app/TextOutput.h"
#include "link/MeterChecks.h"
#include "transfer/MeterDirectory.h"

namespace voltaro {

namespace {

constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';
constexpr int kSilenceSeconds = 5;
constexpr int kCancelledText = 431;
// How long the line must stay quiet after a file's end mark: several characters' time even at the slowest rate.
constexpr auto kSettleTime = std::chrono::milliseconds(200);

bool communicationFailed(Link& link) {
    ShowErrorMessage(link.context(), kErrKindApplication, kCommunicationFailed);
    return false;
}

// The user asked to stop: the file at hand is dropped, those copied before stay.
bool stopped(Link& link, const ProgressObserver& progress) {
    if (!progress.stopRequested()) return false;
    ShowInformationText(link.context(), link.context().catalogue.text(kCancelledText));
    return true;
}

// The end mark ends the file: a byte after it, there already or arriving soon after, means the
// directory understated the size.
bool nothingFollows(Link& link) {
    return !link.InputArrivesWithin(kSettleTime) || communicationFailed(link);
}

// Text kinds: lines between STX and ETX, exactly `size` bytes of them in all. The piece holding the ETX is not
// written, so it must hold nothing else; a text longer or shorter than announced is a failure, not a cut copy.
bool receiveLines(Link& link, TextOutput& target, const std::string& name, std::uint64_t size,
                  ProgressObserver& progress) {
    const auto deadline = link.ReplyDeadline(size + 2, kSilenceSeconds);
    std::string line;
    std::uint64_t written = 0;
    for (;;) {
        if (link.AwaitInput(kSilenceSeconds, deadline) != 0) return false;
        std::string& pending = link.pendingInput();
        const std::size_t end = pending.find_first_of(std::string_view("\n\x03", 2));
        const std::size_t taken = end == std::string::npos ? pending.size() : end + 1;
        line.append(pending, 0, taken);
        pending.erase(0, taken);
        if (end == std::string::npos) {
            // An unfinished line holds at most the start mark and the rest of the announced text.
            if (written + line.size() > size + 1) return communicationFailed(link);
            continue;
        }
        if (const std::size_t stx = line.find(kStx); stx != std::string::npos) line.erase(0, stx + 1);
        if (line.find(kEtx) != std::string::npos) {
            return (line.size() == 1 && written == size) || communicationFailed(link);
        }
        if (written + line.size() > size) return communicationFailed(link);
        target.append(line);
        written += line.size();
        line.clear();
        progress.progress(name, written, size);
        if (stopped(link, progress)) return false;
    }
}

// Binary kinds: one leading byte, `size` data bytes, one trailing byte.
bool receiveBlock(Link& link, TextOutput& target, const std::string& name, std::uint64_t size,
                  ProgressObserver& progress) {
    const std::uint64_t total = size + 2;
    const auto deadline = link.ReplyDeadline(total, kSilenceSeconds);
    std::uint64_t received = 0;
    while (received < total) {
        if (link.AwaitInput(kSilenceSeconds, deadline) != 0) return false;
        std::string& pending = link.pendingInput();
        const std::uint64_t taken = std::min<std::uint64_t>(pending.size(), total - received);
        // The block is its bytes between a start mark and an end mark, nothing less.
        if (received == 0 && taken > 0 && pending.front() != kStx) return communicationFailed(link);
        if (received + taken == total && pending[taken - 1] != kEtx) return communicationFailed(link);
        // Bytes 1..size of the whole transfer are the file's.
        const std::uint64_t first = std::max<std::uint64_t>(received, 1);
        const std::uint64_t last = std::min<std::uint64_t>(received + taken, size + 1);
        if (last > first) target.append(std::string_view(pending).substr(first - received, last - first));
        pending.erase(0, taken);
        received += taken;
        progress.progress(name, std::min(received, size), size);
        if (stopped(link, progress)) return false;
    }
    return true;
}

}  // namespace

bool IsBinaryKind(std::string_view fileName) {
    const std::string_view last = fileName.size() >= 3 ? fileName.substr(fileName.size() - 3) : fileName;
    return last == "BIN" || last == "WFM" || last == "BMP";
}

std::int16_t ZrFileToPcTmpFile(Link& link, MeterMedium medium, std::string& fileName, const std::string& sizeText,
                               const std::string& targetPath, ProgressObserver& progress) {
    fileName = std::string(TrimBlanks(fileName));
    const std::optional<std::uint64_t> announced = ByteCount(sizeText);
    if (!announced) {
        communicationFailed(link);
        return kAlreadyReported;
    }
    if (link.OpenCommPort(link.context().CurrentSetting.Pc) != 0) return kAlreadyReported;
    auto fetch = [&] {
        if (link.SendCommand(":COMM:HEAD OFF") != 0 || CheckMeterIdentity(link) != 0) return false;
        if (medium == MeterMedium::Card && CheckCardStatus(link) != 0) return false;
        TextOutput target;
        if (!target.create(targetPath)) {
            ReportSystemError(link.context(), target.error());
            return false;
        }
        const std::string pick = std::string(medium == MeterMedium::Card ? ":CARD:PICK? " : ":MEMO:PICK? ") +
                                 fileName + ",1," + sizeText;
        const std::uint64_t size = *announced;
        progress.progress(fileName, 0, size);
        const bool complete = link.SendCommand(pick) == 0 &&
                              (IsBinaryKind(fileName) ? receiveBlock(link, target, fileName, size, progress)
                                                      : receiveLines(link, target, fileName, size, progress)) &&
                              nothingFollows(link);
        if (!complete) return false;  // the target goes unclosed: nothing of it stays
        if (!target.close()) {
            ReportSystemError(link.context(), target.error());
            return false;
        }
        return link.SendCommand(":COMM:HEAD ON") == 0;
    };
    const bool fetched = fetch();
    link.CloseCommPort();
    return fetched ? 0 : kAlreadyReported;
}

}  // namespace voltaro
