#include <gtest/gtest.h>

#include <filesystem>

#include "support/FixedClock.h"
#include "support/ManualClock.h"
#include "support/RecordingMessages.h"
#include "support/TemporaryFolder.h"
#include "support/WorkbookReader.h"
#include "transfer/SpreadsheetExport.h"
#include "transfer/TransferProgress.h"

namespace voltaro {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace std::string_literals;
using Texts = std::vector<std::string>;

struct SpreadsheetExport : ::testing::Test {
    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 3, 2, 10, 0, 0}};
    AppContext ctx{messages, clock};
    test::TemporaryFolder folder;
    std::string book = (folder.path() / "book.xlsx").string();

    std::string part(const std::string& name) const {
        return test::ReadWorkbookPart(book, name).value_or("<no " + name + ">");
    }
    Texts sheetCells(int sheet) const {
        return test::SheetCells(part("xl/worksheets/sheet" + std::to_string(sheet) + ".xml"));
    }
};

TEST_F(SpreadsheetExport, LinesBecomeRowsAndFieldsBecomeCells) {
    const struct {
        std::string text;
        Texts cells;
    } cases[] = {
        {"\"x,y\",z\r\n", {"A1 x", "B1 y", "C1 z"}},  // quotes are dropped and protect no comma
        {"a\r\n\r\nb\n,c", {"A1 a", "A3 b", "B4 c"}},  // an empty line is an empty row; a lone LF ends one
        {"\"\"\"\",\",\"q\"\"\r\n", {"A1 \"\"", "C1 q\""}},
        {"12,-1.5e3,+.5,7.,1E+2,-0.25\r\n", {"A1 #12", "B1 #-1500", "C1 #0.5", "D1 #7", "E1 #100", "F1 #-0.25"}},
        {"1e,.,e5,0x10,inf,1e999,\" 1\",1.2.3,+-1\r\n",
         {"A1 1e", "B1 .", "C1 e5", "D1 0x10", "E1 inf", "F1 1e999", "G1  1", "H1 1.2.3", "I1 +-1"}},
        {"\xB1\xDF\x80\xFF,a\0b\x01<&>\r\n"s,
         {"A1 \uFF71\uFF9F\uFFFD\uFFFD", "B1 a\uFFFDb_x0001_<&>"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        {
            SpreadsheetWorkbook workbook(ctx, book);
            ASSERT_EQ(workbook.TransExec("DATA.CSV", folder.write("DATA.CSV", c.text)), 0);
            ASSERT_EQ(workbook.close(), 0);
        }
        EXPECT_EQ(sheetCells(1), c.cells);
    }
    EXPECT_EQ(messages.texts(), Texts{});
}

TEST_F(SpreadsheetExport, ALineFillsAtMost256Cells) {
    std::string line;
    for (int field = 1; field <= 300; ++field) line += std::to_string(field) + ",";
    SpreadsheetWorkbook workbook(ctx, book);
    ASSERT_EQ(workbook.TransExec("WIDE.CSV", folder.write("WIDE.CSV", line + "\r\nnext\r\n")), 0);
    ASSERT_EQ(workbook.close(), 0);
    const Texts cells = sheetCells(1);
    EXPECT_EQ(Texts(cells.end() - 2, cells.end()), (Texts{"IV1 #256", "A2 next"}));
}

// A name the format refuses (names unique in any case, empty once the blanks around it are
// cut) or a file longer than a sheet is reported once; the workbook keeps what it had.
TEST_F(SpreadsheetExport, ASheetThatCannotBeFilledIsReportedOnce) {
    const struct {
        const char* name;
        const char* text;
        const char* reason;
        Texts sheets;
    } cases[] = {
        {"data.csv", "2\r\n", "Worksheet name is already in use.", {"DATA.CSV"}},
        {"   ", "2\r\n", "Function parameter validation error.", {"DATA.CSV"}},
        {"OVER.CSV", "1\r\n2\r\n\r\n4", "OVER.CSV has more lines than one sheet can hold.",
         {"DATA.CSV", "OVER.CSV"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.boxes.clear();
        SpreadsheetWorkbook workbook(ctx, book, 3);
        ASSERT_EQ(workbook.TransExec(" DATA.CSV ", folder.write("DATA.CSV", "1\r\n2\r\n3\r\n")), 0);
        EXPECT_EQ(workbook.TransExec(c.name, folder.write("OTHER.CSV", c.text)), -1);
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_NE(messages.boxes[0].text.find(c.reason), std::string::npos) << messages.boxes[0].text;
        ASSERT_EQ(workbook.close(), 0);
        EXPECT_EQ(test::SheetNames(part("xl/workbook.xml")), c.sheets);
        EXPECT_EQ(sheetCells(1), (Texts{"A1 #1", "A2 #2", "A3 #3"}));
    }
}

// A workbook that cannot be opened and a file that cannot be read are reported once; a
// workbook whose name is taken by a folder fails at the end and leaves no temporary file.
TEST_F(SpreadsheetExport, FailuresAreReportedOnceAndLeaveNoFileBehind) {
    const std::string unreachable = (folder.path() / "missing" / "book.xlsx").string();
    {
        SpreadsheetWorkbook workbook(ctx, unreachable);
        EXPECT_EQ(workbook.TransExec("DATA.CSV", folder.write("DATA.CSV", "1\r\n")), -1);
        EXPECT_EQ(workbook.close(), 0);
    }
    {
        SpreadsheetWorkbook workbook(ctx, book);
        EXPECT_EQ(workbook.TransExec("GONE.CSV", (folder.path() / "GONE.CSV").string()), -1);
        EXPECT_FALSE(workbook.hasSheets());
    }
    EXPECT_EQ(messages.texts(), (Texts{unreachable + ": No such file or directory",
                                       (folder.path() / "GONE.CSV").string() + ": No such file or directory"}));

    messages.boxes.clear();
    fs::create_directories(fs::path(book) / "inside");
    {
        SpreadsheetWorkbook workbook(ctx, book);
        ASSERT_EQ(workbook.TransExec("DATA.CSV", folder.write("DATA.CSV", "1\r\n")), 0);
        EXPECT_EQ(workbook.close(), -1);
    }
    EXPECT_EQ(messages.texts(), Texts{book + ": Is a directory"});
    EXPECT_EQ(folder.names(), (Texts{"DATA.CSV", "book.xlsx"}));
}

TEST(TransferProgressText, CountsPercentAndTimeLeftFromThePaceSoFar) {
    const struct {
        std::uint64_t done, total;
        MonotonicClock::Duration elapsed;
        std::string expected;
    } cases[] = {
        {0, 65536, 5s, "0 of 65,536 bytes (0%)"},  // no pace yet
        {12345, 65536, 900ms, "12,345 of 65,536 bytes (18%)"},  // too early to say
        {16384, 65536, 4s, "16,384 of 65,536 bytes (25%), 0:12 left"},
        {1000, 1234567, 10s, "1,000 of 1,234,567 bytes (0%), 3:25:36 left"},
        {65536, 65536, 17s, "65,536 of 65,536 bytes (100%)"},
        {0, 0, 0s, "0 of 0 bytes (100%)"},
        {130, 100, 2s, "130 of 100 bytes (100%)"},  // a text file's framing is counted too
    };
    for (const auto& c : cases)
        EXPECT_EQ(TransferProgressText(c.done, c.total, c.elapsed), c.expected) << c.done << " of " << c.total;
}

class Shown final : public ProgressObserver {
public:
    void progress(const std::string& line, std::uint64_t, std::uint64_t) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

TEST(TransferProgress, PassesOnTheStartTheEndAndAtMostTenUpdatesASecond) {
    test::ManualClock clock;
    Shown shown;
    TransferProgress progress(clock, shown);
    progress.progress("A.BIN", 0, 1000);
    clock.advance(50ms);
    progress.progress("A.BIN", 100, 1000);  // too soon after the start
    clock.advance(60ms);
    progress.progress("A.BIN", 200, 1000);
    progress.progress("A.BIN", 1000, 1000);  // the end always shows
    progress.progress("B.CSV", 0, 10);       // a new file starts its own clock
    EXPECT_EQ(shown.lines, (std::vector<std::string>{"A.BIN   0 of 1,000 bytes (0%)",
                                                     "A.BIN   200 of 1,000 bytes (20%)",
                                                     "A.BIN   1,000 of 1,000 bytes (100%)",
                                                     "B.CSV   0 of 10 bytes (0%)"}));
}

}  // namespace
}  // namespace voltaro
