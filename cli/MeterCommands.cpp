#include "cli/MeterCommands.h"

#include <ostream>

#include "app/AppPath.h"
#include "app/ParameterFile.h"
#include "cli/MeterSession.h"
#include "link/CommPortSettings.h"
#include "link/MeterChecks.h"
#include "link/MeterScan.h"
#include "link/PortNames.h"
#include "settings/SystemReset.h"

namespace voltaro {

namespace {

constexpr std::string_view kIdentifySynopsis = "[--scan [DEVICE...]] [PORT OPTIONS]";

// Asks the ports the system reports and the devices named, all at once, and lists the
// meters that answered, one a line; a failure when there is none.
int ScanForMeters(MeterSession& session, const std::vector<std::string>& named, const Console& console) {
    std::vector<std::string> devices;
    if (console.listSerialPorts) devices = DevicesOf(console.listSerialPorts());
    for (const std::string& name : named) devices.push_back(DeviceForPortName(name));
    const ScanLines lines{console.makeSerialPort, &session.link().clock(),
                          console.runInParallel ? console.runInParallel : ParallelRunner(RunOnOwnThreads)};
    AppContext& ctx = session.context();
    const std::vector<FoundMeter> found = FindMeters(ctx, ctx.CurrentSetting.Pc, devices, lines);
    for (const FoundMeter& meter : found) console.out << FoundMeterLine(meter) << '\n';
    console.out.flush();
    return found.empty() ? kExitFailure : kExitSuccess;
}

}  // namespace

int RunIdentifyCommand(const std::vector<std::string>& args, const Console& console) {
    std::vector<std::string> rest;
    bool scan = false;
    for (const std::string& arg : args) {
        if (arg == "--scan")
            scan = true;
        else
            rest.push_back(arg);
    }
    int status = kExitSuccess;
    auto session = MeterSession::create(rest, console, ConsoleAnswers::Cancel, "identify", status);
    if (!session)
        return status == kExitUsage ? MeterCommandUsage(console, "identify", kIdentifySynopsis, "see the options")
                                    : status;
    for (const std::string& arg : rest) {
        if (!scan || arg.starts_with('-'))
            return MeterCommandUsage(console, "identify", kIdentifySynopsis, "unexpected argument '" + arg + "'");
    }
    if (scan) return ScanForMeters(*session, rest, console);

    if (IdentifyMeter(session->link()) != 0) return kExitFailure;
    console.out << kMeterModel << ' ' << session->context().MeterVersion << std::endl;
    return kExitSuccess;
}

int RunSetupCommand(const std::vector<std::string>& args, const Console& console) {
    std::vector<std::string> rest = args;
    ConsoleReporter reporter(console.err, false);
    SystemWallClock clock;
    AppContext ctx(reporter, clock);
    ctx.AppPath = GetAppPath();
    if (AccessParameterFile(ctx, kParameterRead) != 0) return kExitFailure;
    PcSettings& pc = ctx.CurrentSetting.Pc;
    if (!TakePortOptions(rest, pc, console.err, "setup"))
        return MeterCommandUsage(console, "setup", "[PORT OPTIONS]", "see the options");
    if (!rest.empty())
        return MeterCommandUsage(console, "setup", "[PORT OPTIONS]", "unexpected argument '" + rest[0] + "'");
    if (AccessParameterFile(ctx, kParameterWrite) != 0) return kExitFailure;
    const SerialLineSettings line = LineSettings(pc);
    console.out << line.device << ' ' << SettingsText(pc.CommPort) << " flow " << FlowOptionName(pc.CommPort.PcFlow)
                << std::endl;
    return kExitSuccess;
}

int RunResetCommand(const std::vector<std::string>& args, const Console& console) {
    std::vector<std::string> rest;
    bool yes = false;
    for (const std::string& arg : args) {
        if (arg == "--yes" || arg == "-y")
            yes = true;
        else
            rest.push_back(arg);
    }
    const ConsoleAnswers answers =
        yes ? ConsoleAnswers::Ok : (console.inputIsTerminal ? ConsoleAnswers::Ask : ConsoleAnswers::Cancel);
    int status = kExitSuccess;
    auto session = MeterSession::create(rest, console, answers, "reset", status);
    if (!session)
        return status == kExitUsage ? MeterCommandUsage(console, "reset", "[--yes] [PORT OPTIONS]", "see the options")
                                    : status;
    if (!rest.empty())
        return MeterCommandUsage(console, "reset", "[--yes] [PORT OPTIONS]", "unexpected argument '" + rest[0] + "'");

    if (SystemReset(session->link()) != 0) return kExitFailure;
    // The factory setting is the current setting now, as the settings window keeps it.
    return AccessParameterFile(session->context(), kParameterWrite) == 0 ? kExitSuccess : kExitFailure;
}

}  // namespace voltaro
