#include "plot/PlotFileReader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <limits>

#include "app/ErrorReporting.h"
#include "plot/DataRowText.h"

namespace voltaro {

namespace {

constexpr int kNotDataFileText = 3520;
constexpr int kLineTooLongText = 3521;
constexpr int kUnreadableText = 3522;

constexpr std::string_view kModelName = "ZR915";
constexpr std::array<std::string_view, 6> kOverTimeTypes{"T350", "T351", "T200", "T201", "T400", "T401"};
constexpr std::string_view kWaveformType = "T550";

// The meter's files have at most 17 header lines; a file without its first row by far later is
// no data file, and must not be read to its end to find that out.
constexpr int kMostHeaderLines = 40;
constexpr std::uint64_t kProgressStepBytes = 4 << 20;
// A waveform row: its channel, date and time, then the samples of one wave.
constexpr std::size_t kWaveLeadFields = 3;
constexpr std::size_t kMostSamples = 128;
// More channels than any wiring records at one moment start a new record.
constexpr std::uint32_t kMostChannels = 64;

constexpr float kNothing = std::numeric_limits<float>::quiet_NaN();

struct ChannelUnit {
    std::string_view prefix;
    std::string_view unit;
};
constexpr ChannelUnit kChannelUnits[] = {{"DC", "V"}, {"U", "V"}, {"I", "A"}};

// The type named by a data file's first line ("MODEL,ZR915,T351"), empty for anything else.
std::string_view typeOfFirstLine(std::string_view line) {
    std::array<std::string_view, 3> fields;
    if (SplitFields(line, fields.data(), fields.size()) < 3 || fields[0] != "MODEL" || fields[1] != kModelName)
        return {};
    const std::string_view type = fields[2].substr(0, 4);
    if (type == kWaveformType || std::find(kOverTimeTypes.begin(), kOverTimeTypes.end(), type) != kOverTimeTypes.end())
        return type;
    return {};
}

bool isWaveformRow(std::string_view line, std::array<std::string_view, kWaveLeadFields>& lead) {
    return SplitFields(line, lead.data(), lead.size()) == kWaveLeadFields && LooksLikeDate(lead[1]) &&
           lead[2].size() == 8;
}

// Spreads the rows from `first` to the end of `x`, which share one second, evenly across it.
void spreadAcrossSecond(std::vector<double>& x, std::size_t first) {
    const std::size_t count = x.size() - first;
    for (std::size_t k = 1; k < count; ++k) x[first + k] += static_cast<double>(k) / static_cast<double>(count);
}

}  // namespace

bool PlotFileReader::open(const std::string& path) {
    path_ = path;
    name_ = std::filesystem::path(path).filename().string();
    layout_ = {};
    LineInput input;
    if (!openInput(input)) return false;
    std::string line;
    if (input.next(line)) layout_.type = typeOfFirstLine(line);
    if (layout_.type.empty()) {
        if (endedWell(input)) report(kNotDataFileText);
        return false;
    }
    layout_.kind = layout_.type == kWaveformType ? PlotFileKind::Waveform : PlotFileKind::OverTime;
    for (int header = 1; header < kMostHeaderLines; ++header) {
        const std::uint64_t lineStart = input.position();
        if (!input.next(line)) break;
        if (layout_.kind == PlotFileKind::Waveform) {
            std::array<std::string_view, kWaveLeadFields> lead;
            if (!isWaveformRow(line, lead)) continue;
            layout_.firstRow = lineStart;
            return true;
        }
        if (!line.starts_with("DATE,")) continue;
        layout_.firstRow = input.position();
        std::string_view rest(line);
        // DATE and TIME are the moment; every titled column after them can be drawn.
        for (std::size_t field = 0;; ++field) {
            const std::size_t comma = rest.find(',');
            const std::string_view title = rest.substr(0, comma);
            if (field >= 2 && !title.empty())
                layout_.columns.push_back({std::string(title), std::string(UnitOfTitle(title)), field});
            if (comma == std::string_view::npos) break;
            rest.remove_prefix(comma + 1);
        }
        return true;
    }
    // A waveform file may end with its header, before any record.
    if (layout_.kind == PlotFileKind::Waveform && !input.failed() && input.atEnd()) {
        layout_.firstRow = input.position();
        return true;
    }
    if (!endedWell(input)) return false;
    report(kNotDataFileText);
    return false;
}

bool PlotFileReader::readColumns(const std::vector<std::size_t>& columns, PlotData& data) {
    data = {};
    data.axis = PlotAxis::Time;
    std::size_t fieldsNeeded = 3;  // the date and the time, a field later in a power failure's row
    for (const std::size_t column : columns) {
        const PlotColumn& wanted = layout_.columns.at(column);
        data.series.push_back({wanted.title, wanted.unit, {}});
        fieldsNeeded = std::max(fieldsNeeded, wanted.field + 1);
    }
    LineInput input;
    if (!openInput(input)) return false;
    input.seek(layout_.firstRow);
    std::vector<std::string_view> fields(fieldsNeeded);
    std::string line;
    std::size_t secondStarts = 0;  // the first row of the second at hand
    while (input.next(line)) {
        if (!keepGoing(input)) return false;
        const std::size_t count = SplitFields(line, fields.data(), fields.size());
        // A data row starts with its date; a power failure's row with its word and then the date.
        const std::size_t dateAt = LooksLikeDate(fields[0]) ? 0 : 1;
        if (dateAt + 1 >= count) continue;
        const std::optional<std::int64_t> seconds = SecondsOfDateTime(fields[dateAt], fields[dateAt + 1]);
        if (!seconds) continue;
        if (data.x.empty()) data.start = *seconds;
        const auto x = static_cast<double>(*seconds - data.start);
        if (!data.x.empty() && x != data.x[secondStarts]) {
            spreadAcrossSecond(data.x, secondStarts);
            secondStarts = data.x.size();
        }
        data.x.push_back(x);
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const std::size_t field = layout_.columns[columns[k]].field;
            data.series[k].y.push_back(dateAt == 0 && field < count ? ValueOfField(fields[field]) : kNothing);
        }
    }
    if (!data.x.empty()) spreadAcrossSecond(data.x, secondStarts);
    return endedWell(input);
}

