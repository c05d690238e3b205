#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "divide/CsvDivider.h"
#include "divide/LineRuns.h"
#include "support/FileSizeLimit.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/TemporaryFolder.h"

namespace voltaro::test {
namespace {

namespace fs = std::filesystem;
using enum DivideKind;
using Texts = std::vector<std::string>;
using ColumnList = std::vector<int>;

const std::string kDivided = "info: File divide was completed.";
const std::string kExceeded = "info: The number of division files exceeded 100 pieces.";
const std::string kNotNormal = "is not a normal file.";

// The title row of `columns` columns; the third column's title is empty.
std::string Title(int columns) {
    std::string title = "DATE,TIME,";
    for (int i = 3; i < columns; ++i) title += ",T" + std::to_string(i);
    return title + "\r\n";
}
// Data rows `from` to `to` - 1: date, time, the 9-character field, then values "r.i".
std::string Rows(int from, int to, int columns) {
    std::string text;
    for (int r = from; r < to; ++r) {
        text += "2004/01/01,00:" + std::to_string(r / 60 + 10) + ":" + std::to_string(r % 60 + 10) + ",ABCDEFGHI";
        for (int i = 3; i < columns; ++i) text += "," + std::to_string(r) + "." + std::to_string(i);
        text += "\r\n";
    }
    return text;
}
// The lines before the title row: 16 for "T20x", 15 for "T40x"; a converted "T35x" has
// 14, the last ending in a lone CR.
std::string HeaderOf(const std::string& type) {
    std::string text = "MODEL,ZR915," + type + "\r\n";
    for (int i = type.starts_with("T20") ? 15 : type.starts_with("T40") ? 14 : 12; i > 0; --i) text += "SET,1\r\n";
    return text + (type.starts_with("T35") ? "CT,1.00,1.00,1.00,1.00\r\r\n" : "");
}
// Copied lines as the pieces hold them: the lone CR makes an empty line.
std::string InPieces(std::string text) {
    for (std::size_t at = 0; (at = text.find("\r\r\n", at)) != std::string::npos; at += 4)
        text.replace(at, 3, "\r\n\r\n");
    return text;
}
// The given columns of every line.
std::string Pick(const std::string& lines, const ColumnList& columns) {
    std::string out;
    for (std::size_t start = 0, end; (end = lines.find("\r\n", start)) != std::string::npos; start = end + 2) {
        Texts fields(1);
        for (char c : lines.substr(start, end - start))
            c == ',' ? void(fields.emplace_back()) : fields.back().push_back(c);
        for (std::size_t n = 0; n < columns.size(); ++n) out += (n == 0 ? "" : ",") + fields.at(columns[n]);
        out += "\r\n";
    }
    return out;
}
ColumnList Fixed(int first, int last, ColumnList columns = {0, 1, 2}) {
    for (int i = first; i <= last; ++i) columns.push_back(i);
    return columns;
}
ColumnList Span(int first, int last) { return Fixed(first, last, {}); }
std::string Piece(char mark, std::size_t k) {
    return "DATA" + std::string(1, mark) + (k < 10 ? "0" : "") + std::to_string(k) + ".CSV";
}

struct Division : ::testing::Test {
    RecordingMessages messages;
    FixedClock clock{{2026, 5, 17, 9, 41, 12}};
    AppContext ctx{messages, clock};
    TemporaryFolder in, out;
    ProgressObserver observer;

