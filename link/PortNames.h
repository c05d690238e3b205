#pragma once

#include <string>
#include <string_view>

namespace voltaro {

inline constexpr int kFirstComPort = 1;
inline constexpr int kLastComPort = 10;

// The device behind "COMn": "COMn" itself on Windows, /dev/ttyS<n-1> elsewhere.
std::string DeviceForComPort(int n);

// The name the user sees for port number n: "COM1" .. "COM10".
std::string ComPortName(int n);

// The device a port name given by the user stands for: "COMn" (any case) is the
// device of port n, anything else a device path taken as it is.
std::string DeviceForPortName(std::string_view name);

}  // namespace voltaro
