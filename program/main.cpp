#include <QApplication>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app/ui/QtMessages.h"
#include "cli/CommandLine.h"
#include "cli/PlotCommand.h"
#include "link/qt/QtSerialPort.h"
#include "program/frmMainMenu.h"

namespace {

// On X11 and Wayland desktops a window needs a display; elsewhere there always is one.
bool displayAvailable() {
#if defined(__linux__) || defined(__FreeBSD__)
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
#else
    return true;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    const voltaro::SerialPortMaker makeSerialPort = [] { return std::make_unique<voltaro::QtSerialPort>(); };
    if (argc > 1) {
        // The serial line lives on QtCore; commands need no display. A plot starts its own
        // application, one that draws without a display.
        const std::vector<std::string> args(argv + 1, argv + argc);
        std::optional<QCoreApplication> application;
        if (!voltaro::CommandDraws(args)) application.emplace(argc, argv);
        voltaro::Console console = voltaro::StandardConsole();
        console.makeSerialPort = makeSerialPort;
        console.listSerialPorts = voltaro::SystemSerialPorts;
        console.runInParallel = voltaro::RunOnQThreads;
        return voltaro::RunCommandLine(args, console);
    }
    if (!displayAvailable()) {
        std::cerr << "voltaro: no display found; the window cannot open. Headless use:\n\n";
        voltaro::PrintHelp(std::cerr);
        return voltaro::kExitFailure;
    }
    QApplication application(argc, argv);
    voltaro::QtMessages messages;
    voltaro::SystemWallClock clock;
    voltaro::AppContext ctx(messages, clock);
    voltaro::SteadyClock linkClock;
    voltaro::frmMainMenu mainMenu(ctx, makeSerialPort, linkClock);
    mainMenu.start();
    return application.exec();
}