    Division() { ctx.MsgTitle = "File Divide"; }
    std::string path(const std::string& name) const { return (in.path() / name).string(); }
    void put(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    void emptyOutput() const { fs::remove_all(out.path()), fs::create_directory(out.path()); }
    bool divide(DivideKind kind, const std::string& count, const std::string& name = "DATA.CSV") {
        messages.boxes.clear();
        return RunDivision(ctx, {path(name), out.path().string(), kind, count}, observer);
    }
    std::string piece(const std::string& name) const {
        std::ifstream file(out.path() / name, std::ios::binary);
        return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "<no " + name + ">";
    }
    std::set<std::string> outputNames() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(out.path())) names.insert(entry.path().filename());
        return names;
    }
    Texts boxes() const {
        Texts texts;
        for (const auto& box : messages.boxes)
            texts.push_back((box.icon == MessageIcon::Information ? "info: " : "stop: ") + box.text +
                            (box.title == "File Divide" ? "" : " <title " + box.title + ">"));
        return texts;
    }
};

// Pieces of lines: the header, then up to count - header lines of data rows.
// An empty output folder is refused before anything is written, not taken for the root.
TEST_F(Division, AnEmptyOutputFolderIsRefused) {
    put("EMPTYOUT.CSV", HeaderOf("T351") + Title(7) + Rows(1, 3, 7));
    for (const DivideKind kind : {Lines, Columns}) {
        messages.boxes.clear();
        EXPECT_FALSE(RunDivision(ctx, {path("EMPTYOUT.CSV"), "", kind, "20"}, observer));
        EXPECT_EQ(boxes(), Texts{"stop: Drive not ready."});
    }
    EXPECT_FALSE(fs::exists("/EMPTYOUT_00.CSV") || fs::exists("/EMPTYOUT-00.CSV"));
}

// A piece that cannot be written is reported once with the system's text and the run is
// not completed. Pieces of earlier runs stay whole and no temporary file is left; of the new
// pieces only line pieces that were complete take their names. The disk here fills up just
// after the first piece (the second is the larger one).
TEST_F(Division, AFailedWriteIsReportedOnceAndLeavesTheEarlierPiecesWhole) {
    put("DATA.CSV", HeaderOf("T351") + Title(30) + Rows(1, 200, 30));
    for (const DivideKind kind : {Lines, Columns}) {
        const std::string first = Piece(kind == Lines ? '_' : '-', 0), second = Piece(kind == Lines ? '_' : '-', 1);
        SCOPED_TRACE(first);
        emptyOutput();
        ASSERT_TRUE(divide(kind, kind == Lines ? "100" : "10"));
        const std::string firstPiece = piece(first);
        const auto fullAfter = (firstPiece.size() + piece(second).size()) / 2;
        ASSERT_LT(firstPiece.size(), fullAfter);
        emptyOutput();
        std::ofstream(out.path() / first) << "earlier";
        std::ofstream(out.path() / second) << "earlier";
        {
            const FileSizeLimit fullDisk(fullAfter);
            EXPECT_FALSE(divide(kind, kind == Lines ? "100" : "10"));
        }
        EXPECT_EQ(boxes(), Texts{"stop: " + (out.path() / second).string() + ": File too large"});
        EXPECT_EQ(piece(first), kind == Lines ? firstPiece : "earlier");
        EXPECT_EQ(piece(second), "earlier");
        EXPECT_EQ(outputNames(), (std::set<std::string>{first, second}));

        messages.boxes.clear();
        EXPECT_FALSE(RunDivision(ctx, {path("DATA.CSV"), (out.path() / "MISSING").string(), kind, "100"}, observer));
        EXPECT_EQ(boxes(), Texts{"stop: " + (out.path() / "MISSING" / first).string() + ": No such file or directory"});
    }
}

// A line longer than any of the meter's ends the division as a file that is not normal; the rows
// before it are kept.
TEST_F(Division, ALineLongerThanAnyOfTheMetersIsNotNormal) {
    put("DATA.CSV", HeaderOf("T351") + Title(7) + Rows(1, 3, 7) + std::string(LineInput::kLongestLine + 1, '9'));
    for (const DivideKind kind : {Lines, Columns}) {
        emptyOutput();
        EXPECT_FALSE(divide(kind, "100"));
        EXPECT_EQ(boxes(), Texts{"stop: " + path("DATA.CSV") + kNotNormal});
        EXPECT_EQ(outputNames().size(), 1u);
    }
}

// Asked to stop, a division by lines keeps the pieces it completed, drops the one at hand and
// says it was cancelled, not completed.
TEST_F(Division, AStopKeepsTheCompletedPiecesOnly) {
    struct StopAfterFirstPiece final : ProgressObserver {
        mutable int asked = 0;
        bool stopRequested() const override { return ++asked > 1; }
    } stopping;
    put("DATA.CSV", HeaderOf("T351") + Title(7) + Rows(1, 40, 7));
    emptyOutput();
    EXPECT_FALSE(RunDivision(ctx, {path("DATA.CSV"), out.path().string(), Lines, "24"}, stopping));
    EXPECT_EQ(boxes(), Texts{"info: File divide was cancelled."});
    EXPECT_EQ(outputNames(), (std::set<std::string>{Piece('_', 0), Piece('_', 1)}));
    EXPECT_EQ(piece(Piece('_', 1)), InPieces(HeaderOf("T351") + Title(7)) + Rows(9, 17, 7));
}

TEST_F(Division, CutsTheRowsIntoPiecesOfLines) {
    struct Case { std::string type; int rows; std::string count; std::vector<int> perPiece;
                  bool exceeded = false, cut = false; };
    std::vector<int> hundred(100, 1), headerLast(99, 1);
    headerLast.push_back(0);
    const Case cases[] = {
        {"T350", 10, "26", {10, 0}},
        {"T350", 10, "18", {2, 2, 2, 2, 2, 0}},
        {"T350", 10, "20", {4, 4, 2}},
        {"T351", 10, "20", {4, 4, 2}, false, true},   // the last line without its end
        {"T351", 10, "20.5", {4, 4, 2}},              // halves round to even
        {"T351", 10, "21.5", {6, 4}},
        {"T201", 5, "19", {2, 2, 1}},
        {"T400", 3, "65535", {3}},
        {"T350", 99, "17", headerLast},
        {"T350", 100, "17", hundred, true},
        {"T351", 101, "17", hundred, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type + " rows " + std::to_string(c.rows) + " count " + c.count);
        emptyOutput();
        const std::string header = HeaderOf(c.type) + Title(7), rows = Rows(1, c.rows + 1, 7);
        put("DATA.CSV", header + rows.substr(0, rows.size() - (c.cut ? 2 : 0)));
        EXPECT_TRUE(divide(Lines, c.count));
        EXPECT_EQ(boxes(), (c.exceeded ? Texts{kExceeded, kDivided} : Texts{kDivided}));
        EXPECT_EQ(outputNames().size(), c.perPiece.size());
        for (std::size_t k = 0, next = 1; k < c.perPiece.size(); next += c.perPiece[k++])
            EXPECT_EQ(piece(Piece('_', k)), InPieces(header) + Rows(next, next + c.perPiece[k], 7)) << k;
    }
}

// The lines of `text` as a division reads them: each ends at CR LF or at a lone CR.
Texts LinesOf(const std::string& text) {
    Texts lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            lines.back() += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        lines.emplace_back();
    }
    if (lines.back().empty()) lines.pop_back();
    return lines;
}

