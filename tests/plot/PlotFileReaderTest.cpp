// The viewer's reading of data files: which files it takes and where their rows start, the
// columns and their units, the values of every row over time, and the records of waveforms.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "PlotFiles.h"
#include "app/LineInput.h"
#include "plot/DataRowText.h"
#include "plot/PlotFileReader.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/TemporaryFolder.h"
#include "support/UnblockingFifo.h"

namespace voltaro {
namespace {

using test::Rows;
using Texts = std::vector<std::string>;

struct PlotFileReading : ::testing::Test {
    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 5, 17, 9, 41, 12}};
    AppContext ctx{messages, clock};
    ProgressObserver observer;
    test::TemporaryFolder folder;
    PlotFileReader reader{ctx, observer};

    // The columns' values of the file `bytes`, read as DATA.CSV; fails the test when it cannot be read.
    PlotData columns(const std::string& bytes, const std::vector<std::size_t>& wanted) {
        PlotData data;
        EXPECT_TRUE(reader.open(folder.write("DATA.CSV", bytes)));
        EXPECT_TRUE(reader.readColumns(wanted, data));
        EXPECT_EQ(messages.texts(), Texts{});
        return data;
    }
};

// Values compared with NaN standing for "nothing to draw".
std::vector<std::string> shown(const std::vector<float>& values) {
    std::vector<std::string> texts;
    for (const float value : values) texts.push_back(std::isnan(value) ? "-" : std::to_string(value));
    return texts;
}
std::vector<std::string> shown(std::initializer_list<double> values) {
    std::vector<float> singles;
    for (const double value : values) singles.push_back(static_cast<float>(value));
    return shown(singles);
}
constexpr double kNone = NAN;

