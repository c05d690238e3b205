#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "DataFileImage.h"
#include "support/FileSizeLimit.h"

namespace voltaro::test {
namespace {

namespace fs = std::filesystem;

const std::string kDate = "2004/01/01,00:00:00";

std::string InstFile(const std::string& model = "ZR915") {
    return InstHeader{.model = model}.bytes() + InstRecord(kDate, "ABCDEFGHI", std::vector<std::uint32_t>(10, 0));
}
std::string Numbered(const std::string& stem, int k) {
    return stem + (k < 0 ? "" : (k < 10 ? "(0" : "(") + std::to_string(k) + ")") + ".CSV";
}

using ConversionRun = ConversionFixture;

// A file that is not the meter's stops the run: the next file is left alone.
TEST_F(ConversionRun, StopsAtTheFirstFileThatCannotBeConverted) {
    for (const char* model : {"zr915", "ZR916"}) {
        SCOPED_TRACE(model);
        TemporaryFolder folder;
        put("A.BIN", InstFile(model));
        put("B.BIN", InstFile());
        EXPECT_FALSE(convert({"A.BIN", "B.BIN"}, folder.path().string()).completed);
        EXPECT_EQ(messages.texts(), Texts{kNotDataFile});
        EXPECT_TRUE(fs::is_empty(folder.path()));
    }
}

// A file that ends inside its header is not normal: nothing is written for it and the run goes
// on with the next file.
TEST_F(ConversionRun, AFileCutInsideItsHeaderIsNotNormalAndWritesNothing) {
    const std::string inst = InstHeader{}.bytes(), wave = WaveHeader{}.bytes();
    const std::pair<std::string, std::string> cases[] = {
        {"I10.BIN", inst.substr(0, 10)}, {"I40.BIN", inst.substr(0, 40)}, {"I63.BIN", inst.substr(0, 63)},
        {"W10.WFM", wave.substr(0, 10)}, {"W15.WFM", wave.substr(0, 15)}, {"W20.WFM", wave.substr(0, 20)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        TemporaryFolder folder;
        put(name, bytes);
        put("NEXT.BIN", InstFile());
        EXPECT_TRUE(convert({name, "NEXT.BIN"}, folder.path().string()).completed);
        EXPECT_EQ(messages.texts(), (Texts{name + "is not a normal file.", kCompleted}));
        EXPECT_EQ(folder.names(), Texts{"NEXT.CSV"});
    }
    // A header that is whole is enough: a file without records converts to its header lines.
    put("HEAD.BIN", inst);
    convert({"HEAD.BIN"});
    EXPECT_EQ(messages.texts(), Texts{kCompleted});
}

// An empty output folder is refused before anything is written, not taken for the root.
TEST_F(ConversionRun, AnEmptyOutputFolderIsRefused) {
    put("EMPTYOUT.BIN", InstFile());
    EXPECT_FALSE(RunConversion(ctx, {{input.path().string(), "EMPTYOUT.BIN"}}, "", observer).completed);
    EXPECT_EQ(messages.texts(), Texts{"Drive not ready."});
    EXPECT_FALSE(fs::exists("/EMPTYOUT.CSV"));
}

TEST_F(ConversionRun, ChoosesTheFirstFreeOutputNameAndNeverOverwrites) {
    struct Case { std::vector<std::string> files; std::string created; };
    std::vector<std::string> upTo98;
    for (int k = -1; k <= 98; ++k) upTo98.push_back(Numbered("DATA0001", k));
    const Case cases[] = {
        {{}, "DATA0001.CSV"},
        {{"DATA0001.CSV", "DATA0001(00).CSV"}, "DATA0001(01).CSV"},
        {{"DATA0001.CSV", "DATA0001(01).CSV"}, "DATA0001(00).CSV"},
        {upTo98, "DATA0001(99).CSV"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.created);
        TemporaryFolder folder;
        for (const std::string& name : c.files) std::ofstream(folder.path() / name) << "old";
        put("DATA0001.BIN", InstFile());
        convert({"DATA0001.BIN"}, folder.path().string());
        EXPECT_EQ(messages.texts(), Texts{kCompleted});
        EXPECT_EQ(csv(c.created, folder.path()).substr(0, 18), "MODEL,ZR915,T351\r\n");
        for (const std::string& name : c.files) EXPECT_EQ(csv(name, folder.path()), "old") << name;
    }
}

// A file is named, and shown, only once it is complete: a failed write leaves nothing
// partial behind, and the run is not completed.
TEST_F(ConversionRun, AFailedWriteLeavesNoPartialFileAndNamesNone) {
    struct Created final : ConversionObserver {
        std::vector<std::string> paths;
        void outputCreated(const std::string& path) override { paths.push_back(path); }
    } created;
    std::string records;
    for (int i = 0; i < 200; ++i) records += InstRecord(kDate, "ABCDEFGHI", std::vector<std::uint32_t>(10, 0));
    put("BIG.BIN", InstHeader{}.bytes() + records);
    put("SMALL.BIN", InstFile());
    {
        const FileSizeLimit fullDisk(4096);
        EXPECT_FALSE(RunConversion(ctx, {{input.path().string(), "SMALL.BIN"}, {input.path().string(), "BIG.BIN"}},
                                   output.path().string(), created)
                         .completed);
    }
    EXPECT_EQ(messages.texts(), Texts{(output.path() / "BIG.CSV").string() + ": File too large"});
    EXPECT_EQ(output.names(), Texts{"SMALL.CSV"});
    EXPECT_EQ(created.paths, Texts{(output.path() / "SMALL.CSV").string()});
}

// Asked to stop, a run keeps the files it converted, drops the one at hand and says so.
TEST_F(ConversionRun, AStopKeepsTheFilesConvertedBefore) {
    struct StopDuringSecondFile final : ConversionObserver {
        mutable int asked = 0;
        bool stopRequested() const override { return ++asked > 2; }
    } stopping;
    put("A.BIN", InstFile());
    put("B.BIN", InstFile());
    put("C.BIN", InstFile());
    EXPECT_FALSE(RunConversion(ctx, {{input.path().string(), "A.BIN"}, {input.path().string(), "B.BIN"},
                                     {input.path().string(), "C.BIN"}},
                               output.path().string(), stopping)
                     .completed);
    EXPECT_EQ(messages.texts(), Texts{"Data conversion was cancelled."});
    EXPECT_EQ(output.names(), Texts{"A.CSV"});
}

// A stop asked for in the middle of a long file ends it there, with no file and no temporary one
// left; the progress said before it only grew, and never beyond the file.
TEST_F(ConversionRun, AStopInsideALongFileLeavesNothingOfIt) {
    struct StopAtSecondStep final : ConversionObserver {
        std::vector<std::uint64_t> done;
        void progress(const std::string&, std::uint64_t d, std::uint64_t total) override {
            EXPECT_LE(d, total);
            done.push_back(d);
        }
        bool stopRequested() const override { return done.size() >= 3; }
    } stopping;
    const std::string record = InstRecord("2004/01/01,00:00:00", "123456789", std::vector<std::uint32_t>(10, 0));
    put("LONG.BIN", InstHeader{}.bytes() + Repeat(record, (12 << 20) / record.size()));
    EXPECT_FALSE(RunConversion(ctx, {{input.path().string(), "LONG.BIN"}}, output.path().string(), stopping).completed);
    EXPECT_EQ(messages.texts(), Texts{"Data conversion was cancelled."});
    EXPECT_EQ(output.names(), Texts{});
    ASSERT_EQ(stopping.done.size(), 3U);
    EXPECT_TRUE(std::is_sorted(stopping.done.begin(), stopping.done.end()));
    EXPECT_GE(stopping.done.back(), 8U << 20);
    EXPECT_LT(stopping.done.back(), 12U << 20);
}

TEST_F(ConversionRun, WritesTheInstantaneousHeaderLinesExactly) {
    put("H.BIN", InstHeader{.type = "T300", .version = "9.87", .id = "123", .load = 2, .wiring = 1, .varMethod = 1,
                            .frequency = 1, .sampling = 1, .source = 2, .interval = 3, .uRange = 3,
                            .aRange = {1, 17, 18, 20}, .vt = 1.5f, .ct = {0.0f, 2.345f, 1000.0f, 0.666f}}
                     .bytes());
    convert({"H.BIN"});
    const std::string lines =
        "MODEL,ZR915,T350\r\nVERSION,9.87\r\nID,123\r\nLOAD,2\r\nWIRING,1P3W\r\nVAR_METHOD,ON\r\nFREQUENCY,60Hz\r\n"
        "SAMPLING,FIX\r\nSOURCE,U3\r\nINTERVAL,500msec\r\nU_RANGE,1000V\r\nA_RANGE,200mA,1kA,1.5kA,3kA\r\n"
        "VT,1.50\r\nCT,0.00,2.35,1000.00,0.67\r\r\n";
    EXPECT_EQ(csv("H.CSV").substr(0, lines.size()), lines);
}

}  // namespace
}  // namespace voltaro::test
