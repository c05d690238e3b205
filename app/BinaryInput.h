#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "app/OrderedWork.h"

namespace voltaro {

// Sequential reading of a binary file through large blocks. A read that finds fewer bytes than it
// asks for has met the end of the file. Read ahead, the next blocks are read on another thread
// while the caller works on the current one.
class BinaryInput {
public:
    static constexpr std::size_t kBlockBytes = 1 << 20;
    enum class Reading { OnDemand, Ahead };

    explicit BinaryInput(Reading reading = Reading::OnDemand) : reading_(reading) {}
    ~BinaryInput() { close(); }
    BinaryInput(const BinaryInput&) = delete;
    BinaryInput& operator=(const BinaryInput&) = delete;

    // Opens the regular file `path` for reading (OpenRegularFile); on failure returns false with
    // "PATH: reason" in `error`.
    bool open(const std::string& path, std::string& error);
    void close();
    bool isOpen() const { return file_ != nullptr; }

    // Copies up to `count` bytes to `destination` and returns how many it copied.
    std::size_t read(void* destination, std::size_t count);
    // One byte, or -1 at the end of the file.
    int readByte() {
        if (next_ == end_ && !refill()) return -1;
        return static_cast<unsigned char>(*next_++);
    }
    void seek(std::uint64_t offset);
    // The bytes buffered from the current position on, refilled when used up; empty at
    // the end of the file. skip() consumes some of them.
    std::string_view available() {
        if (next_ == end_) refill();
        return {next_, static_cast<std::size_t>(end_ - next_)};
    }
    void skip(std::size_t count) { next_ += count; }

    std::uint64_t position() const { return blockStart_ + static_cast<std::uint64_t>(next_ - block_); }
    std::uint64_t size() const { return size_; }
    // True when reading failed for a reason other than the end of the file.
    bool failed() const { return failed_; }

private:
    // A block read ahead.
    struct Block {
        std::uint64_t offset = 0;
        std::unique_ptr<char[]> bytes;
        std::size_t got = 0;
        bool failed = false;
    };

    bool refill();
    bool refillAhead();
    // Starts reading ahead from `offset`, dropping the blocks read ahead before.
    void startReadingAhead(std::uint64_t offset);

    Reading reading_;
    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> buffer_;  // left uninitialised: only what was read is used
    std::size_t capacity_ = 0;
    const char* block_ = nullptr;  // the bytes at hand, from the file offset blockStart_
    const char* next_ = nullptr;
    const char* end_ = nullptr;
    std::uint64_t blockStart_ = 0;
    std::uint64_t size_ = 0;
    bool failed_ = false;
    std::unique_ptr<OrderedWork<Block>> ahead_;
    std::uint64_t aheadOffset_ = 0;  // where the next block handed in for reading starts
    bool holdingBlock_ = false;      // the bytes at hand are the oldest block read ahead
    bool aheadEnded_ = false;        // the block at hand is the file's last
};

}  // namespace voltaro
