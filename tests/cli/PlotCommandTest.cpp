// voltaro plot: pictures of data files, and refusals that leave no file behind.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <sstream>

#include "cli/CommandLine.h"
#include "plot/PlotFiles.h"
#include "support/TemporaryFolder.h"

namespace voltaro {
namespace {

using test::FileBytes;

struct PlotCommand : ::testing::Test {
    test::TemporaryFolder folder;
    std::istringstream in;
    std::ostringstream out, err;
    std::string inst = folder.write("DATA.CSV", test::InstFile({
                                                    "2004/01/01,00:00:00,A,2.300E+02,1.000E+01,9.900E-01",
                                                    "2004/01/01,00:00:01,A,2.310E+02,1.200E+01,9.800E-01",
                                                    "2004/01/01,00:00:02,A,2.290E+02,OR,9.700E-01",
                                                    "2004/01/01,00:00:03,A,2.320E+02,1.100E+01,9.900E-01",
                                                }));
    std::string wave = folder.write(
        "WAVE.CSV", test::kWaveHeaderLines + test::Rows({test::WaveRow("U1_WAVE", "2004/01/01,00:00:00", 128, 0, 1),
                                                         test::WaveRow("I1_WAVE_1", "2004/01/01,00:00:00", 128, 5),
                                                         test::WaveRow("U1_WAVE", "2004/01/01,00:00:07", 128, 9),
                                                         test::WaveRow("I1_WAVE_1", "2004/01/01,00:00:07", 128, 1)}));

    int plot(std::vector<std::string> args) {
        out.str("");
        err.str("");
        args.insert(args.begin(), "plot");
        return RunCommandLine(args, {in, out, err});
    }
    std::string in_(const std::string& name) const { return (folder.path() / name).string(); }
};

// Pixels of the first series' colour (blue): the line was drawn.
int bluePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += pixel.blue() > 150 && pixel.red() < 60 ? 1 : 0;
        }
    return count;
}

TEST_F(PlotCommand, DrawsTheChosenColumnsAsAPngOrAnSvgPicture) {
    ASSERT_EQ(plot({inst, "-o", in_("PLOT.png")}), 0) << err.str();
    EXPECT_EQ(out.str(), in_("PLOT.png") + "\n");
    EXPECT_EQ(err.str(), "");
    const QImage image(QString::fromStdString(in_("PLOT.png")), "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(1280, 720));
    EXPECT_GT(bluePixels(image), 500);

    ASSERT_EQ(plot({"--columns", "I1_INST(A)_1,PF_INST_1", "-o", in_("PLOT.SVG"), inst}), 0) << err.str();
    const std::string svg = FileBytes(in_("PLOT.SVG"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    for (const char* text : {">DATA.CSV<", ">I1_INST(A)_1<", ">PF_INST_1<", ">Time from 2004/01/01 00:00:00<", ">A<"})
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    EXPECT_EQ(svg.find(">U1_INST(V)<"), std::string::npos);
}

TEST_F(PlotCommand, DrawsTheChannelsOfAWaveformRecord) {
    ASSERT_EQ(plot({wave, "--record", "2", "--columns", "I1_WAVE_1", "-o", in_("WAVE.svg")}), 0) << err.str();
    const std::string svg = FileBytes(in_("WAVE.svg"));
    for (const char* text : {">WAVE.CSV   Record 2   2004/01/01 00:00:07<", ">I1_WAVE_1<", ">Sample<", ">120<"})
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    EXPECT_EQ(svg.find(">U1_WAVE<"), std::string::npos);
    ASSERT_EQ(plot({wave, "-o", in_("WAVE.svg")}), 0) << err.str();
    const std::string first = FileBytes(in_("WAVE.svg"));
    for (const char* text : {"Record 1   2004/01/01 00:00:00<", ">U1_WAVE<", ">I1_WAVE_1<", ">V, A<"})
        EXPECT_NE(first.find(text), std::string::npos) << text;
}

// A refused command says why once, exits 1 (2 for a usage error) and leaves the picture that was
// there as it was, and nothing beside it.
TEST_F(PlotCommand, RefusalsLeaveTheEarlierPictureAndNoOtherFile) {
    const std::string earlier = folder.write("PLOT.png", "earlier picture");
    std::filesystem::create_directory(folder.path() / "FOLDER.png");
    const struct {
        std::vector<std::string> args;
        int status;
        std::string message;  // the first line of the error stream
    } cases[] = {
        {{inst, "--columns", "U1_INST(V),U9_INST(V)", "-o", earlier}, 1, "DATA.CSV: No such column: U9_INST(V)"},
        {{wave, "--columns", "U2_WAVE", "-o", earlier}, 1, "WAVE.CSV: No such column: U2_WAVE"},
        {{wave, "--record", "3", "-o", earlier}, 1, "WAVE.CSV: No such record: 3"},
        {{inst, "--record", "1", "-o", earlier}, 1, "DATA.CSV: Only a waveform file has records."},
        {{in_("NONE.CSV"), "-o", earlier}, 1, in_("NONE.CSV") + ": No such file or directory"},
        {{earlier, "-o", earlier}, 1, "PLOT.png: It is not a data file the viewer can show."},
        {{inst, "-o", in_("FOLDER.png")}, 1, in_("FOLDER.png") + ": Not a regular file"},
        {{inst, "-o", in_("NO/PLOT.png")}, 1, in_("NO/PLOT.png") + ": No such file or directory"},
        {{inst}, 2, "voltaro plot: no picture file given (-o PLOT.png or -o PLOT.svg)"},
        {{inst, "-o", in_("PLOT.jpg")}, 2, "voltaro plot: the picture file's name must end in .png or .svg"},
        {{inst, "--record", "0", "-o", earlier}, 2, "voltaro plot: option --record needs a record number from 1"},
        {{inst, wave, "-o", earlier}, 2, "voltaro plot: one file at a time, not also '" + wave + "'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(plot(c.args), c.status);
        EXPECT_EQ(err.str().substr(0, err.str().find('\n')), c.message);
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(FileBytes(earlier), "earlier picture");
        EXPECT_EQ(folder.names(), (std::vector<std::string>{"DATA.CSV", "FOLDER.png", "PLOT.png", "WAVE.CSV"}));
    }
}

}  // namespace
}  // namespace voltaro
