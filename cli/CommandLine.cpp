#include "cli/CommandLine.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>

#include "VoltaroVersion.h"
#include "app/Catalogue.h"
#include "cli/MeterSession.h"
#include "cli/Subcommands.h"

namespace voltaro {

namespace {

constexpr int kProductName = 101;

void printUsage(std::ostream& out) {
    out << "usage: voltaro [--help | --version]\n"
           "       voltaro SUBCOMMAND [ARGUMENTS...]\n";
}

int usageError(std::ostream& err, const std::string& complaint) {
    err << "voltaro: " << complaint << '\n';
    printUsage(err);
    err << "Run 'voltaro --help' for the subcommands.\n";
    return kExitUsage;
}

}  // namespace

void PrintHelp(std::ostream& out) {
    out << LoadResString(kProductName)
        << " sets up the ZR915 power meter and collects its data.\n"
           "Without arguments it opens its window; with a subcommand it works headless.\n\n";
    printUsage(out);
    out << "\nOptions:\n"
           "  -h, --help     show this help and exit\n"
           "  -V, --version  show the program's version and exit\n"
           "\nSubcommands:\n";
    const auto subcommands = Subcommands();
    if (subcommands.empty()) out << "  (none in this build)\n";
    for (const Subcommand& command : subcommands)
        out << "  " << command.name << ' ' << command.synopsis << "\n      " << command.summary << '\n';
    out << "\nPort options of the commands that talk to the meter:\n" << kPortOptionsHelp;
}

Console StandardConsole() {
    return {std::cin, std::cout, std::cerr, ::isatty(STDIN_FILENO) == 1, ::isatty(STDERR_FILENO) == 1};
}

int RunCommandLine(const std::vector<std::string>& args, const Console& console) {
    std::ostream& out = console.out;
    std::ostream& err = console.err;
    if (args.empty()) return usageError(err, "no subcommand given");
    const std::string& first = args.front();
    if (first == "-h" || first == "--help") {
        if (args.size() > 1) return usageError(err, "unexpected argument '" + args[1] + "'");
        PrintHelp(out);
        return kExitSuccess;
    }
    if (first == "-V" || first == "--version") {
        if (args.size() > 1) return usageError(err, "unexpected argument '" + args[1] + "'");
        out << LoadResString(kProductName) << ' ' << kVersionText << '\n';
        return kExitSuccess;
    }
    if (first.starts_with('-')) return usageError(err, "unknown option '" + first + "'");
    const auto subcommands = Subcommands();
    const auto found = std::find_if(subcommands.begin(), subcommands.end(),
                                    [&](const Subcommand& command) { return command.name == first; });
    if (found == subcommands.end()) return usageError(err, "unknown subcommand '" + first + "'");
    return found->run({args.begin() + 1, args.end()}, console);
}

bool TakeOptionValue(const std::vector<std::string>& args, std::size_t& at, std::string& value) {
    if (at + 1 >= args.size()) return false;
    value = args[++at];
    return true;
}

}  // namespace voltaro
