#include "app/InputFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace voltaro {

namespace {

// errno for a file that is there but is not a regular file; its text is our own.
constexpr int kNotRegularFile = EINVAL;

bool isRefusedKind(mode_t mode) { return !S_ISREG(mode) && !S_ISDIR(mode); }

int refuse(const std::string& path, int reason, std::string& error) {
    error = path + ": " + (reason == kNotRegularFile ? "Not a regular file" : std::strerror(reason));
    errno = reason;
    return -1;
}

}  // namespace

int OpenRegularFile(const std::string& path, std::uint64_t& size, std::string& error) {
    // Non-blocking, so that neither a FIFO without a writer nor a device can hold the open up.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int reason = errno;
        // A socket cannot be opened at all; say what it is rather than the system's puzzling text.
        struct stat info {};
        const bool special = ::stat(path.c_str(), &info) == 0 && isRefusedKind(info.st_mode);
        return refuse(path, special ? kNotRegularFile : reason, error);
    }
    struct stat info {};
    int reason = 0;
    if (::fstat(fd, &info) != 0)
        reason = errno;
    else if (!S_ISREG(info.st_mode))
        reason = S_ISDIR(info.st_mode) ? EISDIR : kNotRegularFile;
    else if (const int flags = ::fcntl(fd, F_GETFL); flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        reason = errno;
    if (reason != 0) {
        ::close(fd);
        return refuse(path, reason, error);
    }
    size = static_cast<std::uint64_t>(info.st_size);
    return fd;
}

bool ReadSmallRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes, std::string& error) {
    bytes.clear();
    std::uint64_t size = 0;
    const int fd = OpenRegularFile(path, size, error);
    if (fd < 0) return false;
    int reason = size > maxBytes ? EFBIG : 0;
    if (reason == 0) {
        // The file as it was measured: what it may grow by meanwhile is not read.
        bytes.resize(static_cast<std::size_t>(size));
        std::size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) reason = errno;
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        bytes.resize(got);
    }
    ::close(fd);
    if (reason == 0) return true;
    bytes.clear();
    refuse(path, reason, error);
    return false;
}

}  // namespace voltaro
