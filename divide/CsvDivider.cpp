#include "divide/CsvDivider.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/AppPath.h"
#include "app/ErrorReporting.h"
#include "app/NumberText.h"
#include "app/TextOutput.h"
#include "app/TextTools.h"
#include "divide/ColumnPieces.h"
#include "divide/LineRuns.h"

namespace voltaro {

namespace {

constexpr int kFileNotSelectedText = 616;
constexpr int kNotDataFileText = 617;
constexpr int kInvalidRowNumberText = 618;
constexpr int kInvalidColumnNumberText = 619;
constexpr int kCompletedText = 620;
constexpr int kInvalidFilenameText = 621;
constexpr int kOverwriteQuestionText = 622;
constexpr int kTooManyPiecesText = 623;
constexpr int kNotNormalText = 624;
constexpr int kDriveNotReadyText = 625;
constexpr int kCancelledText = 626;

constexpr std::uint64_t kProgressStepBytes = 4 << 20;
constexpr std::string_view kLineEnd = "\r\n";

bool endsInCsv(const std::string& path) {
    return path.size() >= 4 && UpperCaseAscii(path.substr(path.size() - 4)) == ".CSV";
}

bool isMeterType(std::string_view type) { return type == "T200" || type == "T201"; }

}  // namespace

bool CsvDivider::OpenInputFile(const std::string& inputFile) {
    fullPath_ = inputFile;
    fileName_ = std::filesystem::path(inputFile).filename().string();
    LineInput input;
    std::string error;
    if (input.open(fullPath_, error)) return false;
    ShowStopText(ctx_, ctx_.catalogue.text(kFileNotSelectedText));
    return true;
}

bool CsvDivider::SetFileHeaderRead() {
    if (!endsInCsv(fullPath_)) return true;
    LineInput input;
    std::string error;
    std::string firstLine;
    if (!input.open(fullPath_, error) || !input.next(firstLine)) return true;
    const auto type = AcceptedTypeOfFirstLine(firstLine);
    if (!type) return true;
    type_ = *type;
    headerLines_ = HeaderLineCount(type_);
    return false;
}

bool CsvDivider::CHeckColRowNo(DivideKind kind, std::string_view countText) {
    const auto count = ParsePlainNumber(countText, NumberSign::Refused);
    if (!count || !CountAccepted(kind, type_, *count)) return true;
    count_ = *count;
    return false;
}

bool CsvDivider::CheckOutputFile(const std::string& outputFolder, DivideKind kind) {
    // An empty folder would put the pieces in the filesystem's root.
    if (outputFolder.empty()) {
        ShowStopText(ctx_, ctx_.catalogue.text(kDriveNotReadyText));
        return true;
    }
    if (fileName_.size() <= 4) {
        ShowStopText(ctx_, ctx_.catalogue.text(kInvalidFilenameText));
        return true;
    }
    outputBase_ = WithTrailingSeparator(outputFolder) + fileName_.substr(0, fileName_.size() - 4) + ".CSV";
    std::error_code ignored;
    if (!std::filesystem::exists(pieceName(kind, 0), ignored)) return false;
    return !ctx_.messages.askOkCancel(ctx_.MsgTitle, ctx_.catalogue.text(kOverwriteQuestionText));
}

bool CsvDivider::MakeColFile() {
    LineInput input;
    std::vector<std::string> headerLines;
    if (!openAndReadHeader(input, headerLines)) return true;
    std::string header;
    for (const std::string& headerLine : headerLines) header.append(headerLine).append(kLineEnd);
    const auto linesPerPiece = static_cast<long long>(RoundHalfEven(count_ - headerLines_));
    LineRuns lines(input.descriptor(), input.position());
    reportProgress(lines.position(), input.size());
    TextOutput piece;  // one writer, and one buffer, for every piece in turn; each is put in place when complete
    for (int k = 0; k < kMaxPieces; ++k) {
        if (!piece.create(pieceName(DivideKind::Lines, k))) {
            reportSystemError(piece.error());
            return true;
        }
        piece.append(header);
        const bool inputEnded = lines.copy(piece, linesPerPiece) < linesPerPiece;
        if (!piece.close()) {
            reportSystemError(piece.error());
            return true;
        }
        if (inputEnded) return finishReading(lines.lineTooLong(), lines.failed(), input.size());
        if (stopAsked(lines.position(), input.size())) return true;  // the pieces before stay, each complete
    }
    ShowInformationText(ctx_, ctx_.catalogue.text(kTooManyPiecesText));
    return false;
}

bool CsvDivider::MakeRowFile2() {
    LineInput input;
    std::vector<std::string> headerLines;
    if (!openAndReadHeader(input, headerLines)) return true;
    std::string header;
    for (std::size_t i = 0; i + 1 < headerLines.size(); ++i) header.append(headerLines[i]).append(kLineEnd);
    ColumnPieces pieces(headerLines.back(), static_cast<std::size_t>(RoundHalfEven(count_)), isMeterType(type_));
    std::string error;

    // Each piece gets the header and its part of the title row before the next is made.
    for (std::size_t k = 0; k < pieces.wanted() && !pieces.refused(); ++k) {
        if (!pieces.add(pieceName(DivideKind::Columns, static_cast<int>(k)), header, error)) {
            reportSystemError(error);
            return true;
        }
    }
    reportProgress(input.position(), input.size());
    std::string_view line;
    while (!pieces.refused() && !pieces.ended() && input.nextView(line)) {
        pieces.write(line);
        if (pieces.failed()) break;
        // Stopped, the pieces go with `pieces`: none of them is complete.
        if (input.position() - lastProgress_ >= kProgressStepBytes && stopAsked(input.position(), input.size()))
            return true;
    }
    // The rows before one that is not normal are kept, as far as they go.
    if (!pieces.close(error)) {
        reportSystemError(error);
        return true;
    }
    if (pieces.refused()) {
        reportNotNormal();
        return true;
    }
    if (finishReading(input.lineTooLong(), input.failed(), input.size())) return true;
    if (pieces.tooMany()) ShowInformationText(ctx_, ctx_.catalogue.text(kTooManyPiecesText));
    return false;
}

bool CsvDivider::stopAsked(std::uint64_t position, std::uint64_t size) {
    reportProgress(position, size);
    if (!observer_.stopRequested()) return false;
    ShowInformationText(ctx_, ctx_.catalogue.text(kCancelledText));
    return true;
}

bool CsvDivider::finishReading(bool lineTooLong, bool readFailed, std::uint64_t size) {
    if (lineTooLong) {
        reportNotNormal();  // no file of the meter has such a line
        return true;
    }
    if (readFailed) {
        reportSystemError(fullPath_ + ": " + std::strerror(EIO));
        return true;
    }
    reportProgress(size, size);
    return false;
}

bool CsvDivider::openAndReadHeader(LineInput& input, std::vector<std::string>& headerLines) {
    std::string error;
    if (!input.open(fullPath_, error)) {
        ShowStopText(ctx_, ctx_.catalogue.text(kFileNotSelectedText));
        return false;
    }
    headerLines.resize(static_cast<std::size_t>(headerLines_));
    for (std::string& headerLine : headerLines) {
        if (!input.next(headerLine)) {
            reportNotNormal();  // the file ends inside its header
            return false;
        }
    }
    return true;
}

void CsvDivider::reportSystemError(const std::string& text) { ReportSystemError(ctx_, text); }

void CsvDivider::reportNotNormal() { ShowStopText(ctx_, fullPath_ + ctx_.catalogue.text(kNotNormalText)); }

void CsvDivider::reportProgress(std::uint64_t done, std::uint64_t total) {
    lastProgress_ = done;
    observer_.progress(fileName_, std::min(done, total), total);
}

bool RunDivision(AppContext& ctx, const DivisionRequest& request, ProgressObserver& observer) {
    CsvDivider divider(ctx, observer);
    if (divider.OpenInputFile(request.inputFile)) return false;
    if (divider.SetFileHeaderRead()) {
        ShowStopText(ctx, ctx.catalogue.text(kNotDataFileText));
        return false;
    }
    if (divider.CHeckColRowNo(request.kind, request.countText)) {
        ShowStopText(ctx, ctx.catalogue.text(request.kind == DivideKind::Lines ? kInvalidRowNumberText
                                                                                 : kInvalidColumnNumberText));
        return false;
    }
    if (divider.CheckOutputFile(request.outputFolder, request.kind)) return false;
    // A division that ended on an error has said so, and is not completed.
    if (request.kind == DivideKind::Lines ? divider.MakeColFile() : divider.MakeRowFile2()) return false;
    ShowInformationText(ctx, ctx.catalogue.text(kCompletedText));
    return true;
}

}  // namespace voltaro
