#include "app/TextOutput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace voltaro {

bool TextOutput::create(const std::string& path, Create mode) {
    close();
    file_ = std::fopen(path.c_str(), mode == Create::New ? "wbx" : "wb");
    if (file_ == nullptr) return false;
    std::setvbuf(file_, nullptr, _IONBF, 0);  // our own buffer is the only one
    path_ = path;
    if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(bufferBytes_);
    next_ = buffer_.get();
    limit_ = buffer_.get() + bufferBytes_;
    error_.clear();
    return true;
}

void TextOutput::flush() {
    const std::size_t pending = static_cast<std::size_t>(next_ - buffer_.get());
    if (pending != 0 && error_.empty() && std::fwrite(buffer_.get(), 1, pending, file_) != pending)
        error_ = path_ + ": " + std::strerror(errno);
    next_ = buffer_.get();
}

void TextOutput::appendSlow(std::string_view text) {
    while (!text.empty()) {
        if (next_ == limit_) flush();
        const std::size_t chunk = std::min(text.size(), static_cast<std::size_t>(limit_ - next_));
        next_ = std::copy_n(text.begin(), chunk, next_);
        text.remove_prefix(chunk);
    }
}

bool TextOutput::close() {
    if (file_ == nullptr) return error_.empty();
    flush();
    if (std::fclose(file_) != 0 && error_.empty()) error_ = path_ + ": " + std::strerror(errno);
    file_ = nullptr;
    return error_.empty();
}

}  // namespace voltaro
