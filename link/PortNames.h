#pragma once

#include <string>
#include <string_view>
#include <vector>

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

// A serial port the system reports: the device to open, and what the system knows of the
// adapter behind it (either may be empty).
struct ReportedPort {
    std::string device;  // "/dev/ttyUSB0", "COM3"
    std::string description;
    std::string manufacturer;
};

// The name the setup dialog lists a reported port by: the device, then what it is in
// parentheses, "/dev/ttyUSB0 (FT232R USB UART, FTDI)". The manufacturer is left out when the
// description already names it; a port the system says nothing about is its device alone.
std::string ReadablePortName(const ReportedPort& port);

// The devices of reported ports, in their order.
std::vector<std::string> DevicesOf(const std::vector<ReportedPort>& ports);

}  // namespace voltaro
