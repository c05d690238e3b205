#include <gtest/gtest.h>

#include <sstream>

#include "cli/CommandLine.h"
#include "cli/ConsoleMessages.h"
#include "cli/Subcommands.h"

namespace voltaro {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunCommandLine(args, out, err);
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

TEST(ConsoleMessages, PrintsTheTextAloneOnItsOwnLine) {
    std::ostringstream err;
    ConsoleMessages messages(err);
    messages.notify(MessageIcon::Stop, "File conv.", "Cannot create file.");
    messages.notify(MessageIcon::Information, "File conv.", "Data conversion was completed.");
    EXPECT_EQ(err.str(), "Cannot create file.\nData conversion was completed.\n");
}

}  // namespace
}  // namespace voltaro
