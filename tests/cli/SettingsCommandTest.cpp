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
        return RunCommandLine(full, {in, out, err});
    }
    std::string put(const std::string& name, const std::string& bytes) const {
        std::ofstream((folder.path() / name).string(), std::ios::binary) << bytes;
        return (folder.path() / name).string();
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

TEST_F(SettingsCommand, ShowNamesEveryItemAsTheWindowDoes) {
    const struct {
        std::function<void(SettingRecord&)> change;
        std::string label;
        std::string value;
    } cases[] = {
        {[](SettingRecord&) {}, "Wiring", "3P3W2I"},
        {[](SettingRecord& r) { r.ARange[1] = 17; }, "A range (Load2)", "1000A"},
        {[](SettingRecord& r) { r.DaItem[2] = 44; r.DaRate[2] = 6; }, "Output Rate (CH3)", "1V/1000kVarh"},
        // What no list holds shows as it is, so a refused file can still be looked at.
        {[](SettingRecord& r) { r.Wiring = 8; }, "Wiring", "8"},
    };
    for (const auto& c : cases) {
        SettingRecord record = FactorySettings({2024, 4, 1, 9, 0, 0}, "/app/", 1);
        c.change(record);
        ASSERT_EQ(run({"show", put("S.SET", FormatSettingFile(record))}), 0);
        EXPECT_EQ(shown(c.label), c.value) << c.label;
    }
}

// The factory setting is one the program itself takes: written by defaults, passed by check.
TEST_F(SettingsCommand, DefaultsWritesAFileThatCheckPasses) {
    const std::string file = (folder.path() / "FACTORY.SET").string();
    ASSERT_EQ(run({"defaults", "-o", file}), 0);
    EXPECT_EQ(run({"check", file}), 0);
    EXPECT_EQ(err.str(), "");
}

}  // namespace
}  // namespace voltaro
