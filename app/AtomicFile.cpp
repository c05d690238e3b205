#include "app/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace voltaro {

namespace {

constexpr std::string_view kTemporarySuffix = ".XXXXXX";
constexpr auto kLeftoverAge = std::chrono::minutes(1);

// More links than this in a row are taken for a loop, as the system does.
constexpr int kMostLinksFollowed = 40;

std::string systemText(const std::string& path, int error) { return path + ": " + std::strerror(error); }

// The file that a write to `path` replaces: `path`, or the end of its chain of symbolic links
// (which need not exist yet). False with the reason in `error` when that is not a regular file.
bool writeTarget(const std::string& path, std::string& target, std::string& error) {
    target = path;
    for (int links = 0; links < kMostLinksFollowed; ++links) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0) {
            if (errno == ENOENT) return true;
            error = systemText(path, errno);
            return false;
        }
        if (S_ISREG(info.st_mode)) return true;
        if (!S_ISLNK(info.st_mode)) {
            error = path + ": Not a regular file";
            return false;
        }
        std::error_code failure;
        const std::filesystem::path link = std::filesystem::read_symlink(target, failure);
        if (failure) {
            error = path + ": " + failure.message();
            return false;
        }
        target = link.is_absolute() ? link.string() : (std::filesystem::path(target).parent_path() / link).string();
    }
    error = systemText(path, ELOOP);
    return false;
}

// mkstemp creates 0600; the file we put in place gets what a plain create would give.
mode_t newFileMode() {
    static const mode_t mode = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    return mode;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A new empty file beside `path`, open for writing, with the mode a plain create would
// give; -1 with errno set when it cannot be made.
int createBeside(const std::string& path, std::string& temporary) {
    std::vector<char> name(path.begin(), path.end());
    for (char c : kTemporarySuffix) name.push_back(c);
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return -1;
    temporary = name.data();
    if (::fchmod(fd, newFileMode()) == 0) return fd;
    const int failure = errno;
    ::close(fd);
    ::unlink(temporary.c_str());
    errno = failure;
    return -1;
}

// Flushes and closes `fd` and renames `temporary` over `path`, unless `failure` (an errno)
// was met already. Any failure removes `temporary`; returns its errno, or 0.
int syncAndRename(int fd, int failure, const std::string& temporary, const std::string& path) {
    if (failure == 0 && ::fsync(fd) != 0) failure = errno;
    if (::close(fd) != 0 && failure == 0) failure = errno;
    if (failure == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) failure = errno;
    if (failure != 0) ::unlink(temporary.c_str());
    return failure;
}

// Flushes the closed file `path` to the disk; its errno, or 0.
int flushClosedFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int failure = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return failure;
}

// For a file system that cannot rename without replacing: looks first, and renames only when
// nothing is at `to`; its errno (EEXIST when something is), or 0.
int renameIfFree(const std::string& from, const std::string& to) {
    struct stat info {};
    if (::lstat(to.c_str(), &info) == 0 || errno != ENOENT) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// Creates a temporary file beside `path`, lets `fill` write it (returning 0 or the errno of
// its failure, with `failedPath` naming the file that failed when it was not the target),
// flushes it and renames it over `path`.
template <typename Fill>
bool replaceAtomically(const std::string& path, Fill fill, std::string& error) {
    std::string target;
    if (!writeTarget(path, target, error)) return false;
    std::string temporary;
    const int fd = createBeside(target, temporary);
    if (fd < 0) {
        error = systemText(path, errno);
        return false;
    }
    std::string failedPath = path;
    const int failure = syncAndRename(fd, fill(fd, failedPath), temporary, target);
    if (failure != 0) error = systemText(failedPath, failure);
    return failure == 0;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    return replaceAtomically(
        path, [bytes](int fd, std::string&) { return writeAll(fd, bytes) ? 0 : errno; }, error);
}

bool CopyFileAtomically(const std::string& source, const std::string& path, std::string& error) {
    return replaceAtomically(
        path,
        [&source](int fd, std::string& failedPath) {
            const int input = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
            if (input < 0) {
                failedPath = source;
                return errno;
            }
            std::vector<char> block(1 << 20);
            int failure = 0;
            for (;;) {
                const ssize_t got = ::read(input, block.data(), block.size());
                if (got < 0 && errno == EINTR) continue;
                if (got < 0) {
                    failedPath = source;
                    failure = errno;
                }
                if (got <= 0) break;
                if (!writeAll(fd, std::string_view(block.data(), static_cast<std::size_t>(got)))) {
                    failure = errno;
                    break;
                }
            }
            ::close(input);
            return failure;
        },
        error);
}

int OpenFileBeside(const std::string& path, std::string& temporary, std::string& error) {
    std::string target;
    if (!writeTarget(path, target, error)) return -1;
    const int fd = createBeside(target, temporary);
    if (fd < 0) error = systemText(path, errno);
    return fd;
}

std::string CreateFileBeside(const std::string& path, std::string& error) {
    std::string temporary;
    const int fd = OpenFileBeside(path, temporary, error);
    if (fd < 0) return {};
    ::close(fd);
    return temporary;
}

bool MoveFileIntoPlace(const std::string& temporary, const std::string& path, Flush flush, std::string& error) {
    std::string target;
    if (!writeTarget(path, target, error)) {
        ::unlink(temporary.c_str());
        return false;
    }
    int failure = flush == Flush::ToDisk ? flushClosedFile(temporary) : 0;
    if (failure == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) failure = errno;
    if (failure == 0) return true;
    ::unlink(temporary.c_str());
    error = systemText(path, failure);
    return false;
}

Placement MoveFileToFreeName(const std::string& temporary, const std::string& path, Flush flush,
                             std::string& error) {
    int failure = flush == Flush::ToDisk ? flushClosedFile(temporary) : 0;
    if (failure == 0 && ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) != 0) {
        failure = errno;
        if (failure == EINVAL || failure == ENOSYS) failure = renameIfFree(temporary, path);
    }
    if (failure == EEXIST) return Placement::NameTaken;
    if (failure == 0) return Placement::Placed;
    ::unlink(temporary.c_str());
    error = systemText(path, failure);
    return Placement::Failed;
}

void RemoveLeftoverTemporaryFiles(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path own(path);
    const std::string prefix = own.filename().string() + ".";
    const auto oldest = fs::file_time_type::clock::now() - kLeftoverAge;
    std::error_code error;
    for (fs::directory_iterator entry(own.parent_path().empty() ? "." : own.parent_path(), error), end;
         !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.size() != prefix.size() + kTemporarySuffix.size() - 1 || !name.starts_with(prefix)) continue;
        if (!std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                         [](unsigned char c) { return std::isalnum(c) != 0; }))
            continue;
        std::error_code ignored;
        if (entry->is_regular_file(ignored) && entry->last_write_time(ignored) < oldest)
            fs::remove(entry->path(), ignored);
    }
}

}  // namespace voltaro
