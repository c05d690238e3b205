#include "app/TextOutput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace voltaro {

bool TextOutput::create(const std::string& path) {
    discard();
    path_ = path;
    const int fd = OpenFileBeside(path, temporary_, error_);
    if (fd < 0) return false;
    file_ = ::fdopen(fd, "wb");
    if (file_ == nullptr) {
        error_ = path + ": " + std::strerror(errno);
        ::close(fd);
        discard();
        return false;
    }
    std::setvbuf(file_, nullptr, _IONBF, 0);  // our own buffer is the only one
    if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(bufferBytes_);
    next_ = buffer_.get();
    limit_ = buffer_.get() + bufferBytes_;
    error_.clear();
    return true;
}

void TextOutput::flush() {
    writeOut({buffer_.get(), static_cast<std::size_t>(next_ - buffer_.get())});
    next_ = buffer_.get();
}

void TextOutput::writeOut(std::string_view text) {
    if (!text.empty() && error_.empty() && std::fwrite(text.data(), 1, text.size(), file_) != text.size())
        error_ = path_ + ": " + std::strerror(errno);
}

void TextOutput::appendSlow(std::string_view text) {
    if (text.size() >= straightBytes()) {
        flush();
        writeOut(text);
        return;
    }
    while (!text.empty()) {
        if (next_ == limit_) flush();
        const std::size_t chunk = std::min(text.size(), static_cast<std::size_t>(limit_ - next_));
        next_ = std::copy_n(text.begin(), chunk, next_);
        text.remove_prefix(chunk);
    }
}

bool TextOutput::finish() {
    if (file_ != nullptr) {
        flush();
        if (std::fclose(file_) != 0 && error_.empty()) error_ = path_ + ": " + std::strerror(errno);
        file_ = nullptr;
    }
    if (error_.empty()) return true;
    discard();
    return false;
}

bool TextOutput::close() {
    if (temporary_.empty()) return error_.empty();
    if (!finish()) return false;
    const bool placed = MoveFileIntoPlace(temporary_, path_, Flush::BySystem, error_);
    temporary_.clear();
    return placed;
}

Placement TextOutput::closeUnderFreeName(const std::string& name) {
    if (temporary_.empty() || !finish()) return Placement::Failed;
    const Placement placement = MoveFileToFreeName(temporary_, name, Flush::BySystem, error_);
    if (placement != Placement::NameTaken) temporary_.clear();
    return placement;
}

void TextOutput::discard() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    if (!temporary_.empty()) std::remove(temporary_.c_str());
    temporary_.clear();
}

}  // namespace voltaro