bool PlotFileReader::readRecords(std::vector<WaveformRecord>& records, std::size_t most) {
    records.clear();
    LineInput input;
    if (!openInput(input)) return false;
    input.seek(layout_.firstRow);
    std::vector<std::string> channels;  // of the record at hand
    std::string line;
    for (std::uint64_t rowStart = input.position(); input.next(line); rowStart = input.position()) {
        if (!keepGoing(input)) return false;
        std::array<std::string_view, kWaveLeadFields> lead;
        if (!isWaveformRow(line, lead)) continue;
        WaveformRecord row{rowStart, 1, {}};
        std::copy(lead[1].begin(), lead[1].end(), row.dateTime.begin());
        row.dateTime[10] = ',';
        std::copy(lead[2].begin(), lead[2].end(), row.dateTime.begin() + 11);
        const bool sameRecord = !records.empty() && records.back().dateTime == row.dateTime &&
                                records.back().rows < kMostChannels &&
                                std::find(channels.begin(), channels.end(), lead[0]) == channels.end();
        if (sameRecord) {
            ++records.back().rows;
        } else {
            if (records.size() == most) return true;
            records.push_back(row);
            channels.clear();
        }
        channels.emplace_back(lead[0]);
    }
    return endedWell(input);
}

bool PlotFileReader::readRecord(const WaveformRecord& record, PlotData& data) {
    data = {};
    data.axis = PlotAxis::Sample;
    LineInput input;
    if (!openInput(input)) return false;
    input.seek(record.offset);
    std::array<std::string_view, kWaveLeadFields + kMostSamples> fields;
    std::string line;
    std::size_t samples = 0;
    while (data.series.size() < record.rows && input.next(line)) {
        const std::size_t count = SplitFields(line, fields.data(), fields.size());
        if (count < kWaveLeadFields) continue;
        PlotSeries channel{std::string(fields[0]), std::string(UnitOfChannel(fields[0])), {}};
        for (std::size_t k = kWaveLeadFields; k < count; ++k) channel.y.push_back(ValueOfField(fields[k]));
        samples = std::max(samples, channel.y.size());
        data.series.push_back(std::move(channel));
    }
    // A row cut short has no samples at its end.
    for (PlotSeries& channel : data.series) channel.y.resize(samples, kNothing);
    for (std::size_t k = 0; k < samples; ++k) data.x.push_back(static_cast<double>(k));
    return endedWell(input);
}

bool PlotFileReader::openInput(LineInput& input) {
    stopped_ = false;
    lastProgress_ = 0;
    std::string error;
    if (input.open(path_, error)) return true;
    ReportSystemError(ctx_, error);
    return false;
}

bool PlotFileReader::keepGoing(const LineInput& input) {
    if (input.position() - lastProgress_ < kProgressStepBytes) return true;
    lastProgress_ = input.position();
    observer_.progress(name_, input.position(), input.size());
    stopped_ = observer_.stopRequested();
    return !stopped_;
}

bool PlotFileReader::endedWell(const LineInput& input) {
    if (!input.failed()) return true;
    report(input.lineTooLong() ? kLineTooLongText : kUnreadableText);
    return false;
}

void PlotFileReader::report(int textId) { ShowStopText(ctx_, name_ + ": " + ctx_.catalogue.text(textId)); }

std::optional<std::size_t> FindColumn(const PlotFileLayout& layout, std::string_view title) {
    for (std::size_t k = 0; k < layout.columns.size(); ++k)
        if (layout.columns[k].title == title) return k;
    return std::nullopt;
}

std::string_view UnitOfChannel(std::string_view name) {
    for (const ChannelUnit& quantity : kChannelUnits)
        if (name.starts_with(quantity.prefix)) return quantity.unit;
    return {};
}

}  // namespace voltaro
