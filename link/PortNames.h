#pragma once

#include <string>

namespace voltaro {

inline constexpr int kFirstComPort = 1;
inline constexpr int kLastComPort = 10;

// The device behind "COMn": "COMn" itself on Windows, /dev/ttyS<n-1> elsewhere.
std::string DeviceForComPort(int n);

// The name the user sees for port number n: "COM1" .. "COM10".
std::string ComPortName(int n);

}  // namespace voltaro
