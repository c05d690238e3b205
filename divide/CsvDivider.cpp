#include "divide/CsvDivider.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>

#include "app/AppPath.h"
#include "app/ErrorReporting.h"
#include "app/NumberText.h"
#include "app/TextOutput.h"
#include "app/TextTools.h"
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
// Up to a hundred column pieces are open at once; each gets a modest buffer.
constexpr std::size_t kColumnPieceBufferBytes = 64 << 10;
constexpr std::string_view kLineEnd = "\r\n";

bool endsInCsv(const std::string& path) {
    return path.size() >= 4 && UpperCaseAscii(path.substr(path.size() - 4)) == ".CSV";
}

bool isMeterType(std::string_view type) { return type == "T200" || type == "T201"; }

}  // namespace

// One data row: the fields of one line, at most as many as the title row has, ending
// after a "STOP" field. An empty field in the middle is an empty cell.
struct CsvDivider::Row {
    std::vector<std::string_view> fields;
    bool stop = false;

    void split(std::string_view line, std::size_t columns) {
        fields.clear();
        stop = false;
        std::size_t start = 0;
        while (fields.size() < columns) {
            const std::size_t comma = line.find(',', start);
            const std::string_view field = line.substr(start, comma == std::string_view::npos ? comma : comma - start);
            fields.push_back(field);
            // The meter's end of data ends the row, but never before the three fields every
            // piece takes from the line.
            if (field == "STOP") stop = true;
            if (stop && fields.size() >= static_cast<std::size_t>(kFixedColumns)) break;
            if (comma == std::string_view::npos) break;
            start = comma + 1;
        }
    }
    std::string_view operator[](std::size_t i) const { return i < fields.size() ? fields[i] : std::string_view(); }
};

// The column pieces, all open at once, each written through its own buffer. They are put
// in place together when the run ends, or none of them when writing one failed.
class CsvDivider::Pieces {
public:
    struct Columns {
        std::size_t first;  // the piece's own columns, after the three every piece has
        std::size_t last;
    };

    // Starts the next piece; on failure returns the system's text.
    bool add(const std::string& name, std::string& error) {
        auto file = std::make_unique<TextOutput>(kColumnPieceBufferBytes);
        if (!file->create(name)) {
            error = file->error();
            return false;
        }
        files_.push_back(std::move(file));
        return true;
    }
    TextOutput& operator[](std::size_t k) { return *files_[k]; }
    // Puts every piece in place once all are complete; false with the first system text, and
    // none of them in place, when anything was lost.
    bool close(std::string& error) {
        auto dropAll = [&](const TextOutput& failed) {
            error = failed.error();
            for (auto& file : files_) file->discard();
            return false;
        };
        for (auto& file : files_)
            if (!file->finish()) return dropAll(*file);
        for (auto& file : files_)
            if (!file->close()) return dropAll(*file);
        return true;
    }
    const std::string* firstError() const {
        for (const auto& file : files_)
            if (file->failed()) return &file->error();
        return nullptr;
    }

private:
    std::vector<std::unique_ptr<TextOutput>> files_;
};

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
    const std::string& title = headerLines.back();
    std::string header;
    for (std::size_t i = 0; i + 1 < headerLines.size(); ++i) header.append(headerLines[i]).append(kLineEnd);
    std::string line;
    std::string error;

    // Piece 00 takes the first N columns; every later piece the three fixed columns and
    // the next N - 3.
    const std::size_t columns = static_cast<std::size_t>(std::count(title.begin(), title.end(), ',')) + 1;
    const auto perPiece = static_cast<std::size_t>(RoundHalfEven(count_));
    const std::size_t extra = columns > perPiece ? columns - perPiece : 0;
    const std::size_t ownColumns = perPiece - kFixedColumns;
    std::size_t pieceCount = extra == 0 ? 1 : 1 + (extra + ownColumns - 1) / ownColumns;
    const bool tooMany = pieceCount > static_cast<std::size_t>(kMaxPieces);
    pieceCount = std::min(pieceCount, static_cast<std::size_t>(kMaxPieces));
    std::vector<Pieces::Columns> ranges;
    for (std::size_t k = 0; k < pieceCount; ++k) {
        const std::size_t first = k == 0 ? kFixedColumns : ranges.back().last + 1;
        const std::size_t last = std::min(k == 0 ? perPiece - 1 : first + perPiece - 4, columns - 1);
        ranges.push_back({first, last});
    }

    const bool meterFile = isMeterType(type_);
    Pieces pieces;
    Row row;
    // Writes piece k's part of the row; false when the first piece refuses the row's mark.
    auto writePart = [&](std::size_t k) {
        const bool endOfMeterData = meterFile && row.stop;  // date, time and mark alone
        if (k == 0 && !endOfMeterData && !IsRowMark(row[0])) return false;
        TextOutput& out = pieces[k];
        out.append(row[0]);
        out.append(',');
        out.append(row[1]);
        out.append(',');
        out.append(row[2]);
        if (!endOfMeterData) {
            if (k == 0) {
                // Piece 00 ends where the row ends.
                for (std::size_t i = ranges[0].first; i <= ranges[0].last && i < row.fields.size(); ++i) {
                    out.append(',');
                    out.append(row.fields[i]);
                }
            } else if (IsPowerEvent(row[0])) {
                out.append(',');
            } else {
                for (std::size_t i = ranges[k].first; i <= ranges[k].last; ++i) {
                    out.append(',');
                    out.append(row[i]);
                }
            }
        }
        out.append(kLineEnd);
        return true;
    };

    // Each piece gets the header and its part of the title row before the next is made.
    bool notNormal = false;
    row.split(title, columns);
    for (std::size_t k = 0; k < pieceCount && !notNormal; ++k) {
        if (!pieces.add(PieceName(outputBase_, DivideKind::Columns, static_cast<int>(k)), error)) {
            reportSystemError(error);
            return true;
        }
        pieces[k].append(header);
        notNormal = !writePart(k);
    }
    reportProgress(input.position(), input.size());
    while (!notNormal && !row.stop && input.next(line)) {
        row.split(line, columns);
        for (std::size_t k = 0; k < pieceCount && !notNormal; ++k) notNormal = !writePart(k);
        if (pieces.firstError() != nullptr) break;
        // Stopped, the pieces go with `pieces`: none of them is complete.
        if (input.position() - lastProgress_ >= kProgressStepBytes && stopAsked(input.position(), input.size()))
            return true;
    }
    // The rows before one that is not normal are kept, as far as they go.
    if (!pieces.close(error)) {
        reportSystemError(error);
        return true;
    }
    if (notNormal) {
        reportNotNormal();
        return true;
    }
    if (finishReading(input.lineTooLong(), input.failed(), input.size())) return true;
    if (tooMany) ShowInformationText(ctx_, ctx_.catalogue.text(kTooManyPiecesText));
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
