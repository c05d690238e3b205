#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <memory>

namespace voltaro {

// Sequential reading of a binary file through a large buffer. A read that finds fewer
// bytes than it asks for has met the end of the file.
class BinaryInput {
public:
    static constexpr std::size_t kBlockBytes = 1 << 20;

    BinaryInput() = default;
    ~BinaryInput() { close(); }
    BinaryInput(const BinaryInput&) = delete;
    BinaryInput& operator=(const BinaryInput&) = delete;

    // Opens the regular file `path` for reading (OpenRegularFile); on failure returns false with
    // "PATH: reason" in `error`.
    bool open(const std::string& path, std::string& error);
    void close();
    bool isOpen() const { return file_ != nullptr; }
    // The open file, for reading at offsets of its own; -1 when none is open.
    int descriptor() const { return file_ != nullptr ? ::fileno(file_) : -1; }

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

    std::uint64_t position() const { return bufferStart_ + static_cast<std::uint64_t>(next_ - buffer_.get()); }
    std::uint64_t size() const { return size_; }
    // True when reading failed for a reason other than the end of the file.
    bool failed() const { return failed_; }

private:
    bool refill();

    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> buffer_;  // left uninitialised: only what was read is used
    std::size_t capacity_ = 0;
    const char* next_ = nullptr;
    const char* end_ = nullptr;
    std::uint64_t bufferStart_ = 0;  // file offset of buffer_[0]
    std::uint64_t size_ = 0;
    bool failed_ = false;
};

}  // namespace voltaro
