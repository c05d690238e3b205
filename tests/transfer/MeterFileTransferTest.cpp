// The meter's directory: its replies read into the list and the whole read; then a transfer
// run: what reaches the copy folder and the workbook, what the user is asked, and what is left
// behind when a run stops. All against the simulated meter.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "sim/SimulatedMeterLink.h"
#include "support/TemporaryFolder.h"
#include "support/WorkbookReader.h"
#include "transfer/MeterDirectory.h"
#include "transfer/MeterFileTransfer.h"
#include "transfer/SpreadsheetExport.h"

namespace voltaro {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Names = std::vector<std::string>;

std::string binaryBytes(std::size_t size) {
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>(i * 31 + i / 251);
    return bytes;
}

const std::string kCsv = "MODEL,ZR915,T200\r\n2026/12/06,10:00:00,\"1.5\",2\r\n";
const std::string kSet = "MODEL,ZR915\r\nID,001\r\n";

// A meter with a binary, a text, a setting file and a screen image on its card, the copy folder and the
// application folder. The text file is listed padded to 12 characters, as the directory gives it.
struct TransferRun {
    explicit TransferRun(sim::MeterFaults faults = {}) : line(std::move(faults), {card.path(), {}}) {
        for (const auto& [name, bytes] : {std::pair{"DATA0001.BIN", binary}, {"MEAS01.CSV", kCsv},
                                          {"SETUP001.SET", kSet}, {"SCREEN01.BMP", image}})
            card.write(name, bytes);
        line.ctx.AppPath = app.path().string() + "/";
    }

    std::int16_t run(const std::vector<MeterFileEntry>& selected, bool copy = true,
                     SpreadsheetWorkbook* workbook = nullptr) {
        return TransStart(line.link, MeterMedium::Card, selected,
                          TransferTargets(copy, copies.path().string(), workbook), quiet);
    }

