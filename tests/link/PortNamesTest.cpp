#include <gtest/gtest.h>

#include "link/PortNames.h"

namespace voltaro {
namespace {

TEST(PortNamesTest, ComNamesStandForTheirPortsAndEverythingElseIsAPath) {
    struct Case {
        const char* name;
        std::string device;
    };
    const Case cases[] = {
        {"COM1", DeviceForComPort(1)}, {"com10", DeviceForComPort(10)}, {"Com3", DeviceForComPort(3)},
        {"COM0", "COM0"},              {"COM-1", "COM-1"},              {"COM", "COM"},
        {"COM2x", "COM2x"},            {"COM99999999999", "COM99999999999"}, {"/dev/pts/7", "/dev/pts/7"},
    };
    for (const Case& c : cases) EXPECT_EQ(DeviceForPortName(c.name), c.device) << c.name;
#ifndef _WIN32
    EXPECT_EQ(DeviceForComPort(1), "/dev/ttyS0");
    EXPECT_EQ(DeviceForComPort(10), "/dev/ttyS9");
#endif
}

}  // namespace
}  // namespace voltaro
