#include "cli/SettingsCommand.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <ostream>
#include <string_view>

#include "app/DefaultSettings.h"
#include "app/ErrorReporting.h"
#include "cli/MeterSession.h"
#include "cli/SettingEdit.h"
#include "cli/SettingListing.h"
#include "settings/SettingCheck.h"
#include "settings/SettingFile.h"
#include "settings/SettingReceive.h"
#include "settings/SettingSend.h"

namespace voltaro {

namespace {

constexpr int kSettingCaption = 2001;
constexpr int kReceiveFinished = 2015;
constexpr int kSendFinished = 2016;

constexpr char kSynopsis[] =
    "receive [PORT OPTIONS] -o FILE.SET\n"
    "       voltaro settings send [PORT OPTIONS] [--pc-time] FILE.SET\n"
    "       voltaro settings (check | show) FILE.SET\n"
    "       voltaro settings set FILE.SET NAME=VALUE...\n"
    "       voltaro settings defaults -o FILE.SET";

int usage(const Console& console, const std::string& complaint) {
    return MeterCommandUsage(console, "settings", kSynopsis, complaint);
}

// The arguments a job takes besides the port options.
enum class Arguments {
    OutputFile,          // -o FILE.SET
    InputFile,           // FILE.SET
    InputFileAndPcTime,  // [--pc-time] FILE.SET
    InputFileAndItems,   // FILE.SET NAME=VALUE...
};

struct SettingsOptions {
    std::string file;  // the setting file written or read
    bool pcTime = false;
    std::vector<std::string> items;  // NAME=VALUE, as given
};

// Empty when the arguments are right; otherwise what is wrong with them.
std::string takeOptions(const std::vector<std::string>& args, Arguments expected, SettingsOptions& options) {
    const bool writes = expected == Arguments::OutputFile;
    std::optional<std::string> file;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (writes && !optionsEnded && (arg == "-o" || arg == "--output")) {
            std::string value;
            if (!TakeOptionValue(args, i, value)) return "option " + arg + " needs a file";
            if (file) return "give one file to write";
            file = value;
        } else if (expected == Arguments::InputFileAndPcTime && !optionsEnded && arg == "--pc-time") {
            options.pcTime = true;
        } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            return "unknown option '" + arg + "'";
        } else if (!writes && !file) {
            file = arg;
        } else if (expected == Arguments::InputFileAndItems) {
            options.items.push_back(arg);
        } else {
            return "unexpected argument '" + arg + "'";
        }
    }
    if (!file || file->empty()) return writes ? "give the file to write with -o" : "name the setting file";
    options.file = *file;
    return {};
}

int receiveSetting(MeterSession& session, const SettingsOptions& options) {
    AppContext& ctx = session.context();
    SettingRecord received = ctx.CurrentSetting;
    if (SettingComRead2(session.link(), received) != 0 || CheckSettingRecord(ctx, received) != 0 ||
        WriteSettingFile(ctx, options.file, received) != 0)
        return kExitFailure;
    ShowInformationText(ctx, ctx.catalogue.text(kReceiveFinished));
    return kExitSuccess;
}

int sendSetting(MeterSession& session, const SettingsOptions& options) {
    AppContext& ctx = session.context();
    if (LoadSettingFile(ctx, options.file) != 0) return kExitFailure;
    // A setting file has no clock: the meter's own goes back, not an old one of this PC.
    if (SendOverMetersSetting(session.link(), ctx.CurrentSetting, options.pcTime, true) != 0) return kExitFailure;
    ShowInformationText(ctx, ctx.catalogue.text(kSendFinished));
    return kExitSuccess;
}

// What a job on setting files alone needs: no Parameter file, no line.
struct FileJob {
    explicit FileJob(const Console& console) : reporter(console.err, false), context(reporter, clock) {
        context.MsgTitle = context.catalogue.text(kSettingCaption);
    }

    ConsoleReporter reporter;
    SystemWallClock clock;
    AppContext context;
};

int checkFile(const SettingsOptions& options, const Console& console) {
    FileJob job(console);
    return LoadSettingFile(job.context, options.file) == 0 ? kExitSuccess : kExitFailure;
}

int showFile(const SettingsOptions& options, const Console& console) {
    FileJob job(console);
    SettingRecord record;
    if (ReadSettingFile(job.context, options.file, record) != 0) return kExitFailure;
    PrintListedItems(console.out, ListSetting(record, job.context.catalogue));
    return kExitSuccess;
}

int setItems(const SettingsOptions& options, const Console& console) {
    std::vector<SettingAssignment> assignments;
    if (const std::string complaint = TakeSettingAssignments(options.items, assignments); !complaint.empty())
        return usage(console, complaint);
    return EditSettingFile(options.file, assignments, console);
}

// The factory setting as it is, ready to be checked or sent.
int writeDefaults(const SettingsOptions& options, const Console& console) {
    FileJob job(console);
    SetDefaultSettings(job.context);
    return WriteSettingFile(job.context, options.file, job.context.CurrentSetting) == 0 ? kExitSuccess
                                                                                         : kExitFailure;
}

struct Job {
    std::string_view name;
    Arguments arguments;
    // One of the two: a job on setting files alone, or one that talks to the meter.
    int (*onFiles)(const SettingsOptions& options, const Console& console);
    int (*withMeter)(MeterSession& session, const SettingsOptions& options);
};

constexpr Job kJobs[] = {
    {"receive", Arguments::OutputFile, nullptr, receiveSetting},
    {"send", Arguments::InputFileAndPcTime, nullptr, sendSetting},
    {"check", Arguments::InputFile, checkFile, nullptr},
    {"show", Arguments::InputFile, showFile, nullptr},
    {"set", Arguments::InputFileAndItems, setItems, nullptr},
    {"defaults", Arguments::OutputFile, writeDefaults, nullptr},
};

}  // namespace

int RunSettingsCommand(const std::vector<std::string>& args, const Console& console) {
    const std::string name = args.empty() ? std::string() : args[0];
    const Job* job = std::find_if(std::begin(kJobs), std::end(kJobs), [&](const Job& j) { return j.name == name; });
    if (job == std::end(kJobs)) return usage(console, "say receive, send, check, show, set or defaults");
    std::vector<std::string> rest(args.begin() + 1, args.end());
    std::optional<MeterSession> session;
    if (job->withMeter != nullptr) {
        int status = kExitSuccess;
        session = MeterSession::create(rest, console, ConsoleAnswers::Cancel, "settings", status);
        if (!session) return status == kExitUsage ? usage(console, "see the options") : status;
    }
    SettingsOptions options;
    if (const std::string complaint = takeOptions(rest, job->arguments, options); !complaint.empty())
        return usage(console, complaint);
    if (!session) return job->onFiles(options, console);
    session->context().MsgTitle = session->context().catalogue.text(kSettingCaption);
    return job->withMeter(*session, options);
}

}  // namespace voltaro
