#include "divide/LineRuns.h"

#include <cerrno>
#include <cstring>
#include <string_view>
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

// Whether the CR at `at` in the `got` bytes at `bytes` has no LF after it there.
bool loneCr(const char* bytes, std::size_t got, std::size_t at) { return at + 1 < got && bytes[at + 1] != '\n'; }

}  // namespace

LineRuns::LineRuns(int input, std::uint64_t offset)
    : scans_(OrderedWork<Block>::workersForCores(1), kBlocksOut, [input](Block& block) { scan(input, block); }),
      scanOffset_(offset),
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
        block.crs.push_back(static_cast<std::uint32_t>(at) | (loneCr(bytes, block.got, at) ? kLone : 0));
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
    runStart_ = 0;
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
    lone = loneCr(bytes, block_->got, at);
    return true;
}

long long LineRuns::copy(TextOutput& piece, long long count) {
    long long copied = 0;
    while (copied < count && !lineTooLong_) {
        if (block_ == nullptr || walkedThrough_) {
            if (block_ != nullptr && !carryLineBegun(piece)) break;
            if (!nextBlock()) {
                copied += endInput(piece);
                break;
            }
            if (crCarried_) {
                endCarriedLine(piece);
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
            crCarried_ = true;
            walkedThrough_ = true;
            continue;
        }
        endLine(piece, at, !lone);
        ++copied;
    }
    if (block_ != nullptr) writeRun(piece);
    return copied;
}

void LineRuns::endLine(TextOutput& piece, std::size_t at, bool lf) {
    if (!carried_.empty()) writeCarried(piece);  // the line began in an earlier block
    lineStart_ = block_->offset + at + (lf ? 2 : 1);
    if (lf) return;
    writeRun(piece);
    piece.append('\n');
}

void LineRuns::endCarriedLine(TextOutput& piece) {
    const bool lf = block_->bytes[0] == '\n';
    writeCarried(piece);
    if (!lf) piece.append('\n');
    lineStart_ = block_->offset + (lf ? 1 : 0);
}

bool LineRuns::carryLineBegun(TextOutput& piece) {
    writeRun(piece);
    if (!crCarried_ && tooLong(block_->offset + block_->got)) return false;
    const std::size_t begun = lineStart_ > block_->offset ? static_cast<std::size_t>(lineStart_ - block_->offset) : 0;
    carried_.append(block_->bytes.get() + begun, block_->got - begun);
    return true;
}

int LineRuns::endInput(TextOutput& piece) {
    if (carried_.empty()) return 0;
    // The last line, ended by a lone CR or not ended at all; its length was checked when it was carried.
    const std::string_view end = crCarried_ ? "\n" : kLineEnd;
    lineStart_ += carried_.size();
    writeCarried(piece);
    piece.append(end);
    return 1;
}

void LineRuns::writeCarried(TextOutput& piece) {
    piece.append(carried_);
    carried_.clear();
    crCarried_ = false;
}

void LineRuns::writeRun(TextOutput& piece) {
    if (lineStart_ <= block_->offset + runStart_) return;
    const auto end = static_cast<std::size_t>(lineStart_ - block_->offset);
    piece.append(std::string_view(block_->bytes.get() + runStart_, end - runStart_));
    runStart_ = end;
}

bool LineRuns::tooLong(std::uint64_t end) {
    lineTooLong_ = lineTooLong_ || end - lineStart_ > LineInput::kLongestLine;
    return lineTooLong_;
}

}  // namespace voltaro
