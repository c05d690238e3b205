#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/AppContext.h"
#include "app/LineInput.h"
#include "app/ProgressObserver.h"
#include "plot/PlotData.h"

namespace voltaro {

// Reads what the viewer draws from a data file, row by row through LineInput: bounded lines,
// regular files only, nothing of the file held but the values asked for. Each failure is
// reported once through the context's messages, after the file's name; routines that can
// fail return false. A request to stop (the observer) ends a read without a message.
class PlotFileReader {
public:
    PlotFileReader(AppContext& ctx, ProgressObserver& observer) : ctx_(ctx), observer_(observer) {}

    // Reads the header lines of `path` up to its first row; false when the file is none the
    // viewer can show.
    bool open(const std::string& path);
    const PlotFileLayout& layout() const { return layout_; }
    const std::string& path() const { return path_; }

    // Over time: the values of the given columns (positions in layout().columns) in every row,
    // over the rows' moments. Rows that share a second are spread evenly across it, as the
    // meter records several a second; a power failure's rows break the lines.
    bool readColumns(const std::vector<std::size_t>& columns, PlotData& data);

    // Waveform: the records, at most `most` of them, each the run of rows of one moment in
    // which no channel comes twice.
    bool readRecords(std::vector<WaveformRecord>& records, std::size_t most = SIZE_MAX);
    // Waveform: every channel of `record` over its samples.
    bool readRecord(const WaveformRecord& record, PlotData& data);

    // True when the last read ended because the user asked to stop.
    bool stopped() const { return stopped_; }

private:
    bool openInput(LineInput& input);
    // Tells the observer how far the reading is, now and then; false once the user asked to stop.
    bool keepGoing(const LineInput& input);
    // Reports why `input` stopped before the end, when it did; true when it did not.
    bool endedWell(const LineInput& input);
    void report(int textId);

    AppContext& ctx_;
    ProgressObserver& observer_;
    std::string path_;
    std::string name_;  // the file's name, which messages start with
    PlotFileLayout layout_;
    std::uint64_t lastProgress_ = 0;
    bool stopped_ = false;
};

// The position in layout.columns of the column titled `title` (exactly), if there is one.
std::optional<std::size_t> FindColumn(const PlotFileLayout& layout, std::string_view title);

// The unit of a waveform channel, by the quantity its name starts with ("U1_WAVE" is in V).
std::string_view UnitOfChannel(std::string_view name);

}  // namespace voltaro
