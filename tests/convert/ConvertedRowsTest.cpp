#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "DataFileImage.h"

namespace voltaro::test {
namespace {

namespace fs = std::filesystem;

const std::string kDate = "2004/01/01,00:00:00";
const std::string kDate2 = "2004/12/31,23:59:59";

// Column titles, block by block: a load's currents and powers carry its suffix.
std::string Load(const std::string& suffix, const std::string& currents) {
    std::string out;
    std::istringstream items(currents + ",P_INST(W),Q_INST(var),S_INST(VA),PF_INST,PA_INST(deg)");
    for (std::string item; std::getline(items, item, ',');) out += "," + item + "_" + suffix;
    return out;
}
const std::string U2 = ",U1_INST(V),U2_INST(V),Uave_INST(V)", U3 = ",U1_INST(V),U2_INST(V),U3_INST(V),Uave_INST(V)";
const std::string I2 = "I1_INST(A),I2_INST(A),Iave_INST(A)", I3 = "I1_INST(A),I2_INST(A),I3_INST(A),Iave_INST(A)";
const std::string Hz = ",F_INST(Hz)", A = ",U1_INST(V)" + Load("1", "I1_INST(A)") + Hz, A2 = Load("2", "I1_INST(A)");
const std::string A3 = Load("3", "I1_INST(A)"), A4 = Load("4", "I1_INST(A)");
const std::string B = U2 + Load("1", I2) + Hz, B2 = Load("2", I2), C = U2 + Load("1", I2 + ",I4_INST(A)") + Hz;
const std::string D = U3 + Load("1", I3) + Hz, D2 = Load("2", I3), E = U3 + Load("1", I3 + ",I4_INST(A)") + Hz;
const std::string F = Load("3P", "U1_INST(V),U2_INST(V),U3_INST(V),Uave_INST(V)," + I3) + Hz;
const std::string F1 = Load("1P", "U1_INST(V),U2_INST(V),Uave_INST(V)," + I2);
const std::string DC = ",DC1_INST(V),DC2_INST(V)";

// The values first, first + 1, ... (whole numbers below 100) and their texts.
std::vector<std::uint32_t> Wholes(int first, int count) {
    std::vector<std::uint32_t> out;
    for (int k = first; k < first + count; ++k) out.push_back(BitsOf(static_cast<float>(k)));
    return out;
}
std::string WholeTexts(int first, int count) {
    std::string out;
    char text[16];
    for (int k = first; k < first + count; ++k) out.append(text, std::snprintf(text, sizeof text, ",%.3E", k * 1.0));
    return out;
}

using ConvertedRows = ConversionFixture;

TEST_F(ConvertedRows, EveryWiringGetsItsTitlesAndValueCount) {
    struct Case {
        std::uint8_t wiring, load;
        int count;  // with the DC inputs
        std::string first, rest;
    };
    const Case cases[] = {
        {0, 1, 10, A, ""},  {0, 2, 16, A, A2},     {0, 3, 22, A, A2 + A3}, {0, 4, 28, A, A2 + A3 + A4},
        {1, 1, 14, B, ""},  {1, 2, 22, B, B2},     {2, 1, 15, C, ""},      {3, 1, 16, D, ""},
        {3, 2, 25, D, D2},  {4, 1, 16, D, ""},     {5, 1, 16, D, ""},      {6, 1, 17, E, ""},
        {7, 1, 27, F, F1},
    };
    for (const Case& c : cases) {
        for (const bool dc : {false, true}) {
            const std::string titles = c.first + (dc ? DC : "") + c.rest;
            const int count = dc ? c.count : c.count - 2;
            ASSERT_EQ(std::count(titles.begin(), titles.end(), ','), count);  // one title per value
            const std::string name = "W" + std::to_string(c.wiring) + "L" + std::to_string(c.load) + (dc ? "DC" : "");
            SCOPED_TRACE(name);
            put(name + ".BIN", InstHeader{.type = dc ? "T301" : "T300", .load = c.load, .wiring = c.wiring}.bytes() +
                                   InstRecord(kDate, "ABCDEFGHI", Wholes(1, count)) +
                                   InstRecord(kDate2, "xyz      ", std::vector<std::uint32_t>(count, kOverRange)));
            convert({name + ".BIN"});
            EXPECT_EQ(afterInstHeader(name + ".CSV"),
                      "DATE,TIME," + titles + "\r\n" + kDate + ",ABCDEFGHI" + WholeTexts(1, count) + "\r\n" + kDate2 +
                          ",xyz      " + Repeat(",OR", static_cast<std::size_t>(count)) + "\r\n");
            EXPECT_EQ(messages.texts(), Texts{kCompleted});
        }
    }
}

// The last record is cut short or damaged; everything before it stays converted.
TEST_F(ConvertedRows, DamagedLastRecordKeepsWhatCameBefore) {
    const std::string instFile = InstHeader{}.bytes() + InstRecord(kDate, "FIRST    ", Wholes(1, 10));
    const std::string instRows = "DATE,TIME," + A + DC + "\r\n" + kDate + ",FIRST    " + WholeTexts(1, 10) + "\r\n";
    const std::string instLast = InstRecord(kDate2, "SECOND   ", Wholes(11, 10));
    const std::string i = kDate2 + ",SECOND   ", iFull = i + WholeTexts(11, 10) + "\r\n";
    // Item names of 7, 9 and 10 characters.
    const std::string waveFile =
        WaveHeader{}.bytes() + WaveRecord("U1_WAVE", kDate, 1) + WaveRecord("I1_WAVE_1", kDate, 2);
    const std::string waveRows = kWaveHeaderLines + "U1_WAVE," + kDate + Repeat(",1.000000E+00", 128) + "\r\n" +
                                 "I1_WAVE_1," + kDate + Repeat(",2.000000E+00", 128) + "\r\n";
    const std::string waveLast = WaveRecord("I4_WAVE_1P", kDate2, 3);
    const std::string w = "I4_WAVE_1P," + kDate2, threes = Repeat(",3.000000E+00", 128);
    struct Case {
        const char* label;
        bool wave;
        std::size_t keep;  // bytes of the last record left in the file
        int patchAt;
        char patch;
        std::string lastRow;
        bool notNormal;
    };
    const std::size_t all = std::string::npos;
    const Case cases[] = {
        {"complete", false, all, -1, 0, iFull, false},
        {"digits are not checked", false, all, 15, 'a', iFull.substr(0, 15) + "a" + iFull.substr(16), false},
        {"ends inside the date", false, 12, -1, 0, "", true},
        {"ends right after the field", false, 30, -1, 0, i + "\r\n", true},
        {"ends inside the last value", false, 69, -1, 0, i + WholeTexts(11, 9) + "\r\n", true},
        {"dash for a slash", false, all, 4, '-', "", true},
        {"no comma after the time", false, all, 19, ';', "", true},
        {"complete", true, all, -1, 0, w + threes + "\r\n", false},
        {"year is not checked", true, all, 11, 'Y', "I4_WAVE_1P,Y" + kDate2.substr(1) + threes + "\r\n", false},
        {"ends inside the date", true, 20, -1, 0, "I4_WAVE_1P,", true},
        {"ends inside the samples", true, 30 + 400 + 2, -1, 0, w + Repeat(",3.000000E+00", 100) + "\r\n", true},
        {"dash for a colon", true, all, 11 + 13, '-', "I4_WAVE_1P,", true},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::string last = (c.wave ? waveLast : instLast).substr(0, c.keep);
        if (c.patchAt >= 0) last[static_cast<std::size_t>(c.patchAt)] = c.patch;
        const std::string name = "CUT" + std::to_string(++n) + (c.wave ? ".WFM" : ".BIN");
        put(name, (c.wave ? waveFile : instFile) + last);
        convert({name});
        const std::string stem = name.substr(0, name.size() - 4) + ".CSV";
        EXPECT_EQ(c.wave ? csv(stem) : afterInstHeader(stem), (c.wave ? waveRows : instRows) + c.lastRow);
        EXPECT_EQ(messages.texts(),
                  (c.notNormal ? Texts{name + "is not a normal file.", kCompleted} : Texts{kCompleted}));
    }
}

// Files far longer than one block of work: every record keeps its row and its place, whichever
// block it falls in and however the blocks cut it, and a damaged record late in the file ends the
// rows there as it would anywhere.
TEST_F(ConvertedRows, LongFilesKeepEveryRowInOrder) {
    const std::string names[] = {"U1_WAVE", "I1_WAVE_1", "I4_WAVE_1P"};  // records of 539, 541 and 542 bytes
    std::string waveFile = WaveHeader{}.bytes(), instFile = InstHeader{}.bytes();
    std::string instRows = "DATE,TIME," + A + DC + "\r\n";
    std::vector<std::size_t> waveStarts, waveRowStarts;
    std::string waveRows = kWaveHeaderLines;
    for (int r = 0; r < 3000; ++r) {
        const std::string& name = names[r % 3];
        waveStarts.push_back(waveFile.size());
        waveRowStarts.push_back(waveRows.size());
        waveFile += WaveRecord(name, kDate, static_cast<float>(r % 97));
        char sample[16];
        std::snprintf(sample, sizeof sample, ",%.6E", r % 97 * 1.0);
        waveRows += name + "," + kDate + Repeat(sample, 128) + "\r\n";
        const std::string field = std::to_string(100000000 + r);
        instFile += InstRecord(kDate2, field, Wholes(r % 89, 10));
        instRows += kDate2 + "," + field + WholeTexts(r % 89, 10) + "\r\n";
    }
    put("LONG.WFM", waveFile + WaveRecord("U2_WAVE", kDate, 1));
    put("CUT.BIN", instFile + InstRecord(kDate, "CUT      ", Wholes(1, 10)).substr(0, 30 + 4 * 7 + 2));
    const int bad = 2345;  // a record named I4_WAVE_1P, its date's first slash a dash
    std::string damaged = waveFile;
    damaged[waveStarts[bad] + 11 + 4] = '-';
    put("BAD.WFM", damaged);

    convert({"LONG.WFM", "CUT.BIN", "BAD.WFM"});
    EXPECT_EQ(csv("LONG.CSV"), waveRows + "U2_WAVE," + kDate + Repeat(",1.000000E+00", 128) + "\r\n");
    EXPECT_EQ(afterInstHeader("CUT.CSV"), instRows + kDate + ",CUT      " + WholeTexts(1, 7) + "\r\n");
    EXPECT_EQ(csv("BAD.CSV"), waveRows.substr(0, waveRowStarts[bad]) + "I4_WAVE_1P,");
    EXPECT_EQ(messages.texts(), (Texts{"CUT.BINis not a normal file.", "BAD.WFMis not a normal file.", kCompleted}));
}

}  // namespace
}  // namespace voltaro::test
