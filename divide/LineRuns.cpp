#include "divide/LineRuns.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "app/LineInput.h"

namespace voltaro {

namespace {

// Blocks scanned ahead: one being walked, one being scanned, two ready.
constexpr std::size_t kBlocksOut = 4;
// The CRs of a block are listed up to this many (lines of 16 bytes on average), a bit marking a lone one.
constexpr std::size_t kMostListed = 64 << 10;
constexpr std::uint32_t kLone = std::uint32_t{1} << 31;

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
    block.crs.clear();
    block.dense = false;
    const char* bytes = block.bytes.get();
    for (std::size_t at = 0; at < block.got; ++at) {
        const void* cr = std::memchr(bytes + at, '\r', block.got - at);
        if (cr == nullptr) break;
        if (block.crs.size() == kMostListed) {
            block.crs.clear();
            block.dense = true;
            break;
        }
        at = static_cast<std::size_t>(static_cast<const char*>(cr) - bytes);
        const bool lone = at + 1 < block.got && bytes[at + 1] != '\n';
        block.crs.push_back(static_cast<std::uint32_t>(at) | (lone ? kLone : 0));
    }
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
    walkedThrough_ = false;
    walked_ = 0;
    nextListed_ = 0;
    scannedEnd_ = block_->offset + block_->got;
    // A short block is the last: blocks after it would skip what a growing file gained meanwhile.
    lastBlock_ = block_->failed || block_->got < kBlockBytes;
    readFailed_ = block_->failed;
    return block_->got != 0;
}

bool LineRuns::nextCr(std::size_t& at, bool& lone) {
    if (!block_->dense) {
        if (nextListed_ == block_->crs.size()) return false;
        const std::uint32_t listed = block_->crs[nextListed_++];
        at = listed & ~kLone;
        lone = (listed & kLone) != 0;
        return true;
    }
    const char* bytes = block_->bytes.get();
    const void* cr = std::memchr(bytes + walked_, '\r', block_->got - walked_);
    if (cr == nullptr) return false;
    at = static_cast<std::size_t>(static_cast<const char*>(cr) - bytes);
    walked_ = at + 1;
    lone = walked_ < block_->got && bytes[walked_] != '\n';
    return true;
}

long long LineRuns::copy(TextOutput& piece, long long count) {
    long long copied = 0;
    while (copied < count && !failed_ && !lineTooLong_) {
        if (block_ == nullptr || walkedThrough_) {
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
        std::size_t at = 0;
        bool lone = false;
        if (!nextCr(at, lone)) {
            walkedThrough_ = true;
            continue;
        }
        if (tooLong(block_->offset + at)) break;
        if (at + 1 == block_->got) {  // what follows the CR is in the next block
            pendingCr_ = block_->offset + at;
            walkedThrough_ = true;
            continue;
        }
        endLine(piece, block_->offset + at, !lone);
        ++copied;
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
