#include "cli/DivideCommand.h"

#include <ostream>
#include <optional>

#include "app/AppContext.h"
#include "cli/CommandLine.h"
#include "cli/ConsoleReporter.h"
#include "cli/StopSignals.h"
#include "divide/CsvDivider.h"

namespace voltaro {

namespace {

constexpr int kDivideCaption = 601;

class DivideProgress final : public ProgressObserver {
public:
    explicit DivideProgress(ConsoleReporter& terminal) : terminal_(terminal) {}
    void progress(const std::string& name, std::uint64_t done, std::uint64_t total) override {
        if (done >= total)
            terminal_.clear();
        else
            terminal_.update(name, done, total);
    }
    bool stopRequested() const override { return StopSignals::received(); }

private:
    ConsoleReporter& terminal_;
};

int usage(std::ostream& err, const std::string& complaint) {
    err << "voltaro divide: " << complaint
        << "\nusage: voltaro divide (--lines N | --columns N) [-o DIR] [--yes] FILE\n";
    return kExitUsage;
}

}  // namespace

int RunDivideCommand(const std::vector<std::string>& args, const Console& console) {
    std::ostream& err = console.err;
    DivisionRequest request;
    request.outputFolder = ".";
    std::optional<DivideKind> kind;
    bool yes = false;
    bool optionsEnded = false;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--lines" || arg == "--columns")) {
            if (kind) return usage(err, "give one of --lines and --columns");
            kind = arg == "--lines" ? DivideKind::Lines : DivideKind::Columns;
            if (!TakeOptionValue(args, i, request.countText)) return usage(err, "option " + arg + " needs a count");
        } else if (!optionsEnded && (arg == "-o" || arg == "--output")) {
            if (!TakeOptionValue(args, i, request.outputFolder)) return usage(err, "option " + arg + " needs a folder");
        } else if (!optionsEnded && (arg == "-y" || arg == "--yes")) {
            yes = true;
        } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            return usage(err, "unknown option '" + arg + "'");
        } else {
            files.push_back(arg);
        }
    }
    if (!kind) return usage(err, "give --lines N or --columns N");
    if (files.size() != 1) return usage(err, files.empty() ? "no file to divide" : "one file at a time");
    request.kind = *kind;
    request.inputFile = files.front();

    // Without --yes the overwrite question is put to the user when there is one to ask.
    const ConsoleAnswers answers =
        yes ? ConsoleAnswers::Ok : (console.inputIsTerminal ? ConsoleAnswers::Ask : ConsoleAnswers::Cancel);
    ConsoleReporter terminal(err, console.errorIsTerminal, answers, &console.in);
    SystemWallClock clock;
    AppContext ctx(terminal, clock);
    ctx.MsgTitle = ctx.catalogue.text(kDivideCaption);
    DivideProgress progress(terminal);
    const StopSignals stopSignals;
    return RunDivision(ctx, request, progress) ? kExitSuccess : kExitFailure;
}

}  // namespace voltaro
