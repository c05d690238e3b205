#pragma once

#include <cstdint>
#include <functional>

#include "app/AppContext.h"
#include "link/Link.h"
#include "link/MonotonicClock.h"
#include "link/SerialPort.h"

namespace voltaro {

class ProgressDialog;

// Runs `exchange` with the meter behind `progress`, on a worker and over a serial line
// made there for it (a serial port belongs to the thread that makes it); its 0 or -1.
std::int16_t RunMeterExchange(AppContext& ctx, ProgressDialog& progress, const SerialPortMaker& makeSerialPort,
                              const MonotonicClock& linkClock, const std::function<std::int16_t(Link&)>& exchange);

}  // namespace voltaro
