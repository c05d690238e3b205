// A transfer run: what reaches the copy folder and the workbook and what the user is asked; then
// the meter's directory. All against the simulated meter.
#include <gtest/gtest.h>

#include <chrono>

#include <filesystem>
#include <tuple>
#include <vector>

#include "sim/SimulatedMeterLink.h"
#include "support/ScriptedLink.h"
#include "support/TemporaryFolder.h"
#include "support/WorkbookReader.h"
#include "transfer/MeterDirectory.h"
#include "transfer/MeterFileCopy.h"
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
        return run(selected, quiet, copy, workbook);
    }
    std::int16_t run(const std::vector<MeterFileEntry>& selected, ProgressObserver& progress, bool copy = true,
                     SpreadsheetWorkbook* workbook = nullptr) {
        return TransStart(line.link, MeterMedium::Card, selected,
                          TransferTargets(copy, copies.path().string(), workbook), progress);
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

TEST(TransferRun, TextFilesReachTheWorkbookWithoutACopyAndBinaryFilesNever) {
    TransferRun run;
    const std::string book = (run.app.path() / "book.xlsx").string();
    {
        SpreadsheetWorkbook workbook(run.line.ctx, book);
        ASSERT_EQ(run.run(run.all, false, &workbook), 0);
        // Not closed: the workbook is written as it goes out of scope, as after a run that stopped.
    }
    EXPECT_EQ(test::SheetNames(test::ReadWorkbookPart(book, "xl/workbook.xml").value()),
              (Names{"MEAS01.CSV", "SETUP001.SET"}));
    EXPECT_EQ(test::SheetCells(test::ReadWorkbookPart(book, "xl/worksheets/sheet1.xml").value()),
              (Names{"A1 MODEL", "B1 ZR915", "C1 T200", "A2 2026/12/06", "B2 10:00:00", "C2 #1.5", "D2 #2"}));
}

// Yes replaces the earlier copy, No keeps it and goes on with the next file, Cancel ends the run.
TEST(TransferRun, TheReplaceQuestionDecidesForEachFileAndCancelEndsTheRun) {
    const struct {
        Answer answer;
        std::int16_t status;
        bool replaced;
        bool csvCopied;
    } cases[] = {{Answer::Yes, 0, true, true}, {Answer::No, 0, false, true}, {Answer::Cancel, -1, false, false}};
    for (const auto& c : cases) {
        TransferRun run;
        run.copies.write("DATA0001.BIN", "old");
        run.line.messages.threeWayAnswers = {c.answer};
        EXPECT_EQ(run.run({run.all[0], run.all[1]}), c.status);
        EXPECT_EQ(run.line.messages.questions.size(), 1u);
        EXPECT_EQ(test::FileBytes(run.copies.path() / "DATA0001.BIN"), c.replaced ? run.binary : "old");
        EXPECT_EQ(fs::exists(run.copies.path() / "MEAS01.CSV"), c.csvCopied);
    }
}

// A meter that stops in the middle of a file, or a user who stops the run there: the files
// copied before stay, the copy from an earlier run stays whole and no temporary file is left
// behind, nor one that a killed run left.
TEST(TransferRun, AStopInTheMiddleOfAFileLeavesTheOldCopyAndNoPartialFile) {
    struct StopAtTheBinaryFile final : ProgressObserver {
        std::string at;
        void progress(const std::string& name, std::uint64_t, std::uint64_t) override { at = name; }
        bool stopRequested() const override { return at == "DATA0001.BIN"; }
    };
    for (const bool byTheUser : {false, true}) {
        TransferRun run(test::Faults([&](sim::MeterFaults& f) { if (!byTheUser) f.stopTransferAfter = 1000; }));
        run.copies.write("DATA0001.BIN", "old");
        fs::last_write_time(run.app.write("~data000.tmp.Ab3dE9", "killed"),
                            fs::file_time_type::clock::now() - std::chrono::hours(1));
        StopAtTheBinaryFile user;
        EXPECT_EQ(run.run({run.all[1], run.all[0], run.all[2]}, byTheUser ? user : run.quiet), -1);
        EXPECT_EQ(run.line.messages.texts(),
                  Names{byTheUser ? "Data transfer was cancelled." : "Communication failed."});
        EXPECT_EQ(run.copies.names(), (Names{"DATA0001.BIN", "MEAS01.CSV"}));
        EXPECT_EQ(test::FileBytes(run.copies.path() / "DATA0001.BIN"), "old");
        EXPECT_TRUE(run.app.names().empty());
    }
}

// The directory's size is the block's length: a size that is no plain count of bytes is refused
// before the file is asked for, and a block whose end mark is not right after that many bytes
// (a size that understates the file, 0 included) is a failure, not a cut copy.
TEST(TransferRun, ASizeThatIsNoCountOrDoesNotEndTheBlockFailsTheCopy) {
    const std::string sizes[] = {"abc", "-5",   "1e30", "inf", "nan", "12.5", "18446744073709551616",
                                 std::string(5000, '9')};
    for (const std::string& size : sizes) {
        TransferRun run;
        EXPECT_EQ(run.run({{"DATA0001.BIN", "INST", size}}), -1) << size.substr(0, 30);
        EXPECT_EQ(run.line.messages.texts(), Names{"Communication failed."});
        EXPECT_TRUE(run.line.port.settings().device.empty()) << "the file was asked for";
    }
    for (const char* size : {"0", "4999"}) {
        TransferRun run;
        run.copies.write("DATA0001.BIN", "old");
        EXPECT_EQ(run.run({{"DATA0001.BIN", "INST", size}}), -1) << size;
        EXPECT_EQ(run.line.messages.texts(), Names{"Communication failed."});
        EXPECT_EQ(test::FileBytes(run.copies.path() / "DATA0001.BIN"), "old");
        EXPECT_TRUE(run.app.names().empty());
    }
}

// A text the directory understates fails as soon as it passes the size, not once the meter falls silent, so that
// a meter that keeps sending cannot fill the disk: after a whole line, and inside a line that does not end.
TEST(TransferRun, ATextLongerThanItsSizeFailsAsSoonAsItPassesIt) {
    const struct {
        const char* size;
        std::size_t sentBytes;
    } cases[] = {{"10", 19}, {"5", 10}};
    for (const auto& c : cases) {
        TransferRun run(test::Faults([&](sim::MeterFaults& f) { f.stopTransferAfter = c.sentBytes; }));
        EXPECT_EQ(run.run({{"MEAS01.CSV", "MEAS", c.size}}), -1);
        EXPECT_EQ(run.line.messages.texts(), Names{"Communication failed."});
        EXPECT_LT(run.line.clock.now().time_since_epoch(), 1s) << c.size;
        EXPECT_TRUE(run.app.names().empty());
    }
}

// Text after the last line end is not written, so it fails the copy, whether the size counts it or
// not; so does a block without its end mark, a byte that arrives just after the end mark, and a
// meter trickling its block.
TEST(FileCopy, ATextWhoseLastLineHasNoLineEndOrABlockFollowedByMoreFails) {
    struct Case { std::string name, size; std::vector<std::pair<std::string, MonotonicClock::Duration>> arrivals; };
    const Case cases[] = {
        {"M.CSV", "4", {{"\x02" "AB\r\nCD\x03", 1s}}},
        {"M.CSV", "6", {{"\x02" "AB\r\nCD\x03", 1s}}},
        {"D.BIN", "4", {{"\x02" "ABCD\x03", 1s}, {"E", 1s + 50ms}}},
        {"D.BIN", "4", {{"\x02" "ABCDE", 1s}}},
        {"D.BIN", "4", {{"\x02" "A", 1s}, {"B", 4s}, {"C", 8s}, {"D", 12s}, {"\x03", 16s}}},
    };
    for (const Case& c : cases) {
        test::ScriptedLink line;
        test::TemporaryFolder folder;
        line.port.answer("*IDN?", {"VOLTARO, ZR915,000001,1.05A"});
        for (const auto& [bytes, after] : c.arrivals) line.port.arrive(bytes, after);
        std::string name = c.name;
        ProgressObserver quiet;
        EXPECT_EQ(ZrFileToPcTmpFile(line.link, MeterMedium::Memory, name, c.size, (folder.path() / "t").string(),
                                    quiet),
                  -1);
        EXPECT_EQ(line.texts(), Names{"Communication failed."}) << c.name << " " << c.arrivals.size();
        EXPECT_TRUE(folder.names().empty());
    }
}

// A name that would leave the copy folder, or hide in it as a dot file (an empty name with
// its extension), is refused before the meter is asked.
TEST(TransferRun, AMeterNameThatWouldLeaveTheFolderIsRefusedBeforeAnythingIsFetched) {
    for (const std::string name : {"SUB/EVIL.CSV", ".BIN"}) {
        TransferRun run;
        EXPECT_EQ(run.run({{name, "MEAS", "10"}, run.all[1]}), -1);
        EXPECT_EQ(run.line.messages.texts(), Names{name + ": Invalid filename."});
        EXPECT_TRUE(run.line.port.settings().device.empty()) << "the line was opened";
        EXPECT_TRUE(run.copies.names().empty());
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
    EXPECT_EQ(namesAndSizes(list), (Names{"A0001.BIN   =20", "B0002.BIN   =10", "SETUP1.SET  =7", "Z1.CSV      =9"}));
    ASSERT_EQ(GetZrFileName(line.link, MeterMedium::Memory, list), 0);
    EXPECT_EQ(namesAndSizes(list), Names{"M1.CSV      =9"});

    test::SimulatedMeterLink noCard(test::Faults([](sim::MeterFaults& f) { f.cardNotReady = true; }), folders);
    EXPECT_EQ(GetZrFileName(noCard.link, MeterMedium::Card, list), -1);
    EXPECT_EQ(noCard.messages.texts(), Names{"Pc card not ready."});
    EXPECT_EQ(GetZrFileName(noCard.link, MeterMedium::Memory, list), 0);

    // A directory is the longest reply there is: more than a line of any other reply.
    test::TemporaryFolder crowded;
    for (int i = 0; i < 100; ++i) crowded.write("DATA" + std::to_string(1000 + i) + ".BIN", "x");
    test::SimulatedMeterLink crowdedLine({}, {{}, crowded.path()});
    ASSERT_EQ(GetZrFileName(crowdedLine.link, MeterMedium::Memory, list), 0);
    EXPECT_EQ(list.entries.size(), 100u);
}

// The list sorts by the size, so a size text that is no plain count of bytes counts as 0:
// never a NaN, an infinity or a negative size. The meter's own text is kept as it came.
TEST(MeterDirectory, ASizeTextThatIsNoCountOfBytesCountsAsZero) {
    MeterFileList list;
    SetZrFileNameList(list, "INST", "A,12,B,nan,C,inf,D,-5,E,1e30,F,12.5,G, 7 ");
    std::vector<float> sizes;
    for (const auto& entry : list.entries) sizes.push_back(entry.size);
    EXPECT_EQ(sizes, (std::vector<float>{12, 0, 0, 0, 0, 0, 7}));
    EXPECT_EQ(list.entries[1].sizeText, "nan");
}

}  // namespace
}  // namespace voltaro
