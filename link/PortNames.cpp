#include "link/PortNames.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace voltaro {

std::string ComPortName(int n) { return "COM" + std::to_string(n); }

std::string DeviceForComPort(int n) {
#ifdef _WIN32
    return ComPortName(n);
#else
    return "/dev/ttyS" + std::to_string(n - 1);
#endif
}

std::string DeviceForPortName(std::string_view name) {
    constexpr std::string_view prefix = "COM";
    const auto sameLetter = [](char p, char c) { return p == std::toupper(static_cast<unsigned char>(c)); };
    if (name.size() > prefix.size() && std::equal(prefix.begin(), prefix.end(), name.begin(), sameLetter)) {
        const char* end = name.data() + name.size();
        int n = 0;
        const auto [stop, error] = std::from_chars(name.data() + prefix.size(), end, n);
        if (error == std::errc() && stop == end && n >= 1) return DeviceForComPort(n);
    }
    return std::string(name);
}

std::string ReadablePortName(const ReportedPort& port) {
    std::string about = port.description;
    if (!port.manufacturer.empty() && about.find(port.manufacturer) == std::string::npos)
        about += (about.empty() ? "" : ", ") + port.manufacturer;
    return about.empty() ? port.device : port.device + " (" + about + ')';
}

std::vector<std::string> DevicesOf(const std::vector<ReportedPort>& ports) {
    std::vector<std::string> devices;
    for (const ReportedPort& port : ports) devices.push_back(port.device);
    return devices;
}

}  // namespace voltaro
