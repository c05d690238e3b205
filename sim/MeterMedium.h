#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace voltaro::sim {

// One of the meter's storage media (the PC card or its internal memory), holding the
// files of a folder on the PC. As on the meter's own medium, a file's kind is its
// extension in capitals: "MEAS" files end in ".CSV", "INST" in ".BIN", and so on.
class MeterMedium {
public:
    explicit MeterMedium(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // A medium whose folder is missing is like a card slot left empty.
    bool present() const;
    // The directory reply for `kind`: name without extension, size, name, size, ...,
    // all separated by commas, in name order. Empty for no file or an unknown kind. A
    // size is that of what `pick` sends between the marks, plus `sizeError`.
    std::string directory(std::string_view kind, long long sizeError) const;
    // File `name` (with its extension) framed as the meter sends it: text kinds as
    // STX, the lines each ending in CR LF, ETX; binary kinds (".BIN", ".WFM", ".BMP")
    // as STX, the bytes, ETX. Empty when the medium holds no such file.
    std::string pick(std::string_view name) const;

private:
    std::filesystem::path folder_;
};

}  // namespace voltaro::sim
