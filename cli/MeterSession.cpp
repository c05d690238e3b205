#include "cli/MeterSession.h"

#include <array>
#include <charconv>
#include <ostream>
#include <string_view>

#include "app/AppPath.h"
#include "app/ParameterFile.h"

namespace voltaro {

namespace {

constexpr std::array<std::string_view, 6> kBaudRates{"1200", "2400", "4800", "9600", "19200", "38400"};
constexpr std::array<std::string_view, 3> kParities{"odd", "even", "none"};
constexpr std::array<std::string_view, 4> kFlows{"off", "xon", "xon-rts", "rts"};

template <std::size_t N>
int indexOf(const std::array<std::string_view, N>& names, std::string_view name) {
    for (std::size_t i = 0; i < N; ++i)
        if (names[i] == name) return static_cast<int>(i);
    return -1;
}

// "COM3" picks the numbered port; anything else is a device path.
void choosePort(PcSettings& pc, const std::string& device) {
    if (device.size() > 3 && device.compare(0, 3, "COM") == 0) {
        int number = 0;
        const char* last = device.data() + device.size();
        const auto [end, error] = std::from_chars(device.data() + 3, last, number);
        if (error == std::errc() && end == last && number >= 1 && number <= 10) {
            pc.CommPort.PcComPort = static_cast<std::int16_t>(number);
            pc.PcPortName.clear();
            return;
        }
    }
    pc.PcPortName = device;
}

// Applies one port option; an error text when its value is not one of the choices.
std::string applyOption(PcSettings& pc, std::string_view option, const std::string& value) {
    CommPortSetting& port = pc.CommPort;
    int index = -1;
    if (option == "--port") {
        choosePort(pc, value);
        return {};
    }
    if (option == "--baud" && (index = indexOf(kBaudRates, value)) >= 0) {
        port.PcBaud = static_cast<std::int16_t>(index);
    } else if (option == "--data-bits" && (value == "7" || value == "8")) {
        port.PcDataBits = static_cast<std::int16_t>(value[0] - '0');
    } else if (option == "--parity" && (index = indexOf(kParities, value)) >= 0) {
        port.PcParity = static_cast<std::int16_t>(index);
    } else if (option == "--stop-bits" && (value == "1" || value == "2")) {
        port.PcStopBits = static_cast<std::int16_t>(value[0] - '0');
    } else if (option == "--flow" && (index = indexOf(kFlows, value)) >= 0) {
        port.PcFlow = static_cast<std::int16_t>(index);
    } else {
        return "bad value '" + value + "' for " + std::string(option);
    }
    return {};
}

bool isPortOption(std::string_view arg) {
    return arg == "--port" || arg == "--baud" || arg == "--data-bits" || arg == "--parity" || arg == "--stop-bits" ||
           arg == "--flow";
}

}  // namespace

std::string_view FlowOptionName(int flowIndex) {
    return flowIndex >= 0 && flowIndex < static_cast<int>(kFlows.size()) ? kFlows[static_cast<std::size_t>(flowIndex)]
                                                                           : kFlows[0];
}

bool TakePortOptions(std::vector<std::string>& args, PcSettings& pc, std::ostream& err, const std::string& command) {
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!isPortOption(args[i])) {
            rest.push_back(args[i]);
            continue;
        }
        if (i + 1 == args.size()) {
            err << "voltaro " << command << ": option " << args[i] << " needs a value\n";
            return false;
        }
        const std::string error = applyOption(pc, args[i], args[i + 1]);
        if (!error.empty()) {
            err << "voltaro " << command << ": " << error << '\n';
            return false;
        }
        ++i;
    }
    args = rest;
    return true;
}

const char* const kPortOptionsHelp =
    "  --port DEV         serial device or COM1..COM10      --baud 1200..38400\n"
    "  --data-bits 7|8    --parity odd|even|none            --stop-bits 1|2\n"
    "  --flow off|xon|xon-rts|rts\n"
    "  (defaults: the setup saved in the Parameter file)\n";

int MeterCommandUsage(const Console& console, const std::string& command, std::string_view synopsis,
                      const std::string& complaint) {
    console.err << "voltaro " << command << ": " << complaint << "\nusage: voltaro " << command << ' ' << synopsis
                << '\n'
                << kPortOptionsHelp;
    return kExitUsage;
}

std::optional<MeterSession> MeterSession::create(std::vector<std::string>& args, const Console& console,
                                                 ConsoleAnswers answers, const std::string& command,
                                                 int& status) {
    status = kExitUsage;
    MeterSession session;
    session.reporter_ = std::make_unique<ConsoleReporter>(console.err, console.errorIsTerminal, answers, &console.in);
    session.wallClock_ = std::make_unique<SystemWallClock>();
    session.ctx_ = std::make_unique<AppContext>(*session.reporter_, *session.wallClock_);
    AppContext& ctx = *session.ctx_;
    ctx.AppPath = GetAppPath();
    if (AccessParameterFile(ctx, kParameterRead) != 0) {
        status = kExitFailure;
        return std::nullopt;
    }

    if (!TakePortOptions(args, ctx.CurrentSetting.Pc, console.err, command)) return std::nullopt;
    if (!console.makeSerialPort) {
        console.err << "voltaro " << command << ": this build has no serial port support\n";
        status = kExitFailure;
        return std::nullopt;
    }
    session.port_ = console.makeSerialPort();
    const MonotonicClock* clock = console.linkClock;
    if (clock == nullptr) {
        session.steadyClock_ = std::make_unique<SteadyClock>();
        clock = session.steadyClock_.get();
    }
    session.link_ = std::make_unique<Link>(ctx, *session.port_, *clock);
    return session;
}

}  // namespace voltaro