    const std::string binary = binaryBytes(5000);
    const std::string image = "BM\n\x03" + binaryBytes(300);  // a line end and an end mark inside
    std::vector<MeterFileEntry> all{{"DATA0001.BIN", "INST", "5000"},
                                    {"MEAS01.CSV  ", "MEAS", std::to_string(kCsv.size())},
                                    {"SETUP001.SET", "SET", std::to_string(kSet.size())},
                                    {"SCREEN01.BMP", "BMP", std::to_string(image.size())}};
    test::TemporaryFolder card, copies, app;
    test::SimulatedMeterLink line;
    ProgressObserver quiet;
};

// The replies come in 7-byte pieces 2 s apart, so lines and the counted block are split
// across reads.
TEST(TransferRun, CopiesEverySelectedFileByteForByteAndLeavesNoTemporaryFile) {
    TransferRun run(test::Faults([](sim::MeterFaults& f) { f.splitBytes = 7, f.splitGap = 2s; }));
    ASSERT_EQ(run.run(run.all), 0);
    EXPECT_EQ(run.copies.names(), (Names{"DATA0001.BIN", "MEAS01.CSV", "SCREEN01.BMP", "SETUP001.SET"}));
    for (const std::string& name : run.copies.names())
        EXPECT_EQ(test::FileBytes(run.copies.path() / name), test::FileBytes(run.card.path() / name)) << name;
    EXPECT_TRUE(run.app.names().empty());
    EXPECT_TRUE(run.line.messages.boxes.empty());
    EXPECT_FALSE(run.line.port.isOpen());
}

// A missing copy folder is reported before the meter is asked; a run with copying off and
// no workbook writes nothing and says nothing.
TEST(TransferRun, RunsWithNowhereToWriteWriteNothing) {
    TransferRun run;
    const fs::path missing = run.copies.path() / "gone";
    EXPECT_EQ(TransStart(run.line.link, MeterMedium::Card, run.all, TransferTargets(true, missing.string(), nullptr),
                         run.quiet), -1);
    EXPECT_EQ(run.line.messages.texts(), Names{missing.string() + "/: No such file or directory"});
    EXPECT_TRUE(run.line.port.settings().device.empty()) << "the line was opened";
    run.line.messages.boxes.clear();
    EXPECT_EQ(run.run(run.all, false), 0);
    EXPECT_TRUE(run.copies.names().empty());
    EXPECT_TRUE(run.line.messages.boxes.empty());
}

TEST(TransferRun, TextFilesReachTheWorkbookWithoutACopyAndBinaryFilesNever) {
    TransferRun run;
    const std::string book = (run.app.path() / "book.xlsx").string();
    {
        SpreadsheetWorkbook workbook(run.line.ctx, book);
        ASSERT_EQ(run.run(run.all, false, &workbook), 0);
        // Not closed: the workbook is written as it goes out of scope, as after a run that stopped.
    }
    EXPECT_TRUE(run.copies.names().empty());
    EXPECT_EQ(test::SheetNames(test::ReadWorkbookPart(book, "xl/workbook.xml").value()),
              (Names{"MEAS01.CSV", "SETUP001.SET"}));
    EXPECT_EQ(test::SheetCells(test::ReadWorkbookPart(book, "xl/worksheets/sheet1.xml").value()),
              (Names{"A1 MODEL", "B1 ZR915", "C1 T200", "A2 2026/12/06", "B2 10:00:00", "C2 #1.5", "D2 #2"}));
    EXPECT_EQ(run.app.names(), Names{"book.xlsx"});
    EXPECT_TRUE(run.line.messages.boxes.empty());
}

TEST(TransferRun, TheReplaceQuestionDecidesForEachFileAndCancelEndsTheRun) {
    const struct {
        std::vector<Answer> answers;
        std::int16_t status;
        bool replaced;
        bool csvCopied;
    } cases[] = {{{Answer::Yes}, 0, true, true}, {{Answer::No}, 0, false, true}, {{Answer::Cancel}, -1, false, false}};
    for (const auto& c : cases) {
        TransferRun run;
        run.copies.write("DATA0001.BIN", "old");
        run.line.messages.threeWayAnswers = c.answers;
        EXPECT_EQ(run.run({run.all[0], run.all[1]}), c.status);
        ASSERT_EQ(run.line.messages.questions.size(), 1u);
        EXPECT_EQ(run.line.messages.questions[0].text, "DATA0001.BIN already exists.\nDo you want to replace it?");
        EXPECT_EQ(test::FileBytes(run.copies.path() / "DATA0001.BIN"), c.replaced ? run.binary : "old");
        EXPECT_EQ(fs::exists(run.copies.path() / "MEAS01.CSV"), c.csvCopied);
        EXPECT_TRUE(run.line.messages.boxes.empty());
    }
}

TEST(TransferRun, AMeterThatStopsHalfwayLeavesTheOldCopyAndNoPartialFile) {
    TransferRun run(test::Faults([](sim::MeterFaults& f) { f.stopTransferAfter = 1000; }));
    run.copies.write("DATA0001.BIN", "old");
    EXPECT_EQ(run.run(run.all), -1);
    EXPECT_EQ(run.line.messages.texts(), Names{"Communication failed."});
    EXPECT_EQ(run.copies.names(), Names{"DATA0001.BIN"});
    EXPECT_EQ(test::FileBytes(run.copies.path() / "DATA0001.BIN"), "old");
    EXPECT_TRUE(run.app.names().empty());
}

TEST(TransferRun, AMeterNameThatWouldLeaveTheFolderIsRefusedBeforeAnythingIsFetched) {
    for (const std::string name : {"../EVIL.CSV", "SUB/EVIL.CSV", "EVIL\\X.CSV", "EV\x01L.CSV", "  "}) {
        TransferRun run;
        EXPECT_EQ(run.run({{name, "MEAS", "10"}, run.all[1]}), -1) << name;
        ASSERT_EQ(run.line.messages.boxes.size(), 1u) << name;
        const std::string& shown = run.line.messages.boxes[0].text;
        EXPECT_NE(shown.find("Invalid filename."), std::string::npos) << shown;
        EXPECT_EQ(shown.find('\x01'), std::string::npos) << "control characters are not shown";
        EXPECT_TRUE(run.line.port.settings().device.empty()) << "the line was opened for " << name;
    }
    EXPECT_TRUE(IsSafeMeterFileName("A.B C"));  // a blank is no separator
}

// At 38400 bit/s the line itself takes size x 10 / 38400 seconds; the transfer may add
// the exchange around the file but must not wait on the data.
TEST(TransferRun, ALargeBinaryFileArrivesAtTheLineRate) {
    TransferRun run(test::Faults([](sim::MeterFaults& f) { f.baud = 38400; }));
    const std::size_t size = 256 * 1024;
    run.card.write("LARGE001.BIN", binaryBytes(size));
    run.line.ctx.CurrentSetting.Pc.CommPort.PcBaud = 5;  // 38400 in the list of rates
    const auto started = run.line.clock.now();
    ASSERT_EQ(run.run({{"LARGE001.BIN", "INST", std::to_string(size)}}), 0);
    const double taken = std::chrono::duration<double>(run.line.clock.now() - started).count();
    const double lineTime = static_cast<double>(size + 2) * 10 / 38400;
    EXPECT_LE(taken, lineTime * 1.05) << "line time " << lineTime << " s";
    EXPECT_EQ(test::FileBytes(run.copies.path() / "LARGE001.BIN"), binaryBytes(size));
}

using Listed = std::tuple<std::string, std::string, std::string, float>;  // name, kind, size text, size

std::vector<Listed> listed(const MeterFileList& list) {
    std::vector<Listed> out;
    for (const MeterFileEntry& e : list.entries) out.push_back({e.name, e.kind, e.sizeText, e.size});
    return out;
}

// Blanks around fields and a trailing comma are dropped, a name without a size is left out,
// names are cut or padded to 12 characters.
TEST(MeterDirectory, RepliesBecomeTwelveCharacterNamesWithTheKindsExtension) {
    const struct {
        const char* kind;
        const char* reply;
        std::vector<Listed> entries;
    } cases[] = {
        {"MEAS", " DATA0001 , 1024 , DATA0002 ,2048 ,",
         {{"DATA0001.CSV", "MEAS", "1024", 1024}, {"DATA0002.CSV", "MEAS", "2048", 2048}}},
        {"INST", "A,1,LONGNAME01,123456789,ORPHAN", {{"A.BIN       ", "INST", "1", 1},
                                                    {"LONGNAME01.B", "INST", "123456789", 123456789.0f}}},
        {"XYZ", "PLAIN,x", {{"PLAIN       ", "XYZ", "x", 0}}},  // no extension; a size that is no number
    };
    for (const auto& c : cases) {
        MeterFileList list;
        SetZrFileNameList(list, c.kind, c.reply);
        EXPECT_EQ(listed(list), c.entries) << c.reply;
    }
}

// Every kind in one list sorted by name (the meter lists each kind in order, measurement
// files first); the memory is not asked for setting files and needs no card.
TEST(MeterDirectory, TheDirectoryListsEveryKindSortedByName) {
    test::TemporaryFolder card, memory;
    for (const auto& [folder, name, bytes] : {std::tuple{&card, "B0002.BIN", 10}, {&card, "A0001.BIN", 20},
                                              {&card, "SETUP1.SET", 5}, {&card, "Z1.CSV", 7}, {&memory, "M1.CSV", 7},
                                              {&memory, "OLD.SET", 3}})
        folder->write(name, std::string(static_cast<std::size_t>(bytes), 'x'));
    const sim::MeterFolders folders{card.path(), memory.path()};
    const auto namesAndSizes = [](const MeterFileList& list) {
        Names names;
        for (const auto& entry : list.entries) names.push_back(entry.name + "=" + entry.sizeText);
        return names;
    };

    test::SimulatedMeterLink line({}, folders);
    MeterFileList list;
    ASSERT_EQ(GetZrFileName(line.link, MeterMedium::Card, list), 0);
    EXPECT_EQ(namesAndSizes(list), (Names{"A0001.BIN   =20", "B0002.BIN   =10", "SETUP1.SET  =5", "Z1.CSV      =7"}));
    ASSERT_EQ(GetZrFileName(line.link, MeterMedium::Memory, list), 0);
    EXPECT_EQ(namesAndSizes(list), Names{"M1.CSV      =7"});

    test::SimulatedMeterLink noCard(test::Faults([](sim::MeterFaults& f) { f.cardNotReady = true; }), folders);
    EXPECT_EQ(GetZrFileName(noCard.link, MeterMedium::Card, list), -1);
    EXPECT_EQ(noCard.messages.texts(), Names{"Pc card not ready."});
    EXPECT_EQ(GetZrFileName(noCard.link, MeterMedium::Memory, list), 0);
}

}  // namespace
}  // namespace voltaro
