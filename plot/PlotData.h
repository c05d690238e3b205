#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace voltaro {

// What the viewer draws from a comma-separated data file. Two shapes:
//   over time  the conversion's instantaneous files ("T350", "T351") and the meter's own files
//              ("T200", "T201", "T400", "T401"): header lines, a title row starting "DATE,TIME,"
//              and one row per moment; any titled column after the time can be drawn over time.
//   waveform   the conversion's waveform files ("T550"): header lines, then one row per channel,
//              "NAME,DATE,TIME," and its 128 samples, no title row; the channels taken at one
//              moment form a record, drawn over its samples.
enum class PlotFileKind { OverTime, Waveform };

struct PlotColumn {
    std::string title;  // as the title row spells it: "I1_INST(A)_1"
    std::string unit;   // between the title's parentheses ("A"), empty for a title without
    std::size_t field;  // its position in a row
};

struct PlotFileLayout {
    PlotFileKind kind = PlotFileKind::OverTime;
    std::string type;                 // "T351"
    std::uint64_t firstRow = 0;       // where the first row after the header lines starts
    std::vector<PlotColumn> columns;  // over time: the columns that can be drawn
};

// One record of a waveform file: where its first row starts, how many rows (channels) it has,
// and its moment as the rows spell it ("2004/01/01,00:00:00").
struct WaveformRecord {
    std::uint64_t offset = 0;
    std::uint32_t rows = 0;
    std::array<char, 19> dateTime{};
};

struct PlotSeries {
    std::string name;
    std::string unit;
    // One value per point; NaN where the row has no number there ("OR", "----", a short row,
    // a power failure): the line breaks.
    std::vector<float> y;
};

enum class PlotAxis {
    Time,    // x counts seconds from `start`
    Sample,  // x is the sample's number in its record, from 0
};

struct PlotData {
    PlotAxis axis = PlotAxis::Time;
    std::int64_t start = 0;  // Time: the first row's moment, in seconds from 1970-01-01 (no time zone)
    std::vector<double> x;
    std::vector<PlotSeries> series;
};

}  // namespace voltaro
