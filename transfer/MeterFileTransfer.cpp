#include "transfer/MeterFileTransfer.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "app/AppPath.h"
#include "app/AtomicFile.h"
#include "app/ErrorReporting.h"
#include "app/TextTools.h"
#include "transfer/MeterFileCopy.h"
#include "transfer/SpreadsheetExport.h"

namespace voltaro {

namespace {

constexpr char kTemporaryFileName[] = "~data000.tmp";
constexpr int kAlreadyExistsText = 409;
constexpr int kReplaceQuestionText = 420;
constexpr int kInvalidFilenameText = 512;

bool isControlCharacter(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

// The name as it can be shown: control characters as "?".
std::string printable(const std::string& name) {
    std::string shown = name;
    for (char& c : shown) {
        if (isControlCharacter(c)) c = '?';
    }
    return shown;
}

bool copyFolderExists(AppContext& ctx, const std::string& folder) {
    std::error_code error;
    if (!folder.empty() && std::filesystem::is_directory(folder, error)) return true;
    if (!error) {
        std::error_code ignored;
        error = std::make_error_code(!folder.empty() && std::filesystem::exists(folder, ignored)
                                         ? std::errc::not_a_directory
                                         : std::errc::no_such_file_or_directory);
    }
    ReportSystemError(ctx, (folder.empty() ? "" : folder + ": ") + error.message());
    return false;
}

// The copy folder's file of that name, when the user lets it be replaced. Cancel ends the run.
enum class CopyStep { Copy, Skip, Stop };

CopyStep askToReplace(AppContext& ctx, const std::string& name, const std::string& target) {
    std::error_code error;
    if (!std::filesystem::exists(target, error)) return CopyStep::Copy;
    const std::string question =
        name + ctx.catalogue.text(kAlreadyExistsText) + "\n" + ctx.catalogue.text(kReplaceQuestionText);
    switch (ctx.messages.askYesNoCancel(ctx.MsgTitle, question)) {
        case Answer::Yes: return CopyStep::Copy;
        case Answer::No: return CopyStep::Skip;
        case Answer::Cancel: break;
    }
    return CopyStep::Stop;
}

// One file from the meter into the targets; false when the run must stop.
bool transferOne(Link& link, MeterMedium medium, const MeterFileEntry& entry, const std::string& temporary,
                 const TransferTargets& targets, const std::string& folder, ProgressObserver& progress) {
    AppContext& ctx = link.context();
    std::string name(TrimBlanks(entry.name));
    if (!IsSafeMeterFileName(name)) {
        ShowStopText(ctx, printable(name) + ": " + ctx.catalogue.text(kInvalidFilenameText));
        return false;
    }
    if (ZrFileToPcTmpFile(link, medium, name, entry.sizeText, temporary, progress) != 0) return false;
    if (targets.copy) {
        const std::string target = folder + name;
        switch (askToReplace(ctx, name, target)) {
            case CopyStep::Copy: {
                std::string error;
                if (!CopyFileAtomically(temporary, target, error)) {
                    ReportSystemError(ctx, error);
                    return false;
                }
                break;
            }
            case CopyStep::Skip: break;
            case CopyStep::Stop: return false;
        }
    }
    if (targets.workbook != nullptr && !IsBinaryKind(name) && targets.workbook->TransExec(name, temporary) != 0) {
        return false;
    }
    if (std::remove(temporary.c_str()) != 0) {
        ReportSystemError(ctx, temporary + ": " + std::strerror(errno));
        return false;
    }
    return true;
}

}  // namespace

bool IsSafeMeterFileName(const std::string& name) {
    // A meter name never starts with a point: such a name is an empty one with its extension,
    // or "." and "..", and would hide in the folder or leave it.
    if (name.empty() || name.front() == '.' || name.find("..") != std::string::npos) return false;
    for (const char c : name) {
        if (isControlCharacter(c) || c == '/' || c == '\\') return false;
    }
    return true;
}

std::int16_t TransStart(Link& link, MeterMedium medium, const std::vector<MeterFileEntry>& selected,
                        const TransferTargets& targets, ProgressObserver& progress) {
    if (selected.empty()) return kAlreadyReported;
    AppContext& ctx = link.context();
    // An empty folder stays empty, to be reported as missing rather than taken for the root.
    const std::string folder = targets.copyFolder.empty() ? "" : WithTrailingSeparator(targets.copyFolder);
    if (targets.copy && !copyFolderExists(ctx, folder)) return kAlreadyReported;
    const std::string temporary = ctx.AppPath + kTemporaryFileName;
    RemoveLeftoverTemporaryFiles(temporary);
    for (const MeterFileEntry& entry : selected) {
        if (!transferOne(link, medium, entry, temporary, targets, folder, progress)) {
            std::remove(temporary.c_str());
            return kAlreadyReported;
        }
    }
    return 0;
}

}  // namespace voltaro
