#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace voltaro::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() / ("voltaro-test-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as the application folder is kept: ending in the separator.
    std::string withSeparator() const { return (path_ / "").string(); }

private:
    std::filesystem::path path_;
};

}  // namespace voltaro::test
