#include "cli/PlotCommand.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>
#include <ostream>

#include "app/AppContext.h"
#include "app/ErrorReporting.h"
#include "cli/ConsoleReporter.h"
#include "cli/StopSignals.h"
#include "plot/DataRowText.h"
#include "plot/PlotFileReader.h"
#include "plot/PlotRange.h"
#include "plot/qt/PlotPictureFile.h"

namespace voltaro {

namespace {

constexpr int kCaption = 3501;
constexpr int kRecordWord = 3505;
constexpr int kTimeFrom = 3506;
constexpr int kSampleAxis = 3508;
constexpr int kNoSuchColumn = 3523;
constexpr int kNoSuchRecord = 3524;
constexpr int kNoRecords = 3525;
constexpr int kNoColumns = 3526;

// The size of a picture: a wide screen's, which a document takes as it is.
constexpr int kPictureWidth = 1280;
constexpr int kPictureHeight = 720;

constexpr const char* kUsage = "usage: voltaro plot FILE.CSV [--columns NAMES] [--record N] -o PLOT.png|PLOT.svg\n";

struct PlotOptions {
    std::string input;
    std::string output;
    std::vector<std::string> columns;   // empty: the first column, or every channel
    std::optional<std::size_t> record;  // from 1
};

// Says what is wrong with the arguments, and how they go; parse() gives nothing then.
std::nullopt_t badUsage(std::ostream& err, const std::string& complaint) {
    err << "voltaro plot: " << complaint << '\n' << kUsage;
    return std::nullopt;
}

// NAMES is a comma-separated list of column titles or channel names.
std::vector<std::string> namesOf(const std::string& list) {
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t comma = list.find(','); start <= list.size(); comma = list.find(',', start)) {
        const std::string name = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return names;
}

std::optional<std::size_t> recordNumberOf(const std::string& text) {
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number == 0) return std::nullopt;
    return number;
}

// The options, or nothing after a usage error was reported.
std::optional<PlotOptions> parse(const std::vector<std::string>& args, std::ostream& err) {
    PlotOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string value;
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "-o" || arg == "--output")) {
            if (!TakeOptionValue(args, i, options.output))
                return badUsage(err, "option " + arg + " needs a file");
        } else if (!optionsEnded && arg == "--columns") {
            if (!TakeOptionValue(args, i, value)) return badUsage(err, "option --columns needs names");
            options.columns = namesOf(value);
        } else if (!optionsEnded && arg == "--record") {
            if (!TakeOptionValue(args, i, value) || !(options.record = recordNumberOf(value)))
                return badUsage(err, "option --record needs a record number from 1");
        } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            return badUsage(err, "unknown option '" + arg + "'");
        } else if (options.input.empty()) {
            options.input = arg;
        } else {
            return badUsage(err, "one file at a time, not also '" + arg + "'");
        }
    }
    if (options.input.empty()) return badUsage(err, "no file to plot");
    if (options.output.empty()) return badUsage(err, "no picture file given (-o PLOT.png or -o PLOT.svg)");
    if (!PictureFormatOf(options.output))
        return badUsage(err, "the picture file's name must end in .png or .svg");
    return options;
}

class ReadingProgress final : public ProgressObserver {
public:
    explicit ReadingProgress(ConsoleReporter& terminal) : terminal_(terminal) {}
    void progress(const std::string& name, std::uint64_t done, std::uint64_t total) override {
        terminal_.update(name, done, total);
    }
    bool stopRequested() const override { return StopSignals::received(); }

private:
    ConsoleReporter& terminal_;
};

class PlotRun {
public:
    PlotRun(AppContext& ctx, PlotFileReader& reader, const PlotOptions& options)
        : ctx_(ctx),
          reader_(reader),
          options_(options),
          name_(std::filesystem::path(options.input).filename().string()) {}

