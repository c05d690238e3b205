#include <gtest/gtest.h>

#include "transfer/MeterDirectory.h"

namespace voltaro {
namespace {

struct Listed {
    std::string name;
    std::string kind;
    std::string sizeText;
    float size;
    bool operator==(const Listed&) const = default;
};

std::vector<Listed> listed(const MeterFileList& list) {
    std::vector<Listed> out;
    for (const MeterFileEntry& e : list.entries) out.push_back({e.name, e.kind, e.sizeText, e.size});
    return out;
}

TEST(MeterDirectory, RepliesBecomeTwelveCharacterNamesWithTheKindsExtension) {
    const struct {
        const char* kind;
        const char* reply;
        std::vector<Listed> entries;
    } cases[] = {
        {"MEAS", "DATA0001,1024,DATA0002,2048",
         {{"DATA0001.CSV", "MEAS", "1024", 1024}, {"DATA0002.CSV", "MEAS", "2048", 2048}}},
        {"MEAS", " DATA0001 , 1024 , DATA0002 ,2048 ,",
         {{"DATA0001.CSV", "MEAS", "1024", 1024}, {"DATA0002.CSV", "MEAS", "2048", 2048}}},
        {"INST", "A,1,LONGNAME01,123456789,ORPHAN", {{"A.BIN       ", "INST", "1", 1},
                                                    {"LONGNAME01.B", "INST", "123456789", 123456789.0f}}},
        {"SET", "", {}},
        {"XYZ", "PLAIN,x", {{"PLAIN       ", "XYZ", "x", 0}}},  // no extension; a size that is no number
    };
    for (const auto& c : cases) {
        MeterFileList list;
        SetZrFileNameList(list, c.kind, c.reply);
        EXPECT_EQ(listed(list), c.entries) << c.reply;
    }
}

TEST(MeterDirectory, KindsAndOrder) {
    EXPECT_EQ(DirectoryKinds(MeterMedium::Card),
              (std::vector<std::string_view>{"MEAS", "INST", "ALM", "WAVE", "BMP", "SET"}));
    EXPECT_EQ(DirectoryKinds(MeterMedium::Memory), (std::vector<std::string_view>{"MEAS", "INST", "ALM", "WAVE", "BMP"}));
    MeterFileList list;
    SetZrFileNameList(list, "WAVE", "b,1,B,2");
    SetZrFileNameList(list, "MEAS", "A,3,a,4");
    ZrFileNameListSort(list);
    std::vector<std::string> names;
    for (const auto& e : list.entries) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"A.CSV       ", "B.WFM       ", "a.CSV       ", "b.WFM       "}));
}

}  // namespace
}  // namespace voltaro
