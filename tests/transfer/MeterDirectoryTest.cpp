// The meter's directory: its replies read into the list, and the whole read against the
// simulated meter.
#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

#include "sim/SimulatedMeterLink.h"
#include "support/TemporaryFolder.h"
#include "transfer/MeterDirectory.h"

namespace voltaro {
namespace {

using Texts = std::vector<std::string>;

using Listed = std::tuple<std::string, std::string, std::string, float>;  // name, kind, size text, size

std::vector<Listed> listed(const MeterFileList& list) {
    std::vector<Listed> out;
    for (const MeterFileEntry& e : list.entries) out.push_back({e.name, e.kind, e.sizeText, e.size});
    return out;
}

// Blanks around fields and a trailing comma are dropped, a name without a size is left out,
// names are cut or padded to 12 characters.
TEST(MeterDirectory, RepliesBecomeTwelveCharacterNamesWithTheKindsExtension) {
    const struct {
        const char* kind;
        const char* reply;
        std::vector<Listed> entries;
    } cases[] = {
        {"MEAS", " DATA0001 , 1024 , DATA0002 ,2048 ,",
         {{"DATA0001.CSV", "MEAS", "1024", 1024}, {"DATA0002.CSV", "MEAS", "2048", 2048}}},
        {"INST", "A,1,LONGNAME01,123456789,ORPHAN", {{"A.BIN       ", "INST", "1", 1},
                                                    {"LONGNAME01.B", "INST", "123456789", 123456789.0f}}},
        {"XYZ", "PLAIN,x", {{"PLAIN       ", "XYZ", "x", 0}}},  // no extension; a size that is no number
    };
    for (const auto& c : cases) {
        MeterFileList list;
        SetZrFileNameList(list, c.kind, c.reply);
        EXPECT_EQ(listed(list), c.entries) << c.reply;
    }
}

// Every kind in one list sorted by name (the meter lists each kind in order, measurement
// files first); the memory is not asked for setting files and needs no card.
TEST(MeterDirectory, TheDirectoryListsEveryKindSortedByName) {
    test::TemporaryFolder card, memory;
    for (const auto& [folder, name, bytes] : {std::tuple{&card, "B0002.BIN", 10}, {&card, "A0001.BIN", 20},
                                              {&card, "SETUP1.SET", 5}, {&card, "Z1.CSV", 7}, {&memory, "M1.CSV", 7},
                                              {&memory, "OLD.SET", 3}})
        std::ofstream(folder->path() / name, std::ios::binary) << std::string(static_cast<std::size_t>(bytes), 'x');
    const sim::MeterFolders folders{card.path(), memory.path()};
    const auto namesAndSizes = [](const MeterFileList& list) {
        Texts names;
        for (const auto& entry : list.entries) names.push_back(entry.name + "=" + entry.sizeText);
        return names;
    };

    test::SimulatedMeterLink line({}, folders);
    MeterFileList list;
    ASSERT_EQ(GetZrFileName(line.link, MeterMedium::Card, list), 0);
    EXPECT_EQ(namesAndSizes(list), (Texts{"A0001.BIN   =20", "B0002.BIN   =10", "SETUP1.SET  =5", "Z1.CSV      =7"}));
    ASSERT_EQ(GetZrFileName(line.link, MeterMedium::Memory, list), 0);
    EXPECT_EQ(namesAndSizes(list), Texts{"M1.CSV      =7"});

    test::SimulatedMeterLink noCard(test::Faults([](sim::MeterFaults& f) { f.cardNotReady = true; }), folders);
    EXPECT_EQ(GetZrFileName(noCard.link, MeterMedium::Card, list), -1);
    EXPECT_EQ(noCard.messages.texts(), Texts{"Pc card not ready."});
    EXPECT_EQ(GetZrFileName(noCard.link, MeterMedium::Memory, list), 0);
}

}  // namespace
}  // namespace voltaro