    // Fills the picture's data and titles; false after a message.
    bool read(PlotData& data, std::string& title, std::string& xTitle) {
        if (!reader_.open(options_.input)) return false;
        title = name_;
        return reader_.layout().kind == PlotFileKind::OverTime ? readColumns(data, xTitle)
                                                               : readRecord(data, title, xTitle);
    }

private:
    // The named columns over time, or the first one.
    bool readColumns(PlotData& data, std::string& xTitle) {
        if (options_.record) return refuse(kNoRecords);
        std::vector<std::size_t> columns;
        for (const std::string& name : options_.columns) {
            const std::optional<std::size_t> column = FindColumn(reader_.layout(), name);
            if (!column) return refuse(kNoSuchColumn, name);
            columns.push_back(*column);
        }
        if (columns.empty() && reader_.layout().columns.empty()) return refuse(kNoColumns);
        if (columns.empty()) columns.push_back(0);
        if (!reader_.readColumns(columns, data)) return false;
        xTitle = ctx_.catalogue.text(kTimeFrom) + (data.x.empty() ? "" : " " + DateTimeText(data.start));
        return true;
    }

    // The named channels of the record asked for, or all of them; the file is read up to that record only.
    bool readRecord(PlotData& data, std::string& title, std::string& xTitle) {
        const std::size_t number = options_.record.value_or(1);
        std::vector<WaveformRecord> records;
        if (!reader_.readRecords(records, number)) return false;
        if (records.size() < number) return refuse(kNoSuchRecord, std::to_string(number));
        if (!reader_.readRecord(records.back(), data)) return false;
        if (!options_.columns.empty()) {
            std::vector<PlotSeries> named;
            for (const std::string& name : options_.columns) {
                const auto channel = std::find_if(data.series.begin(), data.series.end(),
                                                  [&](const PlotSeries& series) { return series.name == name; });
                if (channel == data.series.end()) return refuse(kNoSuchColumn, name);
                named.push_back(*channel);
            }
            data.series = std::move(named);
        }
        std::string moment(records.back().dateTime.begin(), records.back().dateTime.end());
        std::replace(moment.begin(), moment.end(), ',', ' ');
        title += "   " + ctx_.catalogue.text(kRecordWord) + " " + std::to_string(number) + "   " + moment;
        xTitle = ctx_.catalogue.text(kSampleAxis);
        return true;
    }

    bool refuse(int textId, const std::string& after = {}) {
        ShowStopText(ctx_, name_ + ": " + ctx_.catalogue.text(textId) + (after.empty() ? "" : " " + after));
        return false;
    }

    AppContext& ctx_;
    PlotFileReader& reader_;
    const PlotOptions& options_;
    std::string name_;
};

}  // namespace

bool CommandDraws(const std::vector<std::string>& args) { return !args.empty() && args.front() == "plot"; }

int RunPlotCommand(const std::vector<std::string>& args, const Console& console) {
    const std::optional<PlotOptions> options = parse(args, console.err);
    if (!options) return kExitUsage;

    ConsoleReporter terminal(console.err, console.errorIsTerminal);
    SystemWallClock clock;
    AppContext ctx(terminal, clock);
    ctx.MsgTitle = ctx.catalogue.text(kCaption);
    ReadingProgress progress(terminal);
    const StopSignals stopSignals;
    PlotFileReader reader(ctx, progress);
    PlotData data;
    std::string title, xTitle;
    const bool read = PlotRun(ctx, reader, *options).read(data, title, xTitle);
    terminal.clear();
    if (!read) return kExitFailure;

    const OffscreenDrawing drawing;
    const PlotPicture picture{&data, WholeRange(data), QString::fromStdString(title), QString::fromStdString(xTitle)};
    std::string error;
    if (!WritePlotPicture(picture, {kPictureWidth, kPictureHeight}, *PictureFormatOf(options->output), options->output,
                          error)) {
        ReportSystemError(ctx, error);
        return kExitFailure;
    }
    console.out << options->output << std::endl;
    return kExitSuccess;
}

}  // namespace voltaro
