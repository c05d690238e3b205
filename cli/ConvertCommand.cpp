#include "cli/ConvertCommand.h"

#include <filesystem>
#include <ostream>

#include "app/AppContext.h"
#include "cli/CommandLine.h"
#include "cli/ConsoleReporter.h"
#include "cli/StopSignals.h"
#include "convert/DataFileConverter.h"

namespace voltaro {

namespace {

constexpr int kConversionCaption = 501;

class ConvertProgress final : public ConversionObserver {
public:
    ConvertProgress(std::ostream& out, ConsoleReporter& terminal) : out_(out), terminal_(terminal) {}

    void outputCreated(const std::string& path) override {
        terminal_.clear();
        out_ << path << std::endl;
    }
    void progress(const std::string& fileName, std::uint64_t bytesRead, std::uint64_t fileSize) override {
        if (bytesRead >= fileSize)
            terminal_.clear();
        else
            terminal_.update(fileName, bytesRead, fileSize);
    }
    bool stopRequested() const override { return StopSignals::received(); }

private:
    std::ostream& out_;
    ConsoleReporter& terminal_;
};

int usage(std::ostream& err, const std::string& complaint) {
    err << "voltaro convert: " << complaint << "\nusage: voltaro convert [-o DIR] FILE...\n";
    return kExitUsage;
}

}  // namespace

int RunConvertCommand(const std::vector<std::string>& args, const Console& console) {
    std::ostream& err = console.err;
    std::string outputFolder = ".";
    std::vector<ConversionInput> inputs;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "-o" || arg == "--output")) {
            if (++i == args.size()) return usage(err, "option " + arg + " needs a folder");
            outputFolder = args[i];
        } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            return usage(err, "unknown option '" + arg + "'");
        } else {
            const std::filesystem::path path(arg);
            inputs.push_back({path.has_parent_path() ? path.parent_path().string() : ".", path.filename().string()});
        }
    }
    if (inputs.empty()) return usage(err, "no file to convert");

    ConsoleReporter terminal(err, console.errorIsTerminal);
    SystemWallClock clock;
    AppContext ctx(terminal, clock);
    ctx.MsgTitle = ctx.catalogue.text(kConversionCaption);
    ConvertProgress progress(console.out, terminal);
    const StopSignals stopSignals;
    const ConversionSummary summary = RunConversion(ctx, inputs, outputFolder, progress);
    return summary.completed && summary.notNormalFiles == 0 ? kExitSuccess : kExitFailure;
}

}  // namespace voltaro