// Rows of about 300 bytes until `text` has `size` bytes, the last row ending there in CR LF.
void FillTo(std::string& text, std::size_t size) {
    while (size - text.size() > 400) text += std::string(298, 'f') + "\r\n";
    text += std::string(size - text.size() - 2, 'g') + "\r\n";
}

// Line pieces copy long files line for line, wherever the blocks of the scan for line ends cut them:
// a CR LF or a lone CR split by a block's end, a line across one, a lone CR and a lone LF, a last
// line without its end, a file ending in a lone CR at a block's end, blocks of very short lines.
TEST_F(Division, LinePiecesCopyEveryLineWhereverTheScanCutsIt) {
    const std::string header = HeaderOf("T351") + Title(7);
    const auto blockEnd = [&](std::size_t k) { return header.size() + k * LineRuns::kBlockBytes; };
    std::string file = header + "mid\rdle\r\n";
    FillTo(file, blockEnd(1) - 3);
    file += "ab\r\n";  // the CR ends the first block, the LF starts the second
    file += "x\r\nlone\rcr\r\n";
    FillTo(file, blockEnd(2) - 3);
    file += "cd\rx lone\r\n";  // a lone CR ends the second block
    FillTo(file, blockEnd(3) - 100);
    file += std::string(150, 'h') + "\n" + std::string(150, 'i') + "\r\n";  // across the third, with a lone LF
    FillTo(file, blockEnd(4));
    std::string endsInCr = header;
    FillTo(endsInCr, blockEnd(1) - 4);
    // Lines of a few bytes: more line ends in a block than the scan lists.
    std::string shortLines = header;
    while (shortLines.size() < blockEnd(2)) shortLines += "ab\r\ncd\re\r\n";
    shortLines += "f\r";
    const struct {
        std::string text;
        std::size_t perPiece;
    } cases[] = {{file + "last", 4000}, {endsInCr + "end\r", 4000}, {shortLines, 65519}};
    for (const auto& [text, perPiece] : cases) {
        emptyOutput();
        put("DATA.CSV", text);
        ASSERT_TRUE(divide(Lines, std::to_string(perPiece + 16)));
        EXPECT_EQ(boxes(), Texts{kDivided});
        const Texts lines = LinesOf(text.substr(header.size()));
        const std::size_t pieces = lines.size() / perPiece + 1;
        EXPECT_EQ(outputNames().size(), pieces);
        for (std::size_t k = 0; k < pieces; ++k) {
            std::string expected = InPieces(header);
            for (std::size_t i = k * perPiece; i < std::min(lines.size(), (k + 1) * perPiece); ++i)
                expected += lines[i] + "\r\n";
            EXPECT_TRUE(piece(Piece('_', k)) == expected) << k;
        }
    }
}

