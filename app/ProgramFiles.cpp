#include "app/ProgramFiles.h"

#include <filesystem>
#include <system_error>

namespace voltaro {

namespace fs = std::filesystem;

ProgramFile FindProgramFile(const std::string& executableDir, const std::string& name) {
    const fs::path beside = fs::path(executableDir) / name;
    const fs::path installed = (fs::path(executableDir) / kInstalledProgramFiles / name).lexically_normal();
    for (const fs::path& candidate : {beside, installed}) {
        std::error_code error;
        // A dangling link counts too: reading it then says what is wrong.
        if (fs::symlink_status(candidate, error).type() != fs::file_type::not_found && !error)
            return {candidate.string(), true};
    }
    return {installed.string(), false};
}

}  // namespace voltaro
