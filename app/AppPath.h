#pragma once

#include <optional>
#include <string>

namespace voltaro {

// What decides the application folder, gathered from the system by GetAppPath.
struct AppPathSources {
    std::optional<std::string> overrideDir;  // VOLTARO_APP_DIR, when set and not empty
    std::string executableDir;
    bool executableDirWritable = false;
    std::string userDataDir;  // the per-user data folder for this program
};

// The folder of the running executable, without a trailing separator.
std::string RunningExecutableDir();

// `folder` ending in exactly one directory separator (a root keeps its own).
std::string WithTrailingSeparator(std::string folder);

// The override, else the executable's folder when it is writable, else the per-user
// data folder; always ending in the directory separator.
std::string ChooseAppPath(const AppPathSources& sources);

// The application folder of this process. Creates the per-user data folder when that
// is the one chosen, so the Parameter file can be written there.
std::string GetAppPath();

}  // namespace voltaro