// Pieces of columns: the header lines, then the title and every row cut to the piece's
// columns; the first three columns are in every piece.
TEST_F(Division, CutsTheColumnsIntoPiecesKeepingTheFirstThree) {
    struct Case { int columns, rows; std::string count; std::vector<ColumnList> pieces; bool exceeded = false; };
    std::vector<ColumnList> hundred = {Span(0, 3)}, wide = {Span(0, 254)};  // column 3 + k in piece k
    for (int k = 1; k < 100; ++k) hundred.push_back(Fixed(3 + k, 3 + k));
    for (int first = 255; first < 10002; first += 252) wide.push_back(Fixed(first, std::min(first + 251, 10001)));
    const Case cases[] = {
        {30, 3, "10", {Span(0, 9), Fixed(10, 16), Fixed(17, 23), Fixed(24, 29)}},
        {30, 0, "10", {Span(0, 9), Fixed(10, 16), Fixed(17, 23), Fixed(24, 29)}},
        {11, 2, "10", {Span(0, 9), Fixed(10, 10)}},
        {30, 3, "30", {Span(0, 29)}},
        {5, 2, "255", {Span(0, 4)}},
        {3, 2, "4", {Span(0, 2)}},
        {103, 2, "4", hundred},
        {104, 2, "4", hundred, true},
        {10002, 1, "255", wide},  // a row is one line, however wide
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.columns) + " columns by " + c.count);
        emptyOutput();
        const std::string header = HeaderOf("T351"), rows = Title(c.columns) + Rows(1, c.rows + 1, c.columns);
        put("DATA.CSV", header + rows);
        EXPECT_TRUE(divide(Columns, c.count));
        EXPECT_EQ(boxes(), (c.exceeded ? Texts{kExceeded, kDivided} : Texts{kDivided}));
        EXPECT_EQ(outputNames().size(), c.pieces.size());
        for (std::size_t k = 0; k < c.pieces.size(); ++k)
            EXPECT_EQ(piece(Piece('-', k)), InPieces(header) + Pick(rows, c.pieces[k])) << k;
    }
}

