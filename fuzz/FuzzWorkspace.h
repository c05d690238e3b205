// What every fuzz target needs around the code it drives: a user who answers OK and reads
// nothing, a fixed clock, and a scratch folder of its own for the files it writes.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/Messages.h"
#include "app/WallClock.h"

namespace voltaro::fuzz {

class SilentMessages final : public Messages {
public:
    void notify(MessageIcon, const std::string&, const std::string&) override {}
    bool askOkCancel(const std::string&, const std::string&) override { return true; }
    Answer askYesNoCancel(const std::string&, const std::string&) override { return Answer::Yes; }
};

class FixedClock final : public WallClock {
public:
    LocalDateTime now() const override { return {2026, 1, 1, 0, 0, 0}; }
};

// One folder per process, in memory where the system has /dev/shm, so that parallel jobs do
// not share files. It goes when the process ends normally; after a crash it stays to be
// looked at.
inline const std::filesystem::path& WorkFolder() {
    static const std::filesystem::path folder = [] {
        const std::filesystem::path shm = "/dev/shm";
        const auto base = std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
        auto path = base / ("voltaro-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    // Registered once the path exists, so it runs before the path is destroyed.
    [[maybe_unused]] static const bool removedAtExit = std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(WorkFolder(), ignored);
    }) == 0;
    return folder;
}

}  // namespace voltaro::fuzz
