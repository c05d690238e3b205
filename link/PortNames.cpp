#include "link/PortNames.h"

namespace voltaro {

std::string ComPortName(int n) { return "COM" + std::to_string(n); }

std::string DeviceForComPort(int n) {
#ifdef _WIN32
    return ComPortName(n);
#else
    return "/dev/ttyS" + std::to_string(n - 1);
#endif
}

}  // namespace voltaro
