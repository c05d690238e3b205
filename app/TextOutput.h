#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "app/AtomicFile.h"

namespace voltaro {

// Writes a file through a large buffer, under a temporary name beside it: the file appears
// under its own name only when it is complete, so an interrupted or failed write leaves
// whatever was there before. Write failures are remembered with the system's text; the
// caller asks once, at the end or after a row.
class TextOutput {
public:
    static constexpr std::size_t kDefaultBufferBytes = 1 << 20;

    explicit TextOutput(std::size_t bufferBytes = kDefaultBufferBytes) : bufferBytes_(bufferBytes) {}
    // A file never closed is removed, not put in place.
    ~TextOutput() { discard(); }
    TextOutput(const TextOutput&) = delete;
    TextOutput& operator=(const TextOutput&) = delete;

    // Starts the file that is to be `path` (see AtomicFile for links and special files).
    // False with error() set when it cannot.
    bool create(const std::string& path);
    // Writes out what is buffered and closes the file, not yet in place; false (with error())
    // when anything written was lost, and then the temporary file is gone. For files that
    // must all be complete before any of them takes its name.
    bool finish();
    // Finishes the file and puts it in place over `path`; false (with error()) when anything
    // written was lost, and then the temporary file is gone.
    bool close();
    // Finishes the file and puts it in place under `name` only when that name is free.
    // NameTaken keeps the finished file, so that another name can be tried.
    Placement closeUnderFreeName(const std::string& name);
    // Removes the file without putting it in place.
    void discard();
    bool isOpen() const { return file_ != nullptr; }

    // A large text goes to the file straight after what is buffered, without being copied.
    void append(std::string_view text) {
        if (text.size() > static_cast<std::size_t>(limit_ - next_) || text.size() >= straightBytes()) {
            appendSlow(text);
            return;
        }
        next_ = std::copy(text.begin(), text.end(), next_);
    }
    void append(char c) {
        if (next_ == limit_) flush();
        *next_++ = c;
    }
    // Room for at least `bytes` characters at the returned pointer; commit() what was used.
    char* reserve(std::size_t bytes) {
        if (bytes > static_cast<std::size_t>(limit_ - next_)) flush();
        return next_;
    }
    void commit(char* end) { next_ = end; }

    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }

private:
    void appendSlow(std::string_view text);
    void flush();
    void writeOut(std::string_view text);
    // Texts this long are not copied into the buffer.
    std::size_t straightBytes() const { return bufferBytes_ / 4; }

    std::size_t bufferBytes_;
    std::FILE* file_ = nullptr;
    std::string path_;
    std::string temporary_;  // the file being written, until it is put in place or removed
    std::unique_ptr<char[]> buffer_;  // left uninitialised: only what is written is read
    char* next_ = nullptr;
    char* limit_ = nullptr;
    std::string error_;
};

}  // namespace voltaro
