#pragma once

#include <functional>

#include "app/AppContext.h"
#include "app/DefaultSettings.h"
#include "link/Link.h"
#include "sim/InMemorySerialPort.h"
#include "sim/MeterModel.h"
#include "support/FixedClock.h"
#include "support/ManualClock.h"
#include "support/RecordingMessages.h"

namespace voltaro::test {

// A meter's faults: a healthy meter's with the changes `set` makes.
inline sim::MeterFaults Faults(const std::function<void(sim::MeterFaults&)>& set) {
    sim::MeterFaults faults;
    set(faults);
    return faults;
}

// The PC's end of a line to a simulated meter, in simulated time: a context on a fixed
// day holding the factory setting, whose boxes are recorded, and a link to the meter.
struct SimulatedMeterLink {
    explicit SimulatedMeterLink(sim::MeterFaults faults = {}, sim::MeterFolders folders = {})
        : meter(std::move(folders), std::move(faults)) {
        SetDefaultSettings(ctx);
    }
    // The port and the link hold on to the members beside them.
    SimulatedMeterLink(const SimulatedMeterLink&) = delete;
    SimulatedMeterLink& operator=(const SimulatedMeterLink&) = delete;

    RecordingMessages messages;
    FixedClock wallClock{{2026, 12, 6, 10, 0, 0}};
    AppContext ctx{messages, wallClock};
    ManualClock clock;
    sim::MeterModel meter;
    sim::InMemorySerialPort port{meter, clock};
    Link link{ctx, port, clock};
};

}  // namespace voltaro::test
