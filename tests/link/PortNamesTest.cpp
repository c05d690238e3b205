#include <gtest/gtest.h>

#include "link/PortNames.h"

namespace voltaro {
namespace {

// The command line's port tests cover the numbered ports and the names that are none.
TEST(PortNamesTest, ComNamesInAnyLetterCaseStandForTheirPorts) {
    EXPECT_EQ(DeviceForPortName("com10"), DeviceForComPort(10));
    EXPECT_EQ(DeviceForPortName("Com3"), DeviceForComPort(3));
    EXPECT_EQ(DeviceForPortName("/dev/ttyUSB0"), "/dev/ttyUSB0");
#ifndef _WIN32
    EXPECT_EQ(DeviceForComPort(10), "/dev/ttyS9");
#endif
}

}  // namespace
}  // namespace voltaro
