// The output side of the benchmark data generators: the SIZE_MB argument and a file written
// through one large buffer, removed again when it could not be written completely.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace voltaro::bench {

// SIZE_MB in units of 2^20 bytes, fraction allowed, as a byte count; complains as `program`.
inline std::optional<std::uint64_t> parseSizeMb(const char* program, const char* text) {
    constexpr double kMaxSizeMb = 1024.0 * 1024.0;  // 1 TB is plenty for a benchmark
    char* end = nullptr;
    const double sizeMb = std::strtod(text, &end);
    if (end == text || *end != '\0' || !(sizeMb > 0.0) || sizeMb > kMaxSizeMb) {
        std::fprintf(stderr, "%s: SIZE_MB must be a number above 0, not '%s'\n", program, text);
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(sizeMb * 1048576.0);
}

class OutputFile {
public:
    static constexpr std::size_t kBufferSize = std::size_t{8} << 20;

    OutputFile(const char* program, const char* path) : program_(program), path_(path), buffer_(kBufferSize) {}
    ~OutputFile() {
        if (file_ != nullptr) std::fclose(file_);
    }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the file; false after saying why.
    bool open() {
        file_ = std::fopen(path_, "wb");
        if (file_ == nullptr) {
            std::perror(path_);
            return false;
        }
        std::setvbuf(file_, nullptr, _IONBF, 0);  // we buffer ourselves
        return true;
    }

    // At least `bytes` (at most kBufferSize) free bytes to write into; advance() by what was used.
    unsigned char* room(std::size_t bytes) {
        if (kBufferSize - used_ < bytes) flush();
        return buffer_.data() + used_;
    }
    void advance(std::size_t bytes) {
        used_ += bytes;
        written_ += bytes;
    }
    void write(std::string_view text) {
        while (!text.empty()) {
            const std::size_t part = std::min(text.size(), kBufferSize);
            std::memcpy(room(part), text.data(), part);
            advance(part);
            text.remove_prefix(part);
        }
    }
    // Bytes written so far, the buffered ones included.
    std::uint64_t written() const { return written_; }

    // Writes out the rest and closes; on failure says why, removes the partial file and
    // returns false.
    bool close() {
        flush();
        int error = ok_ ? 0 : error_;
        if (std::fclose(file_) != 0 && error == 0) error = errno != 0 ? errno : EIO;
        file_ = nullptr;
        if (error == 0) return true;
        std::fprintf(stderr, "%s: %s: %s\n", program_, path_, std::strerror(error));
        // Drop a partial file, but never a device or pipe named as the output.
        std::error_code ignored;
        if (std::filesystem::is_regular_file(path_, ignored)) std::filesystem::remove(path_, ignored);
        return false;
    }

private:
    void flush() {
        if (ok_ && used_ > 0 && std::fwrite(buffer_.data(), 1, used_, file_) != used_) {
            ok_ = false;
            error_ = errno != 0 ? errno : EIO;
        }
        used_ = 0;
    }

    const char* program_;
    const char* path_;
    std::FILE* file_ = nullptr;
    std::vector<unsigned char> buffer_;
    std::size_t used_ = 0;
    std::uint64_t written_ = 0;
    bool ok_ = true;
    int error_ = 0;
};

}  // namespace voltaro::bench
