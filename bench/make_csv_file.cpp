// Writes a synthetic data CSV file of a requested size that the division accepts, as input for the
// division benchmark. Two shapes:
//
//   long  a converted instantaneous-value file ("T351", wiring 3P3W+1P3W, one load): the 14 setting
//         lines (the CT line ends in CR CR LF), the title row and rows of 30 columns. The rows are the
//         text the conversion makes of the records voltaro-bench-make-inst writes.
//   wide  a file as the meter writes it ("T200"): 16 header lines, the title row of COLUMNS columns
//         (default 2000) and rows of as many fields: date, time, record number, then the
//         installation's values, one record after the other. Now and then the power fails: a
//         "POWER OFF" and a "POWER ON" row. The last row is "date,time,STOP".
//
//   voltaro-bench-make-csv long|wide OUTPUT.CSV SIZE_MB [COLUMNS]
//
// SIZE_MB is in units of 2^20 bytes and may have a fraction; the file holds as many whole rows as
// fit. Lines end in CR LF. The content depends only on the arguments (fixed seeds).

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "bench/OutputFile.h"
#include "bench/SyntheticData.h"
#include "convert/DataFileFormat.h"
#include "convert/ValueText.h"

namespace {

using namespace voltaro::bench;

constexpr const char* kProgram = "voltaro-bench-make-csv";
constexpr std::string_view kLineEnd = "\r\n";
constexpr int kDecimals = 3;
constexpr std::size_t kRecordNumberDigits = 9;
constexpr std::size_t kMaxValueBytes = 1 + voltaro::kMaxValueText;  // comma and text
constexpr std::size_t kLongColumns = 3 + kValueCount;
constexpr std::size_t kDefaultWideColumns = 2000;
constexpr std::size_t kMinWideColumns = 4;       // date, time, record number and one value
constexpr std::size_t kMaxWideColumns = 10001;   // the most fields a divided row may have

// Settings of the file voltaro-bench-make-inst writes, as the conversion spells them.
constexpr std::string_view kLongHeader =
    "MODEL,ZR915,T351\r\n"
    "VERSION,1.00\r\n"
    "ID,001\r\n"
    "LOAD,1\r\n"
    "WIRING,3P3W+1P3W\r\n"
    "VAR_METHOD,ON\r\n"
    "FREQUENCY,50Hz\r\n"
    "SAMPLING,PLL\r\n"
    "SOURCE,U1\r\n"
    "INTERVAL,1WAVE\r\n"
    "U_RANGE,300V\r\n"
    "A_RANGE,200A,200A,100A,100A\r\n"
    "VT,1.00\r\n"
    "CT,1.00,1.00,1.00,1.00\r\r\n";

// Lines 1 to 16 of a meter file, the title row follows. `ITEMS` is completed with the value count.
constexpr std::string_view kWideHeader =
    "MODEL,ZR915,T200\r\n"
    "VERSION,1.00\r\n"
    "ID,001\r\n"
    "LOAD,1\r\n"
    "WIRING,3P3W+1P3W\r\n"
    "VAR_METHOD,ON\r\n"
    "FREQUENCY,50Hz\r\n"
    "SAMPLING,PLL\r\n"
    "SOURCE,U1\r\n"
    "INTERVAL,1sec\r\n"
    "U_RANGE,300V\r\n"
    "A_RANGE,200A,200A,100A,100A\r\n"
    "VT,1.00\r\n"
    "CT,1.00,1.00,1.00,1.00\r\n"
    "START,2024/03/15,08:00:00\r\n"
    "ITEMS,";

constexpr std::uint64_t kPowerFailureSeed = 0x0FF0'2024'0315ULL;
constexpr double kPowerFailuresPerRow = 1.0 / 2000.0;
constexpr int kLongestOutageSeconds = 600;

// The title row of the converted file: "DATE,TIME," and the 27 value titles after an empty one.
std::string instTitleRow() {
    constexpr std::uint8_t kWiring3P3W1P3W = 7;
    constexpr std::uint8_t kOneLoad = 1;
    return voltaro::InstTitleRow(kWiring3P3W1P3W, kOneLoad, true, false);
}

// Writes the installation's values one after the other, a new record every kValueCount values
// and with every row.
class ValueStream {
public:
    ValueStream() : installation_(kInstallationSeed) {}

    // Starts the next value with a new record, as every row does.
    void newRow() { next_ = kValueCount; }

