// The scan for meters: which devices count as a ZR915, what each device hears, the line it is
// asked on, and how long a silent one may take. The workers run one after the other here, in
// simulated time; QtSerialPortTest runs them at once on real pseudo-terminals.
#include <gtest/gtest.h>

#include "app/DefaultSettings.h"
#include "link/MeterScan.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/ScriptedDevices.h"

namespace voltaro {
namespace {

using namespace std::chrono_literals;
using Seconds = std::chrono::duration<double>;
using Texts = std::vector<std::string>;

struct MeterScan : ::testing::Test {
    MeterScan() {
        // Just short of a half second: a time-out counted in rounded whole seconds would end
        // a moment after the query.
        clock.advance(1h + 490ms);
        ctx.MsgTitle = "Communication setup";
        ctx.MeterVersion = "none";
        pc.CommPort = {2, 4, 7, 1, 2, 0};  // 19200 bit/s, 7E2
    }
    std::vector<FoundMeter> scan(const Texts& asked) { return FindMeters(ctx, pc, asked, devices.lines()); }

    test::RecordingMessages messages;
    test::FixedClock wallClock{{2026, 3, 4, 5, 6, 7}};
    AppContext ctx{messages, wallClock};
    test::ManualClock clock;
    test::ScriptedDevices devices{clock};
    PcSettings pc;
};

TEST_F(MeterScan, OnlyTheZR915sWithAReadableVersionAreFoundAndEachDeviceHearsTheQueryAlone) {
    devices.meter("/dev/ttyUSB1", "ACME, ZR915,17,1.05 ");
    devices.meter("/dev/ttyUSB0", "ACME, ZR916,17,1.05 ");
    devices.meter("/dev/ttyACM0", "ACME, ZR915,17,1-05 ");
    devices["/dev/ttyACM1"];  // silent
    devices["/dev/ttyACM2"].acceptWrites = false;
    devices["/dev/ttyS4"].lostWith = "Input/output error";
    devices.meter("/dev/ttyS5", std::string(200, '#'));  // no end in sight
    devices.meter("/dev/pts/3", "ACME, ZR915,18,2.10 ", 900ms);  // late, but within the second

    // The late one first, while the clock stands just short of a half second.
    const std::vector<FoundMeter> found = scan({"/dev/pts/3", "/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyACM0",
                                                "/dev/ttyACM1", "/dev/missing", "/dev/ttyACM2", "/dev/ttyS4",
                                                "/dev/ttyS5", "/dev/ttyUSB1", ""});

    EXPECT_EQ(found, (std::vector<FoundMeter>{{"/dev/pts/3", "2.10"}, {"/dev/ttyUSB1", "1.05"}}));
    for (const char* device : {"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyACM0", "/dev/ttyACM1", "/dev/pts/3"}) {
        test::ScriptedPort& port = devices[device];
        EXPECT_EQ(port.written, Texts{"*IDN?\r\n"}) << device;  // a device named twice is asked once
        ASSERT_EQ(port.opened.size(), 1u) << device;
        const SerialLineSettings& line = port.opened[0];
        EXPECT_EQ((std::tuple{line.device, line.baud, line.parity, line.dataBits, line.stopBits}),
                  (std::tuple{std::string(device), 19200, 'E', 7, 2}));
        EXPECT_FALSE(port.isOpen()) << device;
    }
    // Nothing is said of the devices that are no meter, and the context keeps what it had.
    EXPECT_EQ(messages.texts(), Texts{});
    EXPECT_EQ(ctx.MeterVersion, "none");
}

// A device gets a second and its reply's time on the line, whatever it does meanwhile.
TEST_F(MeterScan, ASilentOrStuckDeviceCostsTheScanOneSecondAndNoneFoundIsSaidOnce) {
    const struct {
        const char* device;
        std::function<void(test::ScriptedPort&)> script;
    } cases[] = {
        {"silent", [](test::ScriptedPort&) {}},
        {"trickling", [](test::ScriptedPort& p) {
             for (int i = 1; i < 100; ++i) p.arrive("x", i * 100ms);
         }},
        {"slow", [](test::ScriptedPort& p) { p.answer("*IDN?", {"ACME, ZR915,17,1.05 "}, 1200ms); }},
    };
    for (const auto& c : cases) {
        messages.boxes.clear();
        c.script(devices[c.device]);
        const auto start = clock.now();
        EXPECT_EQ(scan({c.device}), std::vector<FoundMeter>{}) << c.device;
        const double took = Seconds(clock.now() - start).count();
        EXPECT_GE(took, 1.0) << c.device;
        EXPECT_LE(took, 1.1) << c.device;  // the query and the longest identity take 0.05 s at 19200 bit/s
        EXPECT_EQ(messages.texts(), Texts{"No ZR915 was found."}) << c.device;
        EXPECT_EQ(messages.boxes[0].title, "Communication setup");
    }
    messages.boxes.clear();
    EXPECT_EQ(scan({}), std::vector<FoundMeter>{});
    EXPECT_EQ(messages.texts(), Texts{"No ZR915 was found."});
}

}  // namespace
}  // namespace voltaro