TEST_F(PlotFileReading, TakesTheConvertedAndTheMetersFilesFindingTheTitleRowAndTheUnits) {
    const std::string meterHeader =
        Rows({"MODEL,ZR915,T200", "VERSION,1.00", "ID,001", "LOAD,1", "WIRING,1P2W", "VAR_METHOD,ON", "FREQUENCY,50Hz",
              "SAMPLING,PLL", "SOURCE,U1", "INTERVAL,1sec", "U_RANGE,300V", "A_RANGE,200A,200A,100A,100A", "VT,1.00",
              "CT,1.00,1.00,1.00,1.00", "START,2024/03/15,08:00:00", "ITEMS,2"});
    const std::string dateRow = "2024/03/15,08:00:00,000000001,1.0,2.0";
    const std::string meterTitles = "DATE,TIME,No.,P(W)[1],Wh+(kWh)[1]\r\n";
    const struct {
        const char* label;
        std::string bytes;
        PlotFileKind kind;
        std::vector<std::string> titles, units;
        std::vector<std::size_t> fields;
        std::size_t headerBytes;  // before the first row
    } cases[] = {
        {"converted",
         test::InstFile({dateRow}),
         PlotFileKind::OverTime,
         {"U1_INST(V)", "I1_INST(A)_1", "PF_INST_1"},
         {"V", "A", ""},
         {3, 4, 5},
         test::kInstHeaderLines.size() + test::kInstTitles.size() + 2},
        {"the meter's",
         meterHeader + meterTitles + dateRow + "\r\n",
         PlotFileKind::OverTime,
         {"No.", "P(W)[1]", "Wh+(kWh)[1]"},
         {"", "W", "kWh"},
         {2, 3, 4},
         meterHeader.size() + meterTitles.size()},
        {"waveform",
         test::kWaveHeaderLines + test::WaveRow("U1_WAVE", "2004/01/01,00:00:00", 128, 0) + "\r\n",
         PlotFileKind::Waveform,
         {},
         {},
         {},
         test::kWaveHeaderLines.size()},
        {"waveform without records",
         test::kWaveHeaderLines,
         PlotFileKind::Waveform,
         {},
         {},
         {},
         test::kWaveHeaderLines.size()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(reader.open(folder.write("DATA.CSV", c.bytes)));
        const PlotFileLayout& layout = reader.layout();
        EXPECT_EQ(layout.kind, c.kind);
        EXPECT_EQ(layout.firstRow, c.headerBytes);
        std::vector<std::string> titles, units;
        std::vector<std::size_t> fields;
        for (const PlotColumn& column : layout.columns)
            titles.push_back(column.title), units.push_back(column.unit), fields.push_back(column.field);
        EXPECT_EQ(titles, c.titles);
        EXPECT_EQ(units, c.units);
        EXPECT_EQ(fields, c.fields);
    }
    EXPECT_EQ(messages.texts(), Texts{});
}

TEST_F(PlotFileReading, RefusesWhatIsNoDataFileAndAnythingButARegularFile) {
    const std::string notData = "It is not a data file the viewer can show.";
    std::string farTitle = "MODEL,ZR915,T351\r\n";
    for (int line = 0; line < 40; ++line) farTitle += "LINE,1\r\n";
    std::filesystem::create_directory(folder.path() / "FOLDER.CSV");
    const test::UnblockingFifo fifo(folder.path() / "FIFO.CSV");
    const struct {
        const char* name;
        std::string bytes;  // written unless empty
        std::string message;
    } cases[] = {
        {"EMPTY.CSV", "", "EMPTY.CSV: " + notData},
        {"OTHER.CSV", "MODEL,ZR915,T999\r\nDATE,TIME,X\r\n", "OTHER.CSV: " + notData},
        {"NOTITLE.CSV", test::kInstHeaderLines + "2004/01/01,00:00:00,X,1\r\n", "NOTITLE.CSV: " + notData},
        {"FAR.CSV", farTitle + "DATE,TIME,,U1_INST(V)\r\n", "FAR.CSV: " + notData},
        {"FOLDER.CSV", "", (folder.path() / "FOLDER.CSV").string() + ": Is a directory"},
        {"FIFO.CSV", "", fifo.path() + ": Not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.boxes.clear();
        const std::string path = (folder.path() / c.name).string();
        if (!c.bytes.empty() || std::string_view(c.name) == "EMPTY.CSV") folder.write(c.name, c.bytes);
        EXPECT_FALSE(reader.open(path));
        EXPECT_EQ(messages.texts(), Texts{c.message});
    }
}

TEST_F(PlotFileReading, ReadsTheChosenColumnsOverTimeWithNothingWhereARowHasNoNumber) {
    const PlotData data = columns(test::InstFile({
                                      "2004/01/01,23:59:58,ABCDEFGHI,1.000E+02,-2.500E-01,1.000E+00",
                                      "2004/01/01,23:59:59,ABCDEFGHI,OR,----,9.900E-01",
                                      "2004/01/02,00:00:00,ABCDEFGHI,1.010E+02",  // cut short
                                      "POWER OFF,2004/01/02,00:00:05,",
                                      "POWER ON,2004/01/02,00:01:00,",
                                      "2004/01/02,00:01:01,ABCDEFGHI, 1.020E+02 ,+2.0,1",
                                      "2004/01/02,00:01:02,STOP",
                                  }),
                                  {2, 0});
    EXPECT_EQ(data.axis, PlotAxis::Time);
    EXPECT_EQ(DateTimeText(data.start), "2004/01/01 23:59:58");
    EXPECT_EQ(data.x, (std::vector<double>{0, 1, 2, 7, 62, 63, 64}));
    ASSERT_EQ(data.series.size(), 2u);
    EXPECT_EQ(data.series[0].name, "PF_INST_1");
    EXPECT_EQ(data.series[1].name, "U1_INST(V)");
    EXPECT_EQ(data.series[1].unit, "V");
    EXPECT_EQ(shown(data.series[0].y), shown({1, 0.99, kNone, kNone, kNone, 1, kNone}));
    EXPECT_EQ(shown(data.series[1].y), shown({100, kNone, 101, kNone, kNone, 102, kNone}));
}

// The meter records up to fifty rows a second with the same time: they share the second evenly.
TEST_F(PlotFileReading, RowsOfOneSecondAreSpreadAcrossIt) {
    const PlotData data = columns(test::InstFile({
                                      "2004/01/01,00:00:00,A,1",
                                      "2004/01/01,00:00:00,A,2",
                                      "2004/01/01,00:00:01,A,3",
                                      "2004/01/01,00:00:01,A,4",
                                      "2004/01/01,00:00:01,A,5",
                                      "2004/01/01,00:00:01,A,6",
                                      "2004/01/01,00:00:03,A,7",
                                      "2004/01/01,00:00:03,A,8",
                                  }),
                                  {0});
    EXPECT_EQ(data.x, (std::vector<double>{0, 0.5, 1, 1.25, 1.5, 1.75, 3, 3.5}));
}

TEST_F(PlotFileReading, ALineOverTheBoundEndsTheReadingWithAMessage) {
    const std::string longLine = "2004/01/01,00:00:01,A," + std::string(LineInput::kLongestLine, '1');
    const std::string path = folder.write("LONG.CSV", test::InstFile({"2004/01/01,00:00:00,A,1", longLine}));
    ASSERT_TRUE(reader.open(path));
    PlotData data;
    EXPECT_FALSE(reader.readColumns({0}, data));
    EXPECT_EQ(messages.texts(), Texts{"LONG.CSV: A line is too long for a data file."});
    messages.boxes.clear();
    EXPECT_FALSE(reader.open(folder.write("LONGHEAD.CSV", "MODEL,ZR915,T351\r\n" + longLine)));
    EXPECT_EQ(messages.texts(), Texts{"LONGHEAD.CSV: A line is too long for a data file."});
}

// A record is the run of rows of one moment; a channel that comes again starts the next one.
TEST_F(PlotFileReading, WaveformRecordsAreTheChannelsOfOneMomentEachOverItsSamples) {
    const std::string t1 = "2004/01/01,00:00:00", t2 = "2004/01/01,00:00:07";
    const std::string path = folder.write(
        "WAVE.CSV",
        test::kWaveHeaderLines + Rows({test::WaveRow("U1_WAVE", t1, 128, 0, 1), test::WaveRow("I1_WAVE_1", t1, 128, 5),
                                       test::WaveRow("U1_WAVE", t1, 128, 2), test::WaveRow("U1_WAVE", t2, 128, 3),
                                       test::WaveRow("I1_WAVE_1", t2, 126, 4), test::WaveRow("DC1_WAVE", t2, 128, 6)}));
    ASSERT_TRUE(reader.open(path));
    std::vector<WaveformRecord> records;
    ASSERT_TRUE(reader.readRecords(records));
    std::vector<std::uint32_t> rows;
    std::vector<std::string> moments;
    for (const WaveformRecord& record : records)
        rows.push_back(record.rows), moments.emplace_back(record.dateTime.begin(), record.dateTime.end());
    EXPECT_EQ(rows, (std::vector<std::uint32_t>{2, 1, 3}));
    EXPECT_EQ(moments, (Texts{t1, t1, t2}));

    PlotData first, last;
    ASSERT_TRUE(reader.readRecord(records[0], first));
    ASSERT_TRUE(reader.readRecord(records[2], last));
    EXPECT_EQ(first.axis, PlotAxis::Sample);
    ASSERT_EQ(first.x.size(), 128u);
    EXPECT_EQ(first.x.back(), 127);
    ASSERT_EQ(first.series.size(), 2u);
    EXPECT_EQ(first.series[0].name, "U1_WAVE");
    EXPECT_EQ(first.series[0].y[127], 127);
    EXPECT_EQ(first.series[1].y[0], 5);
    Texts names, units;
    for (const PlotSeries& channel : last.series) names.push_back(channel.name), units.push_back(channel.unit);
    EXPECT_EQ(names, (Texts{"U1_WAVE", "I1_WAVE_1", "DC1_WAVE"}));
    EXPECT_EQ(units, (Texts{"V", "A", "V"}));
    // The row cut short has nothing at its end.
    EXPECT_EQ(shown({last.series[1].y[125], last.series[1].y[126], last.series[1].y[127]}), shown({4, kNone, kNone}));

    // Looking for the second record reads no further than it.
    ASSERT_TRUE(reader.readRecords(records, 2));
    EXPECT_EQ(records.size(), 2u);
    EXPECT_EQ(messages.texts(), Texts{});
}

// The reading test covers the texts the files hold; here what no file should, and the calendar.
TEST(DataRowText, NumbersPastASingleAndMomentsThatDoNotExist) {
    for (const char* field : {"1E+39", "inf", "nan", "+-1", "1.0x"})
        EXPECT_TRUE(std::isnan(ValueOfField(field))) << field;
    const struct {
        const char *date, *time, *text;  // text empty: no moment
    } moments[] = {
        {"2024/02/29", "23:59:59", "2024/02/29 23:59:59"}, {"1969/12/31", "12:00:00", "1969/12/31 12:00:00"},
        {"2023/02/29", "00:00:00", ""}, {"2004/04/31", "00:00:00", ""}, {"2004/13/01", "00:00:00", ""},
        {"2004/01/01", "24:00:00", ""}, {"2004/01/01", "00:60:00", ""}, {"2004/01/01", "0:00:00", ""},
    };
    for (const auto& c : moments) {
        const std::optional<std::int64_t> seconds = SecondsOfDateTime(c.date, c.time);
        EXPECT_EQ(seconds ? DateTimeText(*seconds) : "", c.text) << c.date << ' ' << c.time;
    }
    EXPECT_EQ(SecondsOfDateTime("1970/01/02", "00:00:01"), 86401);
}

}  // namespace
}  // namespace voltaro
