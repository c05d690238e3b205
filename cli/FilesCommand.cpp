#include "cli/FilesCommand.h"

#include <optional>
#include <ostream>
#include <set>

#include "app/ErrorReporting.h"
#include "app/TextTools.h"
#include "cli/MeterSession.h"
#include "cli/StopSignals.h"
#include "transfer/MeterDirectory.h"
#include "transfer/MeterFileTransfer.h"
#include "transfer/SpreadsheetExport.h"
#include "transfer/TransferProgress.h"

namespace voltaro {

namespace {

constexpr int kTransferCaption = 401;
constexpr int kCardTransferFinished = 419;
constexpr int kMemoryTransferFinished = 429;

constexpr char kSynopsis[] =
    "list [PORT OPTIONS] [--media card|memory]\n"
    "       voltaro files get [PORT OPTIONS] [--media card|memory] [-o DIR] [--xlsx BOOK.xlsx] [--yes|--no] NAME...";

int usage(const Console& console, const std::string& complaint) {
    return MeterCommandUsage(console, "files", kSynopsis, complaint);
}

// What follows "files list" or "files get" once the port options are taken out.
struct FilesOptions {
    std::optional<MeterMedium> medium;
    std::string folder = ".";
    std::string workbook;
    std::optional<ConsoleAnswers> answers;
    std::vector<std::string> names;
};

// Empty when the options are right; otherwise what is wrong with them.
std::string takeOptions(const std::vector<std::string>& args, bool get, FilesOptions& options) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string text;
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg == "--media") {
            if (!TakeOptionValue(args, i, text) || (text != "card" && text != "memory"))
                return "--media needs card or memory";
            options.medium = text == "card" ? MeterMedium::Card : MeterMedium::Memory;
        } else if (get && !optionsEnded && (arg == "-o" || arg == "--output")) {
            if (!TakeOptionValue(args, i, options.folder)) return "option " + arg + " needs a folder";
        } else if (get && !optionsEnded && arg == "--xlsx") {
            if (!TakeOptionValue(args, i, options.workbook)) return "option --xlsx needs a workbook file";
        } else if (get && !optionsEnded && (arg == "-y" || arg == "--yes" || arg == "-n" || arg == "--no")) {
            if (options.answers) return "give one of --yes and --no";
            options.answers = arg == "-y" || arg == "--yes" ? ConsoleAnswers::Ok : ConsoleAnswers::No;
        } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            return "unknown option '" + arg + "'";
        } else if (get) {
            options.names.push_back(arg);
        } else {
            return "unexpected argument '" + arg + "'";
        }
    }
    if (get && options.names.empty()) return "name the files to copy";
    return {};
}

// The list's entries the user named (in any letter case), in the list's order; false after
// naming those that are not on the meter.
bool pickNamed(const MeterFileList& list, const std::vector<std::string>& names, std::vector<MeterFileEntry>& picked,
               std::ostream& err) {
    std::set<std::string> missing;
    for (const std::string& name : names) missing.insert(UpperCaseAscii(name));
    for (const MeterFileEntry& entry : list.entries) {
        if (missing.erase(UpperCaseAscii(TrimBlanks(entry.name))) > 0) picked.push_back(entry);
    }
    bool allThere = true;
    for (const std::string& name : names) {
        if (missing.erase(UpperCaseAscii(name)) == 0) continue;
        err << "voltaro files: " << name << " is not on the meter\n";
        allThere = false;
    }
    return allThere;
}

// Shows the arriving file on the terminal's progress line.
class TerminalLine final : public ProgressObserver {
public:
    explicit TerminalLine(ConsoleReporter& terminal) : terminal_(terminal) {}
    void progress(const std::string& line, std::uint64_t, std::uint64_t) override { terminal_.showLine(line); }
    bool stopRequested() const override { return StopSignals::received(); }

private:
    ConsoleReporter& terminal_;
};

}  // namespace

int RunFilesCommand(const std::vector<std::string>& args, const Console& console) {
    if (args.empty() || (args[0] != "list" && args[0] != "get")) return usage(console, "say list or get");
    const bool get = args[0] == "get";
    std::vector<std::string> rest(args.begin() + 1, args.end());
    int status = kExitSuccess;
    const ConsoleAnswers asked = console.inputIsTerminal ? ConsoleAnswers::Ask : ConsoleAnswers::Cancel;
    auto session = MeterSession::create(rest, console, asked, "files", status);
    if (!session) return status == kExitUsage ? usage(console, "see the options") : status;
    FilesOptions options;
    if (const std::string complaint = takeOptions(rest, get, options); !complaint.empty())
        return usage(console, complaint);
    if (options.answers) session->reporter().answerWith(*options.answers);

    AppContext& ctx = session->context();
    ctx.MsgTitle = ctx.catalogue.text(kTransferCaption);
    const MeterMedium medium =
        options.medium.value_or(ctx.CurrentSetting.Pc.TransMedia == 1 ? MeterMedium::Memory : MeterMedium::Card);
    MeterFileList list;
    if (GetZrFileName(session->link(), medium, list) != 0) return kExitFailure;
    if (!get) {
        for (const MeterFileEntry& entry : list.entries)
            console.out << TrimBlanks(entry.name) << '\t' << entry.sizeText << '\n';
        console.out.flush();
        return kExitSuccess;
    }

    std::vector<MeterFileEntry> picked;
    if (!pickNamed(list, options.names, picked, console.err)) return kExitFailure;
    std::optional<SpreadsheetWorkbook> workbook;
    if (!options.workbook.empty()) workbook.emplace(ctx, options.workbook);
    TerminalLine terminal(session->reporter());
    TransferProgress progress(session->link().clock(), terminal);
    const StopSignals stopSignals;
    const std::int16_t result = TransStart(session->link(), medium, picked,
                                           TransferTargets(true, options.folder, workbook ? &*workbook : nullptr),
                                           progress);
    session->reporter().clear();
    // Like a spreadsheet left open, the workbook keeps the sheets of the files that arrived
    // before a run stopped.
    if (workbook) {
        if (workbook->close() != 0) return kExitFailure;
        if (workbook->hasSheets()) console.out << workbook->path() << std::endl;
    }
    if (result != 0) return kExitFailure;
    ShowInformationText(ctx, ctx.catalogue.text(medium == MeterMedium::Card ? kCardTransferFinished
                                                                            : kMemoryTransferFinished));
    return kExitSuccess;
}

}  // namespace voltaro
