#include <gtest/gtest.h>

#include "link/PortNames.h"

namespace voltaro {
namespace {

TEST(PortNamesTest, ComNamesStandForTheirPortsAndEverythingElseIsAPath) {
    for (const auto& [name, port] : {std::pair{"COM1", 1}, {"com10", 10}, {"Com3", 3}})
        EXPECT_EQ(DeviceForPortName(name), DeviceForComPort(port)) << name;
    for (const char* path : {"COM0", "COM-1", "COM", "COM2x", "COM99999999999", "/dev/pts/7"})
        EXPECT_EQ(DeviceForPortName(path), path);
#ifndef _WIN32
    EXPECT_EQ(DeviceForComPort(1), "/dev/ttyS0");
    EXPECT_EQ(DeviceForComPort(10), "/dev/ttyS9");
#endif
}

}  // namespace
}  // namespace voltaro
