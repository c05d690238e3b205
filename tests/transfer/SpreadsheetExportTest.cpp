#include <gtest/gtest.h>

#include "app/LineInput.h"
#include "support/FixedClock.h"
#include "support/ManualClock.h"
#include "support/RecordingMessages.h"
#include "support/TemporaryFolder.h"
#include "support/WorkbookReader.h"
#include "transfer/SpreadsheetExport.h"
#include "transfer/TransferProgress.h"

namespace voltaro {
namespace {

using namespace std::chrono_literals;
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
        {"12,-1.5e3,+.5,7.,1E+2,-0.25\r\n", {"A1 #12", "B1 #-1500", "C1 #0.5", "D1 #7", "E1 #100", "F1 #-0.25"}},
        {"\xB1\xDF\r\n", {"A1 \uFF71\uFF9F"}},  // the meter's half-width katakana
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cells[0]);
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

// A file longer than a sheet, or with a line longer than any of the meter's, is reported once;
// the workbook keeps what it had.
TEST_F(SpreadsheetExport, AFileLongerThanASheetIsReportedOnce) {
    SpreadsheetWorkbook workbook(ctx, book, 3);
    ASSERT_EQ(workbook.TransExec("DATA.CSV", folder.write("DATA.CSV", "1\r\n2\r\n3\r\n")), 0);
    EXPECT_EQ(workbook.TransExec("OVER.CSV", folder.write("OVER.CSV", "1\r\n2\r\n\r\n4")), -1);
    EXPECT_EQ(workbook.TransExec("WIDE.CSV", folder.write("WIDE.CSV", std::string(LineInput::kLongestLine + 1, '1'))),
              -1);
    EXPECT_EQ(messages.texts(), (Texts{"OVER.CSV has more lines than one sheet can hold.",
                                       "WIDE.CSV has a line longer than any the meter writes."}));
    ASSERT_EQ(workbook.close(), 0);
    EXPECT_EQ(test::SheetNames(part("xl/workbook.xml")), (Texts{"DATA.CSV", "OVER.CSV", "WIDE.CSV"}));
    EXPECT_EQ(sheetCells(1), (Texts{"A1 #1", "A2 #2", "A3 #3"}));
}

// Meter names that the workbook format refuses as sheet names still get their sheets: the
// refused characters become "_" and a name in use gets a number.
TEST_F(SpreadsheetExport, EveryFileGetsASheetWhateverItsName) {
    SpreadsheetWorkbook workbook(ctx, book);
    const std::string source = folder.write("DATA.CSV", "1\r\n");
    for (const char* name : {"A[1]:*?.CSV", "'QUOTE'", "DATA.CSV", "data.csv", "DATA.CSV"})
        EXPECT_EQ(workbook.TransExec(name, source), 0) << name;
    ASSERT_EQ(workbook.close(), 0);
    EXPECT_EQ(messages.texts(), Texts{});
    EXPECT_EQ(test::SheetNames(part("xl/workbook.xml")),
              (Texts{"A_1____.CSV", "_QUOTE_", "DATA.CSV", "data.csv(2)", "DATA.CSV(3)"}));
}

class Shown final : public ProgressObserver {
public:
    void progress(const std::string& line, std::uint64_t, std::uint64_t) override { lines.push_back(line); }
    bool stopRequested() const override { return lines.size() > 1; }
    std::vector<std::string> lines;
};

// Also passes on the user's request to stop, from the window or terminal that shows it.
TEST(TransferProgress, PassesOnTheStartTheEndAndAtMostTenUpdatesASecond) {
    test::ManualClock clock;
    Shown shown;
    TransferProgress progress(clock, shown);
    progress.progress("A.BIN", 0, 1000);
    clock.advance(50ms);
    progress.progress("A.BIN", 100, 1000);  // too soon after the start
    clock.advance(60ms);
    EXPECT_FALSE(progress.stopRequested());
    progress.progress("A.BIN", 200, 1000);
    EXPECT_TRUE(progress.stopRequested());
    progress.progress("A.BIN", 1000, 1000);  // the end always shows
    progress.progress("B.CSV", 0, 10);       // a new file starts its own clock
    EXPECT_EQ(shown.lines, (std::vector<std::string>{"A.BIN   0 of 1,000 bytes (0%)",
                                                     "A.BIN   200 of 1,000 bytes (20%)",
                                                     "A.BIN   1,000 of 1,000 bytes (100%)",
                                                     "B.CSV   0 of 10 bytes (0%)"}));
}

}  // namespace
}  // namespace voltaro
