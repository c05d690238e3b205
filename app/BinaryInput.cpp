#include "app/BinaryInput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "app/InputFile.h"

namespace voltaro {

namespace {

// Blocks read ahead: the one at hand, one being read and one ready.
constexpr std::size_t kBlocksAhead = 3;

// Fills `count` bytes from `offset` on, unless the file ends first; false on a read failure.
bool readAt(int fd, std::uint64_t offset, char* bytes, std::size_t count, std::size_t& got) {
    got = 0;
    while (got < count) {
        const ssize_t n = ::pread(fd, bytes + got, count - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool BinaryInput::open(const std::string& path, std::string& error) {
    close();
    const int fd = OpenRegularFile(path, size_, error);
    if (fd < 0) return false;
    file_ = ::fdopen(fd, "rb");
    if (file_ == nullptr) {
        error = path + ": " + std::strerror(errno);
        ::close(fd);
        return false;
    }
    std::setvbuf(file_, nullptr, _IONBF, 0);  // our own buffer is the only one
    // A small file needs no block larger than itself.
    capacity_ = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockBytes, size_ + 1));
    failed_ = false;
    if (reading_ == Reading::Ahead) {
        startReadingAhead(0);
        return true;
    }
    buffer_ = std::make_unique_for_overwrite<char[]>(capacity_);
    block_ = next_ = end_ = buffer_.get();
    blockStart_ = 0;
    return true;
}

void BinaryInput::close() {
    ahead_.reset();
    holdingBlock_ = false;
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    block_ = next_ = end_ = nullptr;
}

void BinaryInput::startReadingAhead(std::uint64_t offset) {
    ahead_.reset();
    holdingBlock_ = false;
    const int fd = ::fileno(file_);
    const std::size_t capacity = capacity_;
    ahead_ = std::make_unique<OrderedWork<Block>>(1, kBlocksAhead, [fd, capacity](Block& block) {
        if (!block.bytes) block.bytes = std::make_unique_for_overwrite<char[]>(capacity);
        block.failed = !readAt(fd, block.offset, block.bytes.get(), capacity, block.got);
    });
    aheadOffset_ = offset;
    aheadEnded_ = false;
    blockStart_ = offset;
    block_ = next_ = end_ = nullptr;
}

bool BinaryInput::refill() {
    if (file_ == nullptr) return false;
    if (ahead_) return refillAhead();
    blockStart_ += static_cast<std::uint64_t>(end_ - block_);
    const std::size_t got = std::fread(buffer_.get(), 1, capacity_, file_);
    if (got == 0 && std::ferror(file_) != 0) failed_ = true;
    next_ = buffer_.get();
    end_ = buffer_.get() + got;
    return got != 0;
}

bool BinaryInput::refillAhead() {
    // Blocks after a short one would skip what a growing file gained meanwhile.
    if (aheadEnded_) return false;
    if (holdingBlock_) ahead_->recycle();
    for (Block* block; (block = ahead_->vacant()) != nullptr; aheadOffset_ += capacity_) {
        block->offset = aheadOffset_;
        ahead_->submit();
    }
    Block* block = ahead_->oldest();
    holdingBlock_ = true;
    if (block->failed) failed_ = true;
    aheadEnded_ = block->failed || block->got < capacity_;
    blockStart_ = block->offset;
    block_ = next_ = block->bytes.get();
    end_ = block_ + (block->failed ? 0 : block->got);
    return next_ != end_;
}

std::size_t BinaryInput::read(void* destination, std::size_t count) {
    auto* out = static_cast<char*>(destination);
    std::size_t copied = 0;
    while (copied < count) {
        if (next_ == end_ && !refill()) break;
        const std::size_t chunk = std::min(count - copied, static_cast<std::size_t>(end_ - next_));
        std::memcpy(out + copied, next_, chunk);
        next_ += chunk;
        copied += chunk;
    }
    return copied;
}

void BinaryInput::seek(std::uint64_t offset) {
    if (file_ == nullptr) return;
    const std::uint64_t blockEnd = blockStart_ + static_cast<std::uint64_t>(end_ - block_);
    if (offset >= blockStart_ && offset <= blockEnd) {
        next_ = block_ + (offset - blockStart_);
        return;
    }
    if (ahead_) {
        startReadingAhead(offset);
        return;
    }
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) failed_ = true;
    blockStart_ = offset;
    block_ = next_ = end_ = buffer_.get();
}

}  // namespace voltaro
