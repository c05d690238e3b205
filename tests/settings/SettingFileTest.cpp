#include <gtest/gtest.h>

#include <clocale>
#include <functional>
#include <locale>

#include "app/DefaultSettings.h"
#include "settings/SettingFile.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/TemporaryFolder.h"

namespace voltaro {
namespace {

using Texts = std::vector<std::string>;

// The lines of a file, each ended with CR LF.
std::string Crlf(std::string_view lines) {
    std::string out;
    for (char c : lines) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

// `text` with the first occurrence of each `from` replaced by its `to`.
std::string Replaced(std::string text, std::initializer_list<std::pair<std::string_view, std::string_view>> edits) {
    for (const auto& [from, to] : edits) {
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
    }
    return text;
}

SettingRecord Factory() { return FactorySettings({2024, 4, 1, 9, 0, 37}, "/app/", 1); }

// Every item the file carries away from its factory value.
SettingRecord OffDefault() {
    SettingRecord r = Factory();
    r.Version = "1.23", r.Id = 7, r.Wiring = 5, r.Load = 2, r.Sampling = 1, r.Connect1P = 2, r.VarMethod = 1;
    r.FixClock = 1, r.Average = 3, r.URange = 3, r.Vt = 12.5f, r.ARange = {1, 5, 13, 20};
    r.Ct = {0.01f, 2.55f, 150.0f, 9999.99f}, r.Clamp = {0, 1, 4, 9};
    r.StartMethod = 1, r.StartTime = {2004, 1, 5, 9, 30, 0}, r.StopMethod = 3, r.StopTime = {2099, 12, 31, 23, 59, 0};
    r.StopTimer = {25, 1, 1}, r.Interval = 16, r.DOut = 1, r.Rs232Connect = 1, r.FileName = "DATA_001", r.Copy = 2;
    r.SaveNormal = 0, r.SaveWh = 0, r.SaveHrm = 0, r.SaveWave = 0, r.SaveInstant = 0, r.SaveAve = 1, r.SaveMax = 0;
    r.SaveMin = 1, r.SaveHrmLoad = {0, 1, 1, 1}, r.SaveHrmCh = {0, 0, 0, 0, 0, 0, 1, 0};
    r.SaveHrmItem = {0, 1, 0, 1, 0};
    for (std::size_t k = 0; k < r.SaveHrmOrder.size(); ++k) r.SaveHrmOrder[k] = k % 3 == 0 ? 1 : 0;
    r.TotalWhDigit = 5, r.TotalWhUnit = 4, r.IntervalWhDigit = 3, r.IntervalWhUnit = 0;
    r.Rs232Baud = 5, r.Rs232DataLen = 0, r.Rs232Parity = 1, r.Rs232StopBit = 1, r.Rs232Flow = 3;
    r.Thd = 1, r.HrmPA = 1, r.GraphOrder = 1, r.BackLight = 0, r.Beep = 0, r.Language = 5, r.Detect = 1;
    r.StdVolt = 16, r.Hysteresis = 10, r.Swell = 200, r.Dip = 10, r.Interruption = 55, r.Source = 2, r.Filter = 1;
    r.Contrast = 8, r.DaKind = {6, 5, 4, 3}, r.DaItem = {83, 36, 1, 2}, r.DaOrder = {50, 2, 3, 4};
    r.DaMag = {2, 1, 2, 1}, r.DaRate = {6, 5, 4, 3}, r.AdRange = {2, 1}, r.SaveHrmOrdSel = 3;
    return r;
}

// The file OffDefault() gives, line by line.
constexpr std::string_view kOffDefaultFile =
    "MODEL ZR915,T100\nVERSION 9.98\nID 007\nWIRING 5\nLOAD 2\nSAMPLING 1\n1P3W_CONNECT 2\nVAR_METHOD 1\n"
    "FREQUENCY 1\nAVERAGING 10\nU_RANGE 3\nVT 12.50\nA_RANGE 1,5,13,20\nCT 0.01,2.55,150.00,9999.99\nCLAMP 0,1,4,9\n"
    "MSTART_METHOD 1\nMSTART_TIME 04,01,05,9,30\nMSTOP_METHOD 3\nMSTOP_TIME 99,12,31,23,59\nMSTOP_TIMER 90061\n"
    "INTERVAL 16\nDOUT 1\nCONNECT 1\nFILE DATA_001\nCOPY 2\nSAVE1 0,0,0,0\nSAVE2 0,1,0,1\nSAVE_HARM1 0,1,1,1\n"
    "SAVE_HARM2 0,0,0,0,0,0,1,0\nSAVE_HARM3 0,1,0,1,0\nSAVE_ORDER1 1,0,0,1,0,0,1,0,0,1\n"
    "SAVE_ORDER2 0,0,1,0,0,1,0,0,1,0\nSAVE_ORDER3 0,1,0,0,1,0,0,1,0,0\nSAVE_ORDER4 1,0,0,1,0,0,1,0,0,1\n"
    "SAVE_ORDER5 0,0,1,0,0,1,0,0,1,0\nTOTAL_WH 5,4\nINTERVAL_WH 3,0\nRS232C 5,0,1,1,3\nTHD 1\nHRM_PA 1\nORDER 1\n"
    "BACKLIGHT 0\nBEEP 0\nLANGUAGE 5\nDETECT 1\nSTD_VOLT 16\nHYSTERESIS 10\nSWELL 200\nDIP 10\nINTERRUPTION 55\n"
    "SOURCE 2\nFILTER 1\nCONTRAST 8\nDAOUT1 6,83,50,2,6\nDAOUT2 5,36,2,1,5\nDAOUT3 4,1,3,2,4\nDAOUT4 3,2,4,1,3\n"
    "ADINP 2,1\nSAVE_ORDER_SEL 3\n";

// What reading `written` back into `target` must give: the file's items, the file's
// version, and everything the file does not carry from the target.
SettingRecord ReadBackExpected(SettingRecord written, const SettingRecord& target) {
    written.Version = "9.98";
    written.StartTime[5] = target.StartTime[5];
    written.StopTime[5] = target.StopTime[5];
    written.SysDate = target.SysDate;
    written.SysTime = target.SysTime;
    written.Pc = target.Pc;
    if (written.SaveHrmOrdSel != 3) written.SaveHrmOrder = target.SaveHrmOrder;
    return written;
}

TEST(SettingFileLayout, UnusualRecordsReadBackAsWritten) {
    const std::pair<const char*, std::function<void(SettingRecord&)>> cases[] = {
        {"extreme integers", [](SettingRecord& r) { r.Wiring = -1, r.Swell = 32767, r.Dip = -32768, r.Id = -5; }},
        {"ratios", [](SettingRecord& r) { r.Id = 999, r.Vt = 0, r.Ct = {0.01f, 9999.99f, 123456.78f, 0.1f}; }},
        {"years and midnight", [](SettingRecord& r) { r.StartTime = {1999, 1, 1, 0, 0, 0}, r.StopTime[0] = 2150; }},
        {"largest timer", [](SettingRecord& r) { r.StopTimer = {32767, 59, 59}; }},
        {"katakana and quotes in the name", [](SettingRecord& r) { r.FileName = "\xB1\xB2'\"#$%&"; }},
        {"other orders left", [](SettingRecord& r) { r.SaveHrmOrdSel = 2, r.SaveHrmOrder.fill(1); }},
    };
    SettingRecord target = Factory();
    target.SysDate = {2030, 6, 7};
    target.Pc.TransSavePath = "/elsewhere/";
    for (const auto& [name, change] : cases) {
        SettingRecord written = target;
        change(written);
        SettingRecord read = target;
        EXPECT_TRUE(ParseSettingFile(FormatSettingFile(written), read)) << name;
        EXPECT_EQ(read, ReadBackExpected(written, target)) << name;
    }
}

TEST(SettingFileReader, TakesWhatTheFileSaysIncludingCodesTheCheckWillRefuse) {
    const std::string file = Crlf(kOffDefaultFile);
    const struct {
        const char* name;
        std::string file;
        std::function<bool(const SettingRecord&)> holds;
    } cases[] = {
        {"first line in small letters", Replaced(file, {{"MODEL ZR915,T100", "model zr915,t100"}}),
         [](const SettingRecord& r) { return r.Wiring == 5; }},
        {"line feeds alone and blanks before fields",
         Replaced(file, {{"\r\n", "\n"}, {"CT 0.01,2.55", "CT  0.01,   2.00"}, {"\nLOAD", "\n  LOAD"}}),
         [](const SettingRecord& r) { return r.Ct[1] == 2.0f && r.Load == 2; }},
        // Written with one decimal, a ratio keeps its value: 2.5, not 2.55.
        {"values the check may refuse, rounded integers, two-digit years, ratios with any decimals",
         Replaced(file, {{"WIRING 5", "WIRING 99"},
                         {"LOAD 2", "LOAD 2.5"},
                         {"AVERAGING 10", "AVERAGING 3"},
                         {"CT 0.01,2.55", "CT 2.5,12.349"},
                         {"MSTART_TIME 04,01,05,9,30", "MSTART_TIME 7,2,3,09,05"},
                         {"BEEP 0", "BEEP 0.5001"}}),
         [](const SettingRecord& r) {
             return r.Wiring == 99 && r.Load == 2 && r.Average == -1 && r.Ct[0] == 2.5f && r.Ct[1] == 12.349f &&
                    r.StartTime == std::array<std::int16_t, 6>{2007, 2, 3, 9, 5, 0} && r.Beep == 1;
         }},
        {"nothing read past the last line", file + "EXTRA x\r\n",
         [](const SettingRecord& r) { return r.SaveHrmOrdSel == 3; }},
    };
    for (const auto& c : cases) {
        SettingRecord r = Factory();
        EXPECT_TRUE(ParseSettingFile(c.file, r)) << c.name;
        EXPECT_TRUE(c.holds(r)) << c.name;
    }
}

// One row for each way a field can fail to fit.
TEST(SettingFileReader, RefusesAnythingElseAndLeavesTheRecordUntouched) {
    const std::string file = Crlf(kOffDefaultFile);
    const std::pair<const char*, std::string> cases[] = {
        {"another model", Replaced(file, {{"ZR915", "ZR916"}})},
        {"a line left out", Replaced(file, {{"LOAD 2\r\n", ""}})},
        {"a value missing", Replaced(file, {{"CLAMP 0,1,4,9", "CLAMP 0,1,4"}})},
        {"a word for a number", Replaced(file, {{"SWELL 200", "SWELL high"}})},
        {"an exponent", Replaced(file, {{"SWELL 200", "SWELL 2e2"}})},
        {"a number too large for its item", Replaced(file, {{"SWELL 200", "SWELL 40000"}})},
        {"a ratio beyond single precision", Replaced(file, {{"VT 12.50", "VT 1" + std::string(40, '0')}})},
        {"a year beyond the item", Replaced(file, {{"MSTART_TIME 04", "MSTART_TIME 31000"}})},
        {"a timer beyond the item", Replaced(file, {{"MSTOP_TIMER 90061", "MSTOP_TIMER 2147483647"}})},
        {"a version that is no number", Replaced(file, {{"VERSION 9.98", "VERSION v9.98"}})},
        {"cut off before the order selection", file.substr(0, file.find("SAVE_ORDER_SEL"))},
    };
    for (const auto& [name, file] : cases) {
        const SettingRecord before = Factory();
        SettingRecord r = before;
        EXPECT_FALSE(ParseSettingFile(file, r)) << name;
        EXPECT_EQ(r, before) << name;
    }
}

TEST(SettingFileReader, OlderVersionsEndBeforeTheOrderSelection) {
    const std::string withSelection = Crlf(kOffDefaultFile);
    const std::string withoutSelection = withSelection.substr(0, withSelection.find("SAVE_ORDER_SEL"));
    for (const auto& [version, readsSelection] :
         {std::pair{"1.01", true}, {"Z", true}, {"1.00", false}, {"9.99", false}}) {
        const auto as = [&](const std::string& file) { return Replaced(file, {{"9.98", version}}); };
        SettingRecord r = Factory();
        ASSERT_TRUE(ParseSettingFile(as(readsSelection ? withSelection : withoutSelection), r)) << version;
        EXPECT_EQ(r.Version, version);
        EXPECT_EQ(r.SaveHrmOrdSel, readsSelection ? 3 : 0) << version;
        EXPECT_EQ(r.SaveHrmOrder[3], readsSelection ? 1 : 0) << version;  // the file's orders need the selection
        // An old file with the line anyway is still read; a newer one without it is not.
        SettingRecord other = Factory();
        EXPECT_EQ(ParseSettingFile(as(readsSelection ? withoutSelection : withSelection), other), !readsSelection)
            << version;
    }
}

// A locale that writes and reads numbers with a decimal comma.
struct DecimalComma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(SettingFileReader, ACommaLocaleChangesNothing) {
    const std::locale before = std::locale::global(std::locale(std::locale::classic(), new DecimalComma));
    const std::string cBefore = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "fr_FR"})
        if (std::setlocale(LC_ALL, name) != nullptr) break;
    const std::string written = FormatSettingFile(OffDefault());
    SettingRecord read = Factory();
    const bool parsed = ParseSettingFile(written, read);
    std::setlocale(LC_ALL, cBefore.c_str());
    std::locale::global(before);
    EXPECT_EQ(written, Crlf(kOffDefaultFile));
    EXPECT_TRUE(parsed);
    EXPECT_EQ(read, ReadBackExpected(OffDefault(), Factory()));
}

// A file is written in place of an older one, or the system's text is shown. A file that cannot
// be read, is longer than any setting file, or does not read as one is reported the same when it
// is loaded.
TEST(SettingFileOnDisk, WritesInPlaceOfAnOlderFileAndLoadsOnlyAFileThatReadsAndPassesTheCheck) {
    test::RecordingMessages messages;
    test::FixedClock clock{{2024, 4, 1, 9, 0, 37}};
    AppContext ctx{messages, clock};
    test::TemporaryFolder folder;
    const auto path = [&](const char* name) { return (folder.path() / name).string(); };
    const std::string file = folder.write("915ZR000.SET", "an older, longer file that the new one replaces entirely");
    ASSERT_EQ(WriteSettingFile(ctx, file, OffDefault()), 0);
    EXPECT_EQ(test::FileBytes(file), Crlf(kOffDefaultFile));
    EXPECT_TRUE(messages.boxes.empty());

    EXPECT_EQ(WriteSettingFile(ctx, path("missing/915ZR000.SET"), Factory()), -1);
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_NE(messages.texts()[0].find("No such file or directory"), std::string::npos) << messages.texts()[0];

    messages.boxes.clear();
    ctx.CurrentSetting = Factory();
    const std::string bad = folder.write("BAD.SET", Replaced(Crlf(kOffDefaultFile), {{"DIP 10", "DIP ten"}}));
    const std::string tooLong = folder.write("LONG.SET", Crlf(kOffDefaultFile) + std::string(64 * 1024, ' '));
    for (const std::string& file : {bad, tooLong, path("NONE.SET"), folder.path().string()})
        EXPECT_EQ(LoadSettingFile(ctx, file), -1) << file;
    SettingRecord good = Factory();
    good.FileName = "DATA_001", good.Swell = 150;
    SettingRecord refused = good;
    refused.Wiring = 9;
    ASSERT_EQ(WriteSettingFile(ctx, path("REFUSED.SET"), refused), 0);
    EXPECT_EQ(LoadSettingFile(ctx, path("REFUSED.SET")), -1);
    EXPECT_EQ(ctx.CurrentSetting, Factory());
    EXPECT_EQ(messages.texts(),
              (Texts{"Not setting file.", "Not setting file.", "Not setting file.", "Not setting file.",
                     "Invalid wiring."}));

    messages.boxes.clear();
    ASSERT_EQ(WriteSettingFile(ctx, path("GOOD.SET"), good), 0);
    EXPECT_EQ(LoadSettingFile(ctx, path("GOOD.SET")), 0);
    EXPECT_EQ(ctx.CurrentSetting, ReadBackExpected(good, Factory()));
    EXPECT_TRUE(messages.boxes.empty());
}

}  // namespace
}  // namespace voltaro
