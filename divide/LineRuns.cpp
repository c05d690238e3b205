#include "divide/LineRuns.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "app/LineInput.h"

namespace voltaro {

namespace {

// Blocks scanned ahead: one being walked, one being scanned, two ready.
constexpr std::size_t kBlocksOut = 4;

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

LineRuns::LineRuns(int input, std::uint64_t offset)
    : input_(input),
      scans_(OrderedWork<Block>::workersForCores(1), kBlocksOut, [input](Block& block) { scan(input, block); }),
      scanOffset_(offset),
      scannedEnd_(offset),
      runStart_(offset),
      lineStart_(offset) {}

void LineRuns::scan(int input, Block& block) {
    if (!block.bytes) block.bytes = std::make_unique_for_overwrite<char[]>(kBlockBytes);
    block.got = 0;
    block.failed = false;
    while (block.got < kBlockBytes) {
        const ssize_t n = ::pread(input, block.bytes.get() + block.got, kBlockBytes - block.got,
                                  static_cast<off_t>(block.offset + block.got));
        if (n < 0 && errno == EINTR) continue;
        block.failed = n < 0;
        if (n <= 0) break;
        block.got += static_cast<std::size_t>(n);
    }
    block.crs.assign(kBlockBytes / 64, 0);
    block.loneCrs.assign(kBlockBytes / 64, 0);
    const char* bytes = block.bytes.get();
    for (std::size_t at = 0; at < block.got; ++at) {
        const void* cr = std::memchr(bytes + at, '\r', block.got - at);
        if (cr == nullptr) break;
        at = static_cast<std::size_t>(static_cast<const char*>(cr) - bytes);
        const std::uint64_t bit = std::uint64_t{1} << (at % 64);
        block.crs[at / 64] |= bit;
        if (at + 1 < block.got && bytes[at + 1] != '\n') block.loneCrs[at / 64] |= bit;
    }
}

std::size_t LineRuns::findCr(std::size_t from) const {
    const std::size_t words = (block_->got + 63) / 64;
    std::size_t word = from / 64;
    if (word >= words) return block_->got;
    std::uint64_t bits = block_->crs[word] & (~std::uint64_t{0} << (from % 64));
    while (bits == 0) {
        if (++word == words) return block_->got;
        bits = block_->crs[word];
    }
    return word * 64 + static_cast<std::size_t>(std::countr_zero(bits));
}

bool LineRuns::nextBlock() {
    if (block_ != nullptr) scans_.recycle();
    block_ = nullptr;
    if (lastBlock_) return false;
    for (Block* block; (block = scans_.vacant()) != nullptr; scanOffset_ += kBlockBytes) {
        block->offset = scanOffset_;
        scans_.submit();
    }
    block_ = scans_.oldest();
    walked_ = 0;
    scannedEnd_ = block_->offset + block_->got;
    // A short block is the last: blocks after it would skip what a growing file gained meanwhile.
    lastBlock_ = block_->failed || block_->got < kBlockBytes;
    readFailed_ = block_->failed;
    return block_->got != 0;
}

long long LineRuns::copy(TextOutput& piece, long long count) {
    long long copied = 0;
    while (copied < count && !failed_ && !lineTooLong_) {
        if (block_ == nullptr || walked_ == block_->got) {
            copyRun(piece);
            if (!nextBlock()) {
                copied += endInput(piece);
                break;
            }
            if (pendingCr_) {
                endLine(piece, *pendingCr_, block_->bytes[0] == '\n');
                pendingCr_.reset();
                ++copied;
                continue;
            }
        }
        while (copied < count) {
            const std::size_t at = findCr(walked_);
            if (at == block_->got) {
                walked_ = at;
                break;
            }
            if (tooLong(block_->offset + at)) break;
            walked_ = at + 1;
            if (walked_ == block_->got) {
                pendingCr_ = block_->offset + at;
                break;
            }
            endLine(piece, block_->offset + at, (block_->loneCrs[at / 64] >> (at % 64) & 1) == 0);
            ++copied;
        }
    }
    copyRun(piece);
    return copied;
}

void LineRuns::endLine(TextOutput& piece, std::uint64_t cr, bool lf) {
    lineStart_ = cr + (lf ? 2 : 1);
    if (lf) return;
    copyRun(piece);
    piece.append('\n');
}

int LineRuns::endInput(TextOutput& piece) {
    failed_ = failed_ || readFailed_;
    if (pendingCr_) {  // the file ends with that CR
        endLine(piece, *pendingCr_, false);
        pendingCr_.reset();
        return 1;
    }
    if (lineStart_ == scannedEnd_ || tooLong(scannedEnd_)) return 0;
    lineStart_ = scannedEnd_;
    copyRun(piece);
    piece.append(kLineEnd);
    return 1;
}

void LineRuns::copyRun(TextOutput& piece) {
    if (lineStart_ == runStart_) return;
    if (!piece.appendFileRange(input_, runStart_, lineStart_ - runStart_)) failed_ = true;
    runStart_ = lineStart_;
}

bool LineRuns::tooLong(std::uint64_t end) {
    lineTooLong_ = lineTooLong_ || end - lineStart_ > LineInput::kLongestLine;
    return lineTooLong_;
}

}  // namespace voltaro
