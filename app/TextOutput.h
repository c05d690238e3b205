#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace voltaro {

// Writes a file through a large buffer. Write failures are remembered with the
// system's text; the caller asks once, at the end or after a row.
class TextOutput {
public:
    static constexpr std::size_t kDefaultBufferBytes = 1 << 20;

    enum class Create {
        New,      // fail with EEXIST when the file exists
        Replace,  // an existing file is emptied and rewritten
    };

    explicit TextOutput(std::size_t bufferBytes = kDefaultBufferBytes) : bufferBytes_(bufferBytes) {}
    ~TextOutput() { close(); }
    TextOutput(const TextOutput&) = delete;
    TextOutput& operator=(const TextOutput&) = delete;

    // Creates `path`. Returns false with errno set when it cannot.
    bool create(const std::string& path, Create mode = Create::New);
    // Flushes and closes; false when anything written since create() was lost.
    bool close();
    bool isOpen() const { return file_ != nullptr; }

    void append(std::string_view text) {
        if (text.size() > static_cast<std::size_t>(limit_ - next_)) {
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

    std::size_t bufferBytes_;
    std::FILE* file_ = nullptr;
    std::string path_;
    std::unique_ptr<char[]> buffer_;  // left uninitialised: only what is written is read
    char* next_ = nullptr;
    char* limit_ = nullptr;
    std::string error_;
};

}  // namespace voltaro