    // Appends `count` values, each as a comma and its text; returns the end.
    unsigned char* put(unsigned char* out, std::size_t count) {
        char* text = reinterpret_cast<char*>(out);
        for (std::size_t i = 0; i < count; ++i) {
            if (next_ == kValueCount) {
                installation_.fill(values_);
                next_ = 0;
            }
            *text++ = ',';
            text = voltaro::WriteValueText(text, std::bit_cast<std::uint32_t>(values_[next_++]), kDecimals);
        }
        return reinterpret_cast<unsigned char*>(text);
    }

private:
    Installation installation_;
    Installation::Values values_{};
    std::size_t next_ = kValueCount;
};

unsigned char* putText(unsigned char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// "YYYY/MM/DD,hh:mm:ss,NNNNNNNNN"
unsigned char* putRowStart(unsigned char* out, const Clock& clock, std::uint64_t record) {
    putDateTime(out, clock);
    putDigits(out + kDateTimeBytes, static_cast<unsigned>(record % 1'000'000'000), kRecordNumberDigits);
    return out + kDateTimeBytes + kRecordNumberDigits;
}

// "POWER OFF,YYYY/MM/DD,hh:mm:ss," and the line end.
unsigned char* putEventRow(unsigned char* out, std::string_view word, const Clock& clock) {
    out = putText(out, word);
    putDateTime(out, clock);
    return putText(out + kDateTimeBytes, kLineEnd);
}

// Writes the row at `row` (ending at `end`) when it fits below `limit` bytes; false when not.
bool keepIfFits(OutputFile& out, const unsigned char* row, const unsigned char* end, std::uint64_t limit) {
    const auto bytes = static_cast<std::size_t>(end - row);
    if (out.written() + bytes > limit) return false;
    out.advance(bytes);
    return true;
}

std::uint64_t writeLong(OutputFile& out, std::uint64_t sizeBytes) {
    out.write(kLongHeader);
    out.write(instTitleRow());
    out.write(kLineEnd);
    constexpr std::size_t kMaxRow = kDateTimeBytes + kRecordNumberDigits + kValueCount * kMaxValueBytes + 2;
    ValueStream values;
    Clock clock;
    std::uint64_t rows = 0;
    for (;; ++rows) {
        if (rows > 0 && rows % kRecordsPerSecond == 0) clock.tick();
        unsigned char* row = out.room(kMaxRow);
        unsigned char* end = putText(values.put(putRowStart(row, clock, rows), kValueCount), kLineEnd);
        if (!keepIfFits(out, row, end, sizeBytes)) break;
    }
    return rows;
}

// Column titles of the wide file: the converted file's value titles, numbered by the record they
// belong to within the row ("U1_INST(V)_3P[1]").
std::string wideTitleRow(std::size_t columns) {
    const std::string inst = instTitleRow();
    std::vector<std::string_view> titles;
    std::string_view rest(inst);
    for (int skip = 0; skip < 3; ++skip) rest.remove_prefix(rest.find(',') + 1);
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        titles.push_back(rest.substr(0, comma));
        rest.remove_prefix(comma == std::string_view::npos ? rest.size() : comma + 1);
    }
    std::string row = "DATE,TIME,No.";
    for (std::size_t i = 0; i + 3 < columns; ++i) {
        row.append(",").append(titles[i % titles.size()]).append("[");
        row.append(std::to_string(i / titles.size() + 1)).append("]");
    }
    return row;
}

std::uint64_t writeWide(OutputFile& out, std::uint64_t sizeBytes, std::size_t columns) {
    out.write(kWideHeader);
    out.write(std::to_string(columns - 3));
    out.write(kLineEnd);
    out.write(wideTitleRow(columns));
    out.write(kLineEnd);

    constexpr std::size_t kStopRow = kDateTimeBytes + 4 + 2;
    constexpr std::size_t kEventRow = 9 + 1 + kDateTimeBytes + 2;  // "POWER OFF," date, time and comma
    const std::size_t maxRow = kDateTimeBytes + kRecordNumberDigits + (columns - 3) * kMaxValueBytes + 2;
    const std::uint64_t limit = sizeBytes > kStopRow ? sizeBytes - kStopRow : 0;
    ValueStream values;
    SplitMix64 power(kPowerFailureSeed);
    Clock clock;
    std::uint64_t rows = 0;
    for (;; ++rows) {
        if (rows > 0) clock.tick();
        if (power.unit() < kPowerFailuresPerRow) {
            unsigned char* row = out.room(2 * kEventRow);
            unsigned char* end = putEventRow(row, "POWER OFF,", clock);
            const int outage = 1 + static_cast<int>(power.unit() * kLongestOutageSeconds);
            for (int s = 0; s < outage; ++s) clock.tick();
            end = putEventRow(end, "POWER ON,", clock);
            if (!keepIfFits(out, row, end, limit)) break;
        }
        unsigned char* row = out.room(maxRow);
        values.newRow();
        unsigned char* end = putText(values.put(putRowStart(row, clock, rows), columns - 3), kLineEnd);
        if (!keepIfFits(out, row, end, limit)) break;
    }
    unsigned char* stop = out.room(kStopRow);
    putDateTime(stop, clock);
    putText(stop + kDateTimeBytes, "STOP\r\n");
    out.advance(kStopRow);
    return rows;
}

int usage() {
    std::fputs("usage: voltaro-bench-make-csv long|wide OUTPUT.CSV SIZE_MB [COLUMNS]\n"
               "       COLUMNS (wide only): columns of the title row, 4 to 10001, default 2000\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) return usage();
    const std::string_view shape = argv[1];
    if (shape != "long" && shape != "wide") return usage();
    const auto sizeBytes = parseSizeMb(kProgram, argv[3]);
    if (!sizeBytes) return usage();
    std::size_t columns = shape == "long" ? kLongColumns : kDefaultWideColumns;
    if (argc == 5) {
        char* end = nullptr;
        const unsigned long long wanted = std::strtoull(argv[4], &end, 10);
        if (shape != "wide" || end == argv[4] || *end != '\0' || wanted < kMinWideColumns || wanted > kMaxWideColumns) {
            std::fprintf(stderr, "%s: COLUMNS is for the wide shape, 4 to 10001, not '%s'\n", kProgram, argv[4]);
            return usage();
        }
        columns = static_cast<std::size_t>(wanted);
    }

    OutputFile out(kProgram, argv[2]);
    if (!out.open()) return 1;
    const std::uint64_t rows = shape == "long" ? writeLong(out, *sizeBytes) : writeWide(out, *sizeBytes, columns);
    const std::uint64_t bytes = out.written();
    if (!out.close()) return 1;
    std::printf("%s: %s, %llu data rows of %zu columns, %llu bytes\n", argv[2], argv[1],
                static_cast<unsigned long long>(rows), columns, static_cast<unsigned long long>(bytes));
    return 0;
}
