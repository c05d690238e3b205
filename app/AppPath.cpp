#include "app/AppPath.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace voltaro {

namespace fs = std::filesystem;

namespace {

constexpr char kSeparator = static_cast<char>(fs::path::preferred_separator);

std::string userDataDir() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && *dataHome != '\0') return (fs::path(dataHome) / "voltaro").string();
    const char* home = std::getenv("HOME");
    const fs::path base = home != nullptr && *home != '\0' ? fs::path(home) : fs::temp_directory_path();
    return (base / ".local" / "share" / "voltaro").string();
}

}  // namespace

std::string RunningExecutableDir() {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error) return fs::current_path(error).string();
    return executable.parent_path().string();
}

std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty() || folder.back() != kSeparator) folder += kSeparator;
    return folder;
}

std::string ChooseAppPath(const AppPathSources& sources) {
    if (sources.overrideDir) return WithTrailingSeparator(*sources.overrideDir);
    if (sources.executableDirWritable) return WithTrailingSeparator(sources.executableDir);
    return WithTrailingSeparator(sources.userDataDir);
}

std::string GetAppPath() {
    AppPathSources sources;
    const char* overrideDir = std::getenv("VOLTARO_APP_DIR");
    if (overrideDir != nullptr && *overrideDir != '\0') sources.overrideDir = overrideDir;
    sources.executableDir = RunningExecutableDir();
    sources.executableDirWritable = ::access(sources.executableDir.c_str(), W_OK) == 0;
    sources.userDataDir = userDataDir();
    const std::string chosen = ChooseAppPath(sources);
    if (!sources.overrideDir && !sources.executableDirWritable) {
        std::error_code ignored;  // an uncreatable folder shows up when the Parameter file is written
        fs::create_directories(sources.userDataDir, ignored);
    }
    return chosen;
}

}  // namespace voltaro
