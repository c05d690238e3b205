#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "app/DefaultSettings.h"
#include "cli/CommandLine.h"
#include "settings/SettingFile.h"
#include "support/TemporaryFolder.h"

namespace voltaro {
namespace {

// The jobs on setting files alone: no Parameter file, no line.
struct SettingsCommand : ::testing::Test {
    test::TemporaryFolder folder;
    std::istringstream in;
    std::ostringstream out, err;

    int run(const std::vector<std::string>& args) {
        std::vector<std::string> full{"settings"};
        full.insert(full.end(), args.begin(), args.end());
        out.str("");
        err.str("");
        return RunCommandLine(full, {in, out, err});
    }
    std::string path(const std::string& name) const { return (folder.path() / name).string(); }
    std::string put(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
        return path(name);
    }
    // The value `show` lists for `label`; "(none)" when no line has that label.
    std::string shown(const std::string& label) const {
        std::istringstream lines(out.str());
        for (std::string line; std::getline(lines, line);) {
            const std::size_t gap = line.find("  ");
            if (gap != std::string::npos && line.substr(0, gap) == label)
                return line.substr(line.find_first_not_of(' ', gap));
        }
        return "(none)";
    }
};

SettingRecord Named() {
    SettingRecord r = FactorySettings({2024, 4, 1, 9, 0, 0}, "/app/", 1);
    r.FileName = "DATA0001";
    return r;
}

TEST_F(SettingsCommand, CheckReportsTheFirstRefusalOnce) {
    SettingRecord dip = Named();
    dip.Dip = 5;
    const struct {
        std::string file;
        int status;
        std::string err;
    } cases[] = {
        {put("A.SET", FormatSettingFile(Named())), 0, ""},
        {put("B.SET", FormatSettingFile(dip)), 1, "Invalid dip.\n"},
        {put("C.SET", "MODEL ZR915,T100\r\n"), 1, "Not setting file.\n"},
        {path("MISSING.SET"), 1, "Not setting file.\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run({"check", c.file}), c.status) << c.err;
        EXPECT_EQ(err.str(), c.err);
    }
}

TEST_F(SettingsCommand, DefaultsWriteTheFactorySettingWithoutAFileName) {
    ASSERT_EQ(run({"defaults", "-o", path("F.SET")}), 0);
    EXPECT_EQ(run({"check", path("F.SET")}), 1);
    EXPECT_EQ(err.str(), "Invalid filename.\n");
}

TEST_F(SettingsCommand, ShowNamesEveryItemAsTheWindowDoes) {
    const struct {
        std::function<void(SettingRecord&)> change;
        std::string label;
        std::string value;
    } cases[] = {
        {[](SettingRecord&) {}, "Wiring", "3P3W2I"},
        {[](SettingRecord& r) { r.ARange[1] = 17; }, "A range (Load2)", "1000A"},
        {[](SettingRecord& r) { r.Vt = 2.5f; }, "VT ratio", "2.50"},
        {[](SettingRecord& r) { r.StopTime = {2004, 1, 5, 9, 3, 0}; }, "Stop date", "2004/01/05 09:03"},
        {[](SettingRecord& r) { r.SaveHrmCh = {1, 0, 0, 1, 0, 0, 0, 1}; }, "Harmonic output items (Element)",
         "U1 P I4"},
        {[](SettingRecord& r) { r.SaveHrmOrdSel = 3; r.SaveHrmOrder = {0, 1, 0, 0, 1}; }, "Output order settings",
         "Select: 2 5"},
        {[](SettingRecord& r) { r.DaItem[2] = 44; r.DaRate[2] = 6; }, "Output Rate (CH3)", "1V/1000kVarh"},
        // What no list holds shows as it is, so a refused file can still be looked at.
        {[](SettingRecord& r) { r.Wiring = 9; }, "Wiring", "9"},
    };
    for (const auto& c : cases) {
        SettingRecord record = Named();
        c.change(record);
        ASSERT_EQ(run({"show", put("S.SET", FormatSettingFile(record))}), 0);
        EXPECT_EQ(shown(c.label), c.value) << c.label;
    }
}

}  // namespace
}  // namespace voltaro
