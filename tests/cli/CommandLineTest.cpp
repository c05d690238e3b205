#include <gtest/gtest.h>

#include <sstream>

#include "cli/CommandLine.h"
#include "cli/ConsoleReporter.h"
#include "cli/Subcommands.h"

namespace voltaro {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out, err;
    const int status = RunCommandLine(args, {in, out, err});
    return {status, out.str(), err.str()};
}

TEST(CommandLine, VersionAndHelpGoToStandardOutput) {
    for (const char* flag : {"--version", "-V"}) {
        const Outcome r = run({flag});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "Voltaro 0.1.0\n");
        EXPECT_EQ(r.err, "");
    }
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: voltaro"), std::string::npos);
    EXPECT_NE(help.out.find("--version"), std::string::npos);
    for (const Subcommand& command : Subcommands())
        EXPECT_NE(help.out.find(command.name), std::string::npos) << command.name;
    EXPECT_EQ(run({"-h"}).out, help.out);
}

TEST(CommandLine, MisuseGivesUsageOnStandardErrorAndStatusTwo) {
    const std::vector<std::string> misuses[] = {
        {}, {"frobnicate"}, {"--frobnicate"}, {"-x"}, {"--help", "extra"}, {"--version", "extra"},
    };
    for (const auto& args : misuses) {
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "(none)" : args[0]);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("usage: voltaro"), std::string::npos);
    }
    EXPECT_NE(run({"frobnicate"}).err.find("unknown subcommand 'frobnicate'"), std::string::npos);
}

TEST(ConsoleReporter, PrintsMessagesAloneAndClearsTheProgressLineFirst) {
    std::ostringstream quiet;
    ConsoleReporter notTerminal(quiet, false);
    notTerminal.update("BIG.BIN", 50u << 20, 100u << 20);
    notTerminal.notify(MessageIcon::Stop, "File conversion", "Cannot create file.");
    notTerminal.notify(MessageIcon::Information, "File conversion", "Data conversion was completed.");
    EXPECT_EQ(quiet.str(), "Cannot create file.\nData conversion was completed.\n");

    std::ostringstream terminal;
    ConsoleReporter reporter(terminal, true);
    reporter.update("SMALL.BIN", 1, 2);  // too small to be worth a progress line
    EXPECT_EQ(terminal.str(), "");
    reporter.update("BIG.BIN", 50u << 20, 100u << 20);
    reporter.update("BIG.BIN", (50u << 20) + 1, 100u << 20);  // same percentage: no redraw
    EXPECT_EQ(terminal.str(), "\rBIG.BIN:  50% (52.4 of 104.9 MB)\033[K");
    reporter.notify(MessageIcon::Stop, "File conversion", "BIG.BINis not a normal file.");
    EXPECT_EQ(terminal.str(), "\rBIG.BIN:  50% (52.4 of 104.9 MB)\033[K\r\033[KBIG.BINis not a normal file.\n");
}

}  // namespace
}  // namespace voltaro
