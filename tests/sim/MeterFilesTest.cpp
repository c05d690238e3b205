#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "sim/SimulatedLine.h"
#include "support/TemporaryFolder.h"

namespace voltaro {
namespace {

using sim::MeterFaults;
using sim::MeterFolders;
using test::SimulatedLine;
using test::TemporaryFolder;

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A card with files of several kinds, and things the meter does not list.
class MeterFilesTest : public testing::Test {
protected:
    MeterFilesTest() {
        std::filesystem::create_directories(card() / "SUB.BIN");
        std::filesystem::create_directories(memory());
        WriteFile(card() / "B0002.BIN", std::string("\x01\x02\x03", 3));
        WriteFile(card() / "A0001.BIN", "");
        WriteFile(card() / "DAY1.CSV", "MODEL,ZR915,T200\nDATE,TIME\r\n2024/04/01,09:00:00");
        WriteFile(card() / "lower.bin", "xx");
        WriteFile(card() / ".BIN", "xx");
        WriteFile(memory() / "ALARMS.ARM", "");
        WriteFile(folder.path() / "OUTSIDE.BIN", "secret");
    }

    std::filesystem::path card() const { return folder.path() / "card"; }
    std::filesystem::path memory() const { return folder.path() / "memory"; }

    // The meter on this card and memory, headers off.
    std::unique_ptr<SimulatedLine> line(MeterFaults faults = {}) const {
        auto made = std::make_unique<SimulatedLine>(std::move(faults), MeterFolders{card(), memory()});
        made->tell(":COMM:HEAD OFF");
        return made;
    }

    TemporaryFolder folder;
};

struct Directory {
    const char* query;
    const char* reply;
};

const Directory kDirectories[] = {
    {":CARD:DIRE? INST", "A0001,0,B0002,3"},
    {":CARD:DIRE? MEAS", "DAY1,47"},
    {":CARD:DIRE? WAVE", ""},
    {":CARD:DIRE? ALM", ""},
    {":CARD:DIRE? FROB", ""},
    {":MEMO:DIRE? ALM", "ALARMS,0"},
    {":MEMO:DIRE? INST", ""},
};

TEST_F(MeterFilesTest, DirectoriesListTheFilesOfOneKindInNameOrder) {
    const auto meter = line();
    for (const Directory& row : kDirectories) EXPECT_EQ(meter->ask(row.query), row.reply) << row.query;
}

TEST_F(MeterFilesTest, BinaryFilesComeAsTheirBytesBetweenALeadingAndATrailingByte) {
    const auto meter = line();
    meter->tell(":CARD:PICK? B0002.BIN,1,3");
    EXPECT_EQ(meter->receiveAll(), std::string("\x02\x01\x02\x03\x03", 5));
    meter->tell(":CARD:PICK? A0001.BIN,1,0");
    EXPECT_EQ(meter->receiveAll(), "\x02\x03");
}

TEST_F(MeterFilesTest, TextFilesComeAsCrLfLinesBetweenStxAndEtx) {
    const auto meter = line();
    meter->tell(":CARD:PICK? DAY1.CSV,1,47");
    EXPECT_EQ(meter->receiveAll(), "\x02MODEL,ZR915,T200\r\nDATE,TIME\r\n2024/04/01,09:00:00\r\n\x03");
    meter->tell(":MEMO:PICK? ALARMS.ARM,1,0");
    EXPECT_EQ(meter->receiveAll(), "\x02\x03");
}

TEST_F(MeterFilesTest, AFileTheMediumDoesNotHoldGetsNoReply) {
    const auto meter = line();
    for (const char* pick : {":CARD:PICK? NONE.BIN,1,5", ":CARD:PICK? ../OUTSIDE.BIN,1,6", ":CARD:PICK? SUB.BIN,1,0",
                             ":MEMO:PICK? B0002.BIN,1,3", ":CARD:PICK? ,1,0"}) {
        meter->tell(pick);
        EXPECT_EQ(meter->receiveAll(), "") << pick;
    }
}

TEST_F(MeterFilesTest, ABrokenTransferStopsAfterTheBytesTheFaultAllows) {
    MeterFaults faults;
    faults.stopTransferAfter = 3;
    const auto meter = line(faults);
    meter->tell(":CARD:PICK? B0002.BIN,1,3");
    EXPECT_EQ(meter->receiveAll(), "\x02\x01\x02");
    EXPECT_EQ(meter->ask(":CARD:DIRE? INST"), "A0001,0,B0002,3");  // other replies stay whole
}

TEST_F(MeterFilesTest, TheCardIsReadyWhenItsFolderIsThereAndNoFaultSaysOtherwise) {
    EXPECT_EQ(line()->ask(":CARD:STAT?"), "1");
    MeterFaults notReady;
    notReady.cardNotReady = true;
    EXPECT_EQ(line(notReady)->ask(":CARD:STAT?"), "0");
    SimulatedLine noCard(MeterFaults{}, MeterFolders{folder.path() / "missing", memory()});
    noCard.tell(":COMM:HEAD OFF");
    EXPECT_EQ(noCard.ask(":CARD:STAT?"), "0");
    EXPECT_EQ(noCard.ask(":CARD:DIRE? INST"), "");
}

}  // namespace
}  // namespace voltaro