// One line is one row. Pieces of 6 of 12 columns: 0-5, 0-2 6-8, 0-2 9-11.
TEST_F(Division, WritesEachLineAsOneRowOfEveryColumnPiece) {
    const std::string d = "2004/01/01,00:00:05,", off = "POWER OFF,2004/01/01,12:00:00", on = "POWER ON,x,y,";
    const std::string rest = "\r\n" + Rows(2, 3, 12);
    const std::string euro = "\xE2\x82\xAC";  // its last byte is a comma but for the high bit
    struct Case { std::string type, lines; Texts tails; };  // pieces 00, 01, 02 after row 1; none: not normal
    const Case cases[] = {
        {"T351", off + rest, {off, off + ",", off + ","}},
        {"T201", on + rest, {on, on, on}},
        {"T351", d + "X,3,,5,6,,8,9,10," + rest, {d + "X,3,,5", d + "X,6,,8", d + "X,9,10,"}},
        {"T400", d + "X,3," + rest, {d + "X,3,", d + "X,,,", d + "X,,,"}},
        {"T351", d + "X,3,4,5,6,7,8,9,10,11,12,13" + rest, {d + "X,3,4,5", d + "X,6,7,8", d + "X,9,10,11"}},
        {"T351", d + "X," + euro + ",4,5,6,7,8,9,10,11" + rest,
         {d + "X," + euro + ",4,5", d + "X,6,7,8", d + "X,9,10,11"}},
        {"T351", "POWER OFF,x" + rest, {"POWER OFF,x,", "POWER OFF,x,,", "POWER OFF,x,,"}},
        {"T200", d + "STOP,3,4" + rest, {d + "STOP", d + "STOP", d + "STOP"}},
        {"T201", "STOP,2004/01/01,12:00:00,4" + rest, Texts(3, "STOP,2004/01/01,12:00:00")},
        {"T351", d + "STOP" + rest, {d + "STOP", d + "STOP,,,", d + "STOP,,,"}},
        {"T201", d + "X,3,STOP,5" + rest, {d + "X", d + "X", d + "X"}},
        {"T351", d + "X,3,STOP,5" + rest, {d + "X,3,STOP", d + "X,,,", d + "X,,,"}},
        {"T200", d + "X,3,4,5,6,7,8,9,10,11", {d + "X,3,4,5", d + "X,6,7,8", d + "X,9,10,11"}},
        {"T351", "2004-01-01,00:00:05,X,3" + rest, {}},
        {"T200", "2004/01/1,00:00:05,X,3" + rest, {}},
        {"T201", "2004/01-01,00:00:05,X,3" + rest, {}},
        {"T351", "POWER  OFF,x,y" + rest, {}},
        {"T351", "STOP,x,y" + rest, {}},
        {"T351", rest, {}},
    };
    const std::vector<ColumnList> columns = {Span(0, 5), Fixed(6, 8), Fixed(9, 11)};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type + " " + c.lines);
        emptyOutput();
        const std::string header = HeaderOf(c.type), rows = Title(12) + Rows(1, 2, 12);
        put("DATA.CSV", header + rows + c.lines);
        const bool normal = !c.tails.empty();
        // A file found not normal keeps the rows before, and the run is not completed.
        EXPECT_EQ(divide(Columns, "6"), normal);
        const bool rowAfter = normal && c.lines.ends_with(rest) && c.lines.find("STOP") == std::string::npos;
        EXPECT_EQ(boxes(), (normal ? Texts{kDivided} : Texts{"stop: " + path("DATA.CSV") + kNotNormal}));
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const std::string after = rowAfter ? Pick(Rows(2, 3, 12), columns[k]) : "";
            const std::string tail = normal ? c.tails[k] + "\r\n" + after : "";
            EXPECT_EQ(piece(Piece('-', k)), InPieces(header) + Pick(rows, columns[k]) + tail) << k;
        }
    }
}

// A row as long as many ordinary ones keeps its place among them in every piece.
TEST_F(Division, ARowOfHugeFieldsKeepsItsPlace) {
    const std::string huge = "2004/01/01,00:00:05," + std::string(LineInput::kLongestLine / 2, '7') + ",3,4,5,6\r\n";
    const std::string rows = Title(7) + Rows(1, 3, 7) + huge + Rows(3, 5, 7);
    put("DATA.CSV", HeaderOf("T351") + rows);
    EXPECT_TRUE(divide(Columns, "4"));
    for (int k = 0; k < 4; ++k)
        EXPECT_TRUE(piece(Piece('-', k)) == InPieces(HeaderOf("T351")) + Pick(rows, Fixed(3 + k, 3 + k))) << k;
}

}  // namespace
}  // namespace voltaro::test
