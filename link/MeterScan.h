#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "link/MonotonicClock.h"
#include "link/SerialPort.h"

namespace voltaro {

// A ZR915 that answered a scan: the device it is on and the version it named.
struct FoundMeter {
    std::string device;
    std::string version;

    bool operator==(const FoundMeter&) const = default;
};

// Runs every job at once, each on a thread of its own, and returns when all have ended.
using ParallelRunner = std::function<void(const std::vector<std::function<void()>>& jobs)>;

// A ParallelRunner on plain threads. The real serial line wants threads Qt knows
// (RunOnQThreads in link/qt), since its port watches the device with Qt's notifiers.
void RunOnOwnThreads(const std::vector<std::function<void()>>& jobs);

// What a scan needs of the platform: a line for each device, made on the thread that asks it
// (a serial port belongs to the thread that makes it), the clock of the time-outs, and the
// threads.
struct ScanLines {
    SerialPortMaker makeSerialPort;
    const MonotonicClock* clock = nullptr;
    ParallelRunner runInParallel = RunOnOwnThreads;
};

// How long a device has to answer the scan's "*IDN?", the time its reply takes on the line at
// the chosen rate aside. A meter answers within milliseconds; this is what a silent device
// costs the scan, since every device is asked at once.
inline constexpr std::chrono::seconds kScanReplyTime{1};
// The longest identification reply a scan reads; the meter's is some forty characters.
inline constexpr std::size_t kLongestIdentity = 80;

// Asks each device, all at once, "*IDN?" and nothing else, at the line settings of `pc`, and
// returns the ones that answer as a ZR915 with a readable version, in the order of `devices`
// (a device named twice is asked once). A device that cannot be opened, stays silent or
// answers otherwise is passed over without a word; when no ZR915 answers at all, says "No ZR915
// was found." through `ctx`. Leaves `ctx` as it was otherwise.
std::vector<FoundMeter> FindMeters(AppContext& ctx, const PcSettings& pc, const std::vector<std::string>& devices,
                                   const ScanLines& lines);

// How a found meter is listed: "/dev/ttyUSB0  ZR915 1.05".
std::string FoundMeterLine(const FoundMeter& meter);

}  // namespace voltaro
