#include "link/ui/MeterExchange.h"

#include <memory>

#include "app/ui/BackgroundRun.h"

namespace voltaro {

std::int16_t RunMeterExchange(AppContext& ctx, ProgressDialog& progress, const SerialPortMaker& makeSerialPort,
                              const MonotonicClock& linkClock, const std::function<std::int16_t(Link&)>& exchange) {
    return RunOperation(progress, [&] {
        const std::unique_ptr<SerialPort> port = makeSerialPort();
        Link link(ctx, *port, linkClock);
        return exchange(link);
    });
}

}  // namespace voltaro
