#include "app/BinaryInput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "app/InputFile.h"

namespace voltaro {

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
    const std::size_t capacity = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockBytes, size_ + 1));
    if (capacity > capacity_) {
        buffer_ = std::make_unique_for_overwrite<char[]>(capacity);
        capacity_ = capacity;
    }
    next_ = end_ = buffer_.get();
    bufferStart_ = 0;
    failed_ = false;
    return true;
}

void BinaryInput::close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    next_ = end_ = nullptr;
}

bool BinaryInput::refill() {
    if (file_ == nullptr) return false;
    bufferStart_ += static_cast<std::uint64_t>(end_ - buffer_.get());
    const std::size_t got = std::fread(buffer_.get(), 1, capacity_, file_);
    if (got == 0 && std::ferror(file_) != 0) failed_ = true;
    next_ = buffer_.get();
    end_ = buffer_.get() + got;
    return got != 0;
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
    const std::uint64_t bufferEnd = bufferStart_ + static_cast<std::uint64_t>(end_ - buffer_.get());
    if (offset >= bufferStart_ && offset <= bufferEnd) {
        next_ = buffer_.get() + (offset - bufferStart_);
        return;
    }
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) failed_ = true;
    bufferStart_ = offset;
    next_ = end_ = buffer_.get();
}

}  // namespace voltaro
