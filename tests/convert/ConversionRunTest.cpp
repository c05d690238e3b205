#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "DataFileImage.h"

namespace voltaro::test {
namespace {

namespace fs = std::filesystem;

const std::string kDate = "2004/01/01,00:00:00";

std::string InstFile(const std::string& model = "ZR915", const std::string& type = "T301", std::uint8_t wiring = 0) {
    return InstHeader{.model = model, .type = type, .wiring = wiring}.bytes() +
           InstRecord(kDate, "ABCDEFGHI", std::vector<std::uint32_t>(type == "T301" ? 10 : 8, 0));
}
std::string WaveFile(const std::string& model, const std::string& type) {
    return WaveHeader{model, type}.bytes() + WaveRecord("U1_WAVE", kDate, 0);
}
std::string Numbered(const std::string& stem, int k) {
    return stem + (k < 0 ? "" : (k < 10 ? "(0" : "(") + std::to_string(k) + ")") + ".CSV";
}

using ConversionRun = ConversionFixture;

// A file that cannot be converted at all stops the run: the next file is left alone.
TEST_F(ConversionRun, StopsAtTheFirstFileThatCannotBeConverted) {
    // No text: the system's own.
    struct Case { std::string first, firstBytes, text; int namesTaken = 0; bool outputMissing = false; };
    const Case cases[] = {
        {"model.BIN", InstFile("zr915"), kNotDataFile},
        {"other.bin", InstFile("ZR916"), kNotDataFile},
        {"wave.WFM", WaveFile("ZR915", "T300"), kNotDataFile},
        {"inst.BIN", InstFile("ZR915", "T500"), kNotDataFile},
        {"next.BIN", InstFile("ZR915", "T302"), kNotDataFile},
        {"data.DAT", InstFile(), kNotDataFile},
        {".bin", InstFile(), "Invalid filename."},
        {"taken.BIN", InstFile(), "Cannot create file.", 101},
        {"nowhere.BIN", InstFile(), "Cannot create file.", 0, true},
        {"missing.BIN", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        TemporaryFolder folder;
        if (!c.firstBytes.empty()) put(c.first, c.firstBytes);
        put("B.BIN", InstFile());
        for (int k = -1; k < c.namesTaken - 1; ++k)
            std::ofstream(folder.path() / Numbered(c.first.substr(0, c.first.size() - 4), k)) << "old";
        const ConversionSummary summary =
            convert({c.first, "B.BIN"}, (folder.path() / (c.outputMissing ? "absent" : "")).string());
        EXPECT_FALSE(summary.completed);
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_EQ(messages.boxes[0].icon, MessageIcon::Stop);
        EXPECT_EQ(messages.boxes[0].title, "Data Convert");
        if (!c.text.empty()) { EXPECT_EQ(messages.boxes[0].text, c.text); }
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), c.namesTaken);
    }
}

// A file found not normal keeps what was converted and the run goes on.
TEST_F(ConversionRun, GoesOnAfterAFileThatIsNotNormal) {
    const std::string good = InstFile();
    const std::string cases[][2] = {
        {"CUT.BIN", good.substr(0, good.size() - 1)},
        {"WIRE8.bin", InstFile("ZR915", "T301", 8)},
        {"DATE.Wfm", WaveFile("ZR915", "T500") + "U2_WAVE,2004/01/01-00:00:00"},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        TemporaryFolder folder;
        put(name, bytes);
        put("NEXT.BIN", good);
        EXPECT_TRUE(convert({name, "NEXT.BIN"}, folder.withSeparator()).completed);
        EXPECT_EQ(messages.texts(), (Texts{name + "is not a normal file.", kCompleted}));
        EXPECT_EQ(csv("NEXT.CSV", folder.path()).substr(0, 18), "MODEL,ZR915,T351\r\n");
        EXPECT_EQ(csv(name.substr(0, name.size() - 4) + ".CSV", folder.path()).substr(0, 13), "MODEL,ZR915,T");
    }
}

TEST_F(ConversionRun, ChoosesTheFirstFreeOutputNameAndNeverOverwrites) {
    struct Case { std::string input; std::vector<std::string> files, folders; std::string created; };
    std::vector<std::string> upTo98;
    for (int k = -1; k <= 98; ++k) upTo98.push_back(Numbered("DATA0001", k));
    const Case cases[] = {
        {"DATA0001.BIN", {}, {}, "DATA0001.CSV"},
        {"data0001.bin", {}, {}, "data0001.CSV"},
        {"A.BIN", {}, {}, "A.CSV"},
        {"DATA0001.BIN", {"DATA0001.CSV", "DATA0001(00).CSV"}, {}, "DATA0001(01).CSV"},
        {"DATA0001.BIN", {"DATA0001.CSV", "DATA0001(01).CSV"}, {}, "DATA0001(00).CSV"},
        {"DATA0001.BIN", {}, {"DATA0001.CSV"}, "DATA0001(00).CSV"},
        {"DATA0001.BIN", upTo98, {}, "DATA0001(99).CSV"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.created);
        TemporaryFolder folder;
        for (const std::string& name : c.files) std::ofstream(folder.path() / name) << "old";
        for (const std::string& name : c.folders) fs::create_directory(folder.path() / name);
        put(c.input, InstFile("ZR915", "T300"));
        convert({c.input}, folder.path().string());
        EXPECT_EQ(messages.texts(), Texts{kCompleted});
        EXPECT_EQ(csv(c.created, folder.path()).substr(0, 18), "MODEL,ZR915,T350\r\n");
        for (const std::string& name : c.files) EXPECT_EQ(csv(name, folder.path()), "old") << name;
    }
}

TEST_F(ConversionRun, WritesTheInstantaneousHeaderLinesExactly) {
    const std::string cases[][2] = {
        {InstHeader{.type = "T300", .version = "9.87", .id = "123", .load = 2, .wiring = 1, .varMethod = 1,
                    .frequency = 1, .sampling = 1, .source = 2, .interval = 3, .uRange = 3, .aRange = {1, 17, 18, 20},
                    .vt = 1.5f, .ct = {0.0f, 2.345f, 1000.0f, 0.666f}}.bytes(),
         "MODEL,ZR915,T350\r\nVERSION,9.87\r\nID,123\r\nLOAD,2\r\nWIRING,1P3W\r\nVAR_METHOD,ON\r\nFREQUENCY,60Hz\r\n"
         "SAMPLING,FIX\r\nSOURCE,U3\r\nINTERVAL,500msec\r\nU_RANGE,1000V\r\nA_RANGE,200mA,1kA,1.5kA,3kA\r\n"
         "VT,1.50\r\nCT,0.00,2.35,1000.00,0.67\r\r\n"},
        // Codes without a text.
        {InstHeader{.load = 0, .varMethod = 2, .frequency = 2, .sampling = 2, .source = 3, .interval = 4, .uRange = 4,
                    .aRange = {0, 21, 255, 5}}.bytes(),
         "MODEL,ZR915,T351\r\nVERSION,1.23\r\nID,042\r\nLOAD,0\r\nWIRING,1P2W\r\nVAR_METHOD,-1\r\nFREQUENCY,-1\r\n"
         "SAMPLING,-1\r\nSOURCE,-1\r\nINTERVAL,-1\r\nU_RANGE,-1\r\nA_RANGE,100mA,3kA,3kA,5A\r\nVT,1.00\r\n"
         "CT,1.00,1.00,1.00,1.00\r\r\n"},
        // A wiring without value count keeps its header but gets no data row.
        {InstHeader{.load = 4, .wiring = 9, .source = 1, .interval = 2, .uRange = 2, .aRange = {2, 13, 19, 16},
                    .vt = 0.0f, .ct = {12.3449f, -3.25f, 0.004f, 6000.0f}}.bytes() +
             InstRecord(kDate, "ABCDEFGHI", std::vector<std::uint32_t>(28, 0)),
         "MODEL,ZR915,T351\r\nVERSION,1.23\r\nID,042\r\nLOAD,4\r\nWIRING,3P3W+1P3W\r\nVAR_METHOD,OFF\r\n"
         "FREQUENCY,50Hz\r\nSAMPLING,PLL\r\nSOURCE,U2\r\nINTERVAL,200msec\r\nU_RANGE,600V\r\n"
         "A_RANGE,500mA,200A,2kA,750A\r\nVT,0.00\r\nCT,12.34,-3.25,0.00,6000.00\r\r\n"},
    };
    int n = 0;
    for (const auto& [bytes, lines] : cases) {
        const std::string name = "H" + std::to_string(++n);
        SCOPED_TRACE(name);
        put(name + ".BIN", bytes);
        convert({name + ".BIN"});
        const std::string text = csv(name + ".CSV");
        EXPECT_EQ(text.substr(0, lines.size()), lines);
        EXPECT_EQ(text.find(kDate), std::string::npos);
    }
}

}  // namespace
}  // namespace voltaro::test
