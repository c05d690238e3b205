#pragma once

#include <string>

namespace voltaro {

// The program's own files (the manual and its pictures, the progress window's animations) are
// looked up beside the executable, as a build or an unpacked copy has them, then in
// kInstalledProgramFiles under the executable's folder, where an installation puts them. The
// second place is relative to the executable, so an installed tree still finds them after it is
// moved. They are never looked up in the application folder: that one holds the user's Parameter
// file and may be anyone's writable folder.
inline constexpr const char* kInstalledProgramFiles = "../share/voltaro";

struct ProgramFile {
    std::string path;
    bool found = false;
};

// The first of those places that holds `name` (a file of any kind: what is not a regular file is
// refused when it is read). When neither does, the installed place, not found, for the message.
ProgramFile FindProgramFile(const std::string& executableDir, const std::string& name);

}  // namespace voltaro
