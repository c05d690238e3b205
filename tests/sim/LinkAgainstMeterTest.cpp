// The link's checks and the reset against the simulated meter: the two sides must agree
// on every reply they exchange.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <tuple>

#include "link/MeterChecks.h"
#include "settings/SystemReset.h"
#include "sim/SimulatedMeterLink.h"
#include "support/TemporaryFolder.h"
#include "transfer/MeterDirectory.h"
#include "transfer/MeterFileCopy.h"

namespace voltaro {
namespace {

using Texts = std::vector<std::string>;

// A line to the meter, open and with the headers off, as after the start of an exchange.
struct LinkAgainstMeter : test::SimulatedMeterLink {
    explicit LinkAgainstMeter(sim::MeterFaults faults = {}, sim::MeterFolders folders = {})
        : SimulatedMeterLink(std::move(faults), std::move(folders)) {
        ctx.AppPath = "/app/";
        link.OpenCommPort(ctx.CurrentSetting.Pc);
        link.SendCommand(":COMM:HEAD OFF");
    }
    std::vector<std::string> texts() const { return messages.texts(); }
};

TEST(LinkAgainstMeter, EachMeterStateGivesItsOneMessage) {
    const auto faults = [](auto change) {
        sim::MeterFaults f;
        change(f);
        return f;
    };
    const struct {
        sim::MeterFaults faults;
        Texts shown;
    } cases[] = {
        {{}, {}},
        {faults([](sim::MeterFaults& f) { f.model = "ZR916"; }), {"ZR915 not ready."}},
        {faults([](sim::MeterFaults& f) { f.version = "105"; }), {"Invalid version number."}},
        {faults([](sim::MeterFaults& f) { f.measuring = true; }),
         {"Information on the pc card can't be read during integration measurement."}},
        {faults([](sim::MeterFaults& f) { f.hold = true; }), {"It is under hold."}},
        {faults([](sim::MeterFaults& f) { f.screen = "GRAPH", f.hold = true; }), {}},
        {faults([](sim::MeterFaults& f) { f.silentOn = {"*IDN?"}; }), {"Communication failed."}},
    };
    for (const auto& c : cases) {
        LinkAgainstMeter line(c.faults);
        EXPECT_EQ(CheckMeterReady(line.link), c.shown.empty() ? 0 : -1) << testing::PrintToString(c.shown);
        EXPECT_EQ(line.texts(), c.shown);
    }
}

TEST(LinkAgainstMeter, TheSettingScreenAndTheErrorProbe) {
    sim::MeterFaults third;
    third.settingScreenAfter = 3;
    LinkAgainstMeter late(third);
    EXPECT_EQ(SwitchToSettingScreen(late.link, 1), 0);
    EXPECT_EQ(late.ctx.SavedDisplayMode, "MEAS");

    sim::MeterFaults never;
    never.settingScreenAfter.reset();
    never.refuseSettings = true;
    LinkAgainstMeter stuck(never);
    EXPECT_EQ(SwitchToSettingScreen(stuck.link, 1), -1);
    EXPECT_EQ(CheckSettingAccepted(stuck.link), -1);
    EXPECT_EQ(stuck.texts(), (Texts{"It cannot move to a setting screen.", "Measurement data is not cleared."}));
}

TEST(LinkAgainstMeter, ResetBringsMeterAndRecordBackToTheFactorySetting) {
    LinkAgainstMeter line;
    line.link.CloseCommPort();
    line.link.OpenCommPort(line.ctx.CurrentSetting.Pc);
    line.link.SendCommand(":COMM:HEAD OFF");
    line.link.SendCommand(":WIRI 3P4W");
    line.link.CloseCommPort();
    line.ctx.CurrentSetting.Wiring = 5;
    EXPECT_EQ(SystemReset(line.link), 0);
    EXPECT_EQ(line.ctx.CurrentSetting.Wiring, 3);
    line.link.OpenCommPort(line.ctx.CurrentSetting.Pc);
    line.link.SendCommand(":COMM:HEAD OFF");
    std::string reply;
    ASSERT_EQ(line.link.SendCommand(":WIRI?"), 0);
    ASSERT_EQ(line.link.ReceiveResponse(reply), 0);
    EXPECT_EQ(reply, "3P3W2I");
}

TEST(LinkAgainstMeter, TheDirectoryListsEveryKindSortedByName) {
    test::TemporaryFolder card, memory;
    for (const auto& [folder, name, bytes] : {std::tuple{&card, "B0002.BIN", 10}, {&card, "A0001.BIN", 20},
                                              {&card, "SETUP1.SET", 5}, {&memory, "M1.CSV", 7}})
        std::ofstream(folder->path() / name, std::ios::binary) << std::string(static_cast<std::size_t>(bytes), 'x');
    const sim::MeterFolders folders{card.path(), memory.path()};

    LinkAgainstMeter line({}, folders);
    MeterFileList list;
    ASSERT_EQ(GetZrFileName(line.link, MeterMedium::Card, list), 0);
    std::vector<std::string> names;
    for (const auto& entry : list.entries) names.push_back(entry.name + "=" + entry.sizeText);
    EXPECT_EQ(names, (std::vector<std::string>{"A0001.BIN   =20", "B0002.BIN   =10", "SETUP1.SET  =5"}));
    ASSERT_EQ(GetZrFileName(line.link, MeterMedium::Memory, list), 0);
    ASSERT_EQ(list.entries.size(), 1u);
    EXPECT_EQ(list.entries[0].name, "M1.CSV      ");

    sim::MeterFaults notReady;
    notReady.cardNotReady = true;
    LinkAgainstMeter noCard(notReady, folders);
    EXPECT_EQ(GetZrFileName(noCard.link, MeterMedium::Card, list), -1);
    EXPECT_EQ(noCard.texts(), Texts{"Pc card not ready."});
    EXPECT_EQ(GetZrFileName(noCard.link, MeterMedium::Memory, list), 0);  // memory needs no card
}

std::string trimmedName(std::string name) {
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(LinkAgainstMeter, FilesArriveWholeAsLinesOrAsCountedBytes) {
    test::TemporaryFolder card, pc;
    std::string binary;
    for (int i = 0; i < 5000; ++i) binary += static_cast<char>(i * 7);
    std::ofstream(card.path() / "DATA0001.BIN", std::ios::binary) << binary;
    std::ofstream(card.path() / "EMPTY001.BIN", std::ios::binary);
    std::ofstream(card.path() / "MEAS0001.CSV", std::ios::binary) << "MODEL,ZR915,T200\r\n2004/01/01,1,2\r\n";

    sim::MeterFaults pieces;  // replies in small pieces with gaps, lines split across them
    pieces.splitBytes = 7;
    pieces.splitGap = std::chrono::seconds(2);
    LinkAgainstMeter line(pieces, {card.path(), {}});
    ProgressObserver quiet;
    const struct {
        std::string name;
        std::string size;
        std::string expected;
    } files[] = {
        {"DATA0001.BIN", "5000", binary},
        {"EMPTY001.BIN", "0", ""},
        {"MEAS0001.CSV  ", "33", "MODEL,ZR915,T200\r\n2004/01/01,1,2\r\n"},
    };
    for (const auto& file : files) {
        std::string name = file.name;
        const auto target = (pc.path() / "~data000.tmp").string();
        ASSERT_EQ(ZrFileToPcTmpFile(line.link, MeterMedium::Card, name, file.size, target, quiet), 0) << name;
        EXPECT_EQ(contents(target), file.expected) << name;
        EXPECT_EQ(name, trimmedName(file.name));
    }
    EXPECT_TRUE(line.texts().empty());

    sim::MeterFaults broken;
    broken.stopTransferAfter = 1000;
    LinkAgainstMeter stopped(broken, {card.path(), {}});
    std::string name = "DATA0001.BIN";
    EXPECT_EQ(ZrFileToPcTmpFile(stopped.link, MeterMedium::Card, name, "5000", (pc.path() / "t").string(), quiet), -1);
    EXPECT_EQ(stopped.texts(), Texts{"Communication failed."});
    EXPECT_FALSE(stopped.port.isOpen());
}

}  // namespace
}  // namespace voltaro
