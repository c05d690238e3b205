#include "sim/MeterMedium.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <system_error>

namespace voltaro::sim {

namespace fs = std::filesystem;

namespace {

constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';

struct Kind {
    std::string_view word;
    std::string_view extension;
};
constexpr Kind kKinds[] = {
    {"MEAS", ".CSV"}, {"INST", ".BIN"}, {"ALM", ".ARM"}, {"WAVE", ".WFM"}, {"BMP", ".BMP"}, {"SET", ".SET"},
};
constexpr std::string_view kBinaryEndings[] = {"BIN", "WFM", "BMP"};

std::optional<std::string_view> ExtensionOf(std::string_view kind) {
    for (const Kind& k : kKinds)
        if (k.word == kind) return k.extension;
    return std::nullopt;
}

bool IsBinary(std::string_view name) {
    return std::any_of(std::begin(kBinaryEndings), std::end(kBinaryEndings),
                       [name](std::string_view ending) { return name.ends_with(ending); });
}

// A name the PC may ask for: one file right in the medium's folder, never a path.
bool IsPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string_view::npos;
}

// Every line ends in CR LF on the line, whatever the file on the PC uses.
std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        out += line;
        out += "\r\n";
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return out;
}

std::optional<std::string> ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return bytes;
}

// A file as the meter sends it between the start and the end mark; nothing when it cannot be read.
std::optional<std::string> SentBytes(const fs::path& path, std::string_view name) {
    auto bytes = ReadWhole(path);
    if (bytes && !IsBinary(name)) *bytes = WithCrLf(*bytes);
    return bytes;
}

// The size the directory lists: that of what the meter sends, so a text kind counts its CR LF line ends.
std::optional<std::uintmax_t> ListedSize(const fs::directory_entry& entry, std::string_view name) {
    std::error_code error;
    if (!IsBinary(name)) {
        const auto bytes = SentBytes(entry.path(), name);
        return bytes ? std::optional(bytes->size()) : std::nullopt;
    }
    const std::uintmax_t size = entry.file_size(error);
    return error ? std::nullopt : std::optional(size);
}

}  // namespace

bool MeterMedium::present() const {
    std::error_code error;
    return fs::is_directory(folder_, error);
}

std::string MeterMedium::directory(std::string_view kind, long long sizeError) const {
    const auto extension = ExtensionOf(kind);
    if (!extension) return {};
    std::map<std::string, long long> files;  // in name order
    std::error_code error;
    for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!name.ends_with(*extension) || name.size() == extension->size()) continue;
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        if (const auto size = ListedSize(*it, name))
            files[name.substr(0, name.size() - extension->size())] = static_cast<long long>(*size) + sizeError;
    }
    std::string reply;
    for (const auto& [name, size] : files) {
        if (!reply.empty()) reply += ',';
        reply += name + ',' + std::to_string(size);
    }
    return reply;
}

std::string MeterMedium::pick(std::string_view name) const {
    if (!IsPlainName(name)) return {};
    const fs::path path = folder_ / fs::path(std::string(name));
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return {};
    const auto bytes = SentBytes(path, name);
    if (!bytes) return {};
    return kStx + *bytes + kEtx;
}

}  // namespace voltaro::sim
