#include "divide/ColumnPieces.h"

#include <algorithm>
#include <span>

#include "divide/DivideFormat.h"

namespace voltaro {

namespace {

// Up to a hundred column pieces are open at once; each gets a modest buffer.
constexpr std::size_t kColumnPieceBufferBytes = 64 << 10;
// A batch is handed to the writing thread once it holds this much; one is filled while two are out.
constexpr std::size_t kBatchBytes = 256 << 10;
constexpr std::size_t kBatchesOut = 2;
constexpr std::size_t kMostBatchBytesHeld = 4 * kBatchBytes;
constexpr std::size_t kFixed = kFixedColumns;
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kOneEmptyField = ",";

std::size_t columnsOf(std::string_view title) { return static_cast<std::size_t>(std::ranges::count(title, ',')) + 1; }

}  // namespace

ColumnPieces::ColumnPieces(std::string_view title, std::size_t perPiece, bool meterFile)
    : meterFile_(meterFile),
      emptyFields_(perPiece, ','),
      row_(columnsOf(title)),
      writing_(OrderedWork<Batch>::workersForCores(1), kBatchesOut + 1, [this](Batch& batch) { writeOut(batch); }) {
    const std::size_t columns = columnsOf(title);
    const std::size_t extra = columns > perPiece ? columns - perPiece : 0;
    const std::size_t ownColumns = perPiece - kFixed;
    const std::size_t needed = extra == 0 ? 1 : 1 + (extra + ownColumns - 1) / ownColumns;
    tooMany_ = needed > static_cast<std::size_t>(kMaxPieces);
    for (std::size_t k = 0; k < std::min(needed, static_cast<std::size_t>(kMaxPieces)); ++k) {
        const std::size_t first = k == 0 ? kFixed : ranges_.back().last + 1;
        const std::size_t last = std::min(k == 0 ? perPiece - 1 : first + perPiece - 4, columns - 1);
        ranges_.push_back({first, last});
        files_.push_back(std::make_unique<TextOutput>(kColumnPieceBufferBytes));
    }
    row_.split(title);
}

bool ColumnPieces::add(const std::string& name, std::string_view header, std::string& error) {
    TextOutput& file = *files_[added_];
    if (!file.create(name)) {
        error = file.error();
        return false;
    }
    const std::size_t k = added_++;
    std::string& out = textOf(k);
    const std::size_t before = out.size();
    out.append(header);
    added(k, before);
    writeRow(k);
    return true;
}

void ColumnPieces::write(std::string_view line) {
    row_.split(line);
    for (std::size_t k = 0; k < added_ && !refused_; ++k) writeRow(k);
}

void ColumnPieces::writeRow(std::size_t k) {
    if (k == 0 && !endOfMeterData() && !IsRowMark(row_.mark())) {
        refused_ = true;
        return;
    }
    if (row_.line().size() < kBatchBytes) {
        std::string& out = textOf(k);
        const std::size_t before = out.size();
        cut(k, out);
        added(k, before);
        return;
    }
    // A row as long as a batch goes to the file straight, after everything before it.
    drain();
    cut(k, *files_[k]);
    failed_ = failed_ || files_[k]->failed();
}

template <class Out>
void ColumnPieces::cut(std::size_t k, Out& out) const {
    // A piece's columns lie side by side in the line; those the row lacks are written empty. Piece 00
    // ends where the row ends.
    const std::size_t fields = row_.size();
    const std::size_t fixed = std::min(fields, kFixed);
    const Columns own = ranges_[k];
    const std::string_view empty = emptyFields_;
    out.append(row_.through((k == 0 && !endOfMeterData() ? std::min(fields, own.last + 1) : fixed) - 1));
    out.append(empty.substr(0, kFixed - fixed));
    if (k > 0 && !endOfMeterData()) {
        if (IsPowerEvent(row_.mark())) {
            out.append(kOneEmptyField);
        } else {
            const std::size_t present = std::clamp(fields, own.first, own.last + 1);
            if (present > own.first) out.append(row_.commaAndFields(own.first, present - 1));
            out.append(empty.substr(0, own.last + 1 - present));
        }
    }
    out.append(kLineEnd);
}

std::string& ColumnPieces::textOf(std::size_t k) {
    if (filling_ == nullptr) {
        filling_ = writing_.vacant();
        if (filling_ == nullptr) {
            takeBack();
            filling_ = writing_.vacant();
        }
        filling_->texts.resize(files_.size());
        filling_->bytes = 0;
        filling_->failed = false;
    }
    return filling_->texts[k];
}

void ColumnPieces::added(std::size_t k, std::size_t before) {
    filling_->bytes += filling_->texts[k].size() - before;
    if (filling_->bytes >= kBatchBytes) handIn();
}

void ColumnPieces::handIn() {
    writing_.submit();
    filling_ = nullptr;
}

void ColumnPieces::takeBack() {
    Batch& written = *writing_.oldest();
    failed_ = failed_ || written.failed;
    // A batch that grew far beyond the usual, on rows of huge fields, gives its memory back.
    std::size_t held = 0;
    for (const std::string& text : written.texts) held += text.capacity();
    for (std::string& text : written.texts) held > kMostBatchBytesHeld ? std::string().swap(text) : text.clear();
    writing_.recycle();
}

// On the writing thread. A piece not yet added has no text, and is not touched.
void ColumnPieces::writeOut(Batch& batch) {
    for (std::size_t k = 0; k < batch.texts.size(); ++k) {
        if (batch.texts[k].empty()) continue;
        files_[k]->append(batch.texts[k]);
        batch.failed = batch.failed || files_[k]->failed();
    }
}

void ColumnPieces::drain() {
    if (filling_ != nullptr) handIn();
    while (writing_.oldest() != nullptr) takeBack();
}

bool ColumnPieces::close(std::string& error) {
    drain();
    const auto added = std::span(files_).first(added_);
    auto dropAll = [&](const TextOutput& failed) {
        error = failed.error();
        for (auto& file : added) file->discard();
        return false;
    };
    for (auto& file : added)
        if (!file->finish()) return dropAll(*file);
    for (auto& file : added)
        if (!file->close()) return dropAll(*file);
    return true;
}

}  // namespace voltaro
