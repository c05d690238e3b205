#include "divide/ColumnPieces.h"

#include <algorithm>

#include "divide/DivideFormat.h"

namespace voltaro {

namespace {

// Up to a hundred column pieces are open at once; each gets a modest buffer.
constexpr std::size_t kColumnPieceBufferBytes = 64 << 10;
constexpr std::size_t kFixed = kFixedColumns;
constexpr std::string_view kLineEnd = "\r\n";

std::size_t columnsOf(std::string_view title) { return static_cast<std::size_t>(std::ranges::count(title, ',')) + 1; }

void appendEmptyFields(TextOutput& out, std::size_t count) {
    for (; count > 0; --count) out.append(',');
}

}  // namespace

ColumnPieces::ColumnPieces(std::string_view title, std::size_t perPiece, bool meterFile)
    : meterFile_(meterFile), row_(columnsOf(title)) {
    const std::size_t columns = columnsOf(title);
    const std::size_t extra = columns > perPiece ? columns - perPiece : 0;
    const std::size_t ownColumns = perPiece - kFixed;
    const std::size_t needed = extra == 0 ? 1 : 1 + (extra + ownColumns - 1) / ownColumns;
    tooMany_ = needed > static_cast<std::size_t>(kMaxPieces);
    for (std::size_t k = 0; k < std::min(needed, static_cast<std::size_t>(kMaxPieces)); ++k) {
        const std::size_t first = k == 0 ? kFixed : ranges_.back().last + 1;
        const std::size_t last = std::min(k == 0 ? perPiece - 1 : first + perPiece - 4, columns - 1);
        ranges_.push_back({first, last});
    }
    row_.split(title);
}

bool ColumnPieces::add(const std::string& name, std::string_view header, std::string& error) {
    auto file = std::make_unique<TextOutput>(kColumnPieceBufferBytes);
    if (!file->create(name)) {
        error = file->error();
        return false;
    }
    file->append(header);
    files_.push_back(std::move(file));
    writeRow(files_.size() - 1);
    return true;
}

void ColumnPieces::write(std::string_view line) {
    row_.split(line);
    for (std::size_t k = 0; k < files_.size() && !refused_; ++k) writeRow(k);
}

void ColumnPieces::writeRow(std::size_t k) {
    const bool endOfMeterData = meterFile_ && row_.stop();  // date, time and mark alone
    if (k == 0 && !endOfMeterData && !IsRowMark(row_.mark())) {
        refused_ = true;
        return;
    }
    TextOutput& out = *files_[k];
    // A piece's columns lie side by side in the line; those the row lacks are written empty. Piece 00
    // ends where the row ends.
    const std::size_t fields = row_.size();
    const std::size_t fixed = std::min(fields, kFixed);
    const Columns own = ranges_[k];
    out.append(row_.through((k == 0 && !endOfMeterData ? std::min(fields, own.last + 1) : fixed) - 1));
    appendEmptyFields(out, kFixed - fixed);
    if (k > 0 && !endOfMeterData) {
        if (IsPowerEvent(row_.mark())) {
            out.append(',');
        } else {
            const std::size_t present = std::clamp(fields, own.first, own.last + 1);
            if (present > own.first) out.append(row_.commaAndFields(own.first, present - 1));
            appendEmptyFields(out, own.last + 1 - present);
        }
    }
    out.append(kLineEnd);
}

bool ColumnPieces::failed() const {
    return std::ranges::any_of(files_, [](const auto& file) { return file->failed(); });
}

bool ColumnPieces::close(std::string& error) {
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

}  // namespace voltaro
