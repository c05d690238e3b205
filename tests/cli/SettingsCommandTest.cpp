#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
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

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// set rewrites the file only when every item and then the whole setting pass; otherwise the
// file keeps its bytes and its time. "{}" in a message stands for the file's path.
TEST_F(SettingsCommand, SetRewritesTheFileOnlyWhenEverythingPasses) {
    const struct {
        std::vector<std::string> items;
        int status;
        std::string firstErrorLine;
    } cases[] = {
        {{"INTERVAL=13", "DIP=85"}, 0, ""},
        {{"DIP=85", "INTERVAL_WH=0,3", "INTERVAL=17"}, 1, "INTERVAL=17: Invalid interval time."},
        {{"INTERVAL=13", "DIP=5"}, 1, "{}: Invalid dip."},
        {{"DIP=5", "FOO=1"}, 2, "voltaro settings: 'FOO' is no item of a setting file"},
        {{"VERSION=1.00"}, 2, "voltaro settings: 'VERSION' is no item of a setting file"},
        {{"DIP=85", "DIP=86"}, 2, "voltaro settings: DIP is given twice"},
        {{"DIP"}, 2, "voltaro settings: 'DIP' is not NAME=VALUE"},
        {{"CT=1.00,2.50"}, 2,
         "voltaro settings: 'CT=1.00,2.50': CT takes 4 values joined by commas, as a setting file spells them"},
        {{}, 2, "voltaro settings: give the items to set as NAME=VALUE"},
    };
    SettingRecord factory = FactorySettings({2024, 4, 1, 9, 0, 0}, "/app/", 1);
    const std::string written = FormatSettingFile(factory);
    factory.Interval = 13, factory.Dip = 85;
    const std::string changed = FormatSettingFile(factory);  // the orders a fixed selection sets aside stay
    const auto earlier = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    for (const auto& c : cases) {
        const std::string file = put("S.SET", written);
        std::filesystem::last_write_time(file, earlier);
        err.str("");
        std::vector<std::string> args{"set", file};
        args.insert(args.end(), c.items.begin(), c.items.end());
        EXPECT_EQ(run(args), c.status) << c.firstErrorLine;
        EXPECT_EQ(out.str(), "");
        std::string expectedError = c.firstErrorLine;
        if (const auto at = expectedError.find("{}"); at != std::string::npos) expectedError.replace(at, 2, file);
        EXPECT_EQ(err.str().substr(0, err.str().find('\n')), expectedError);
        EXPECT_EQ(bytesOf(file), c.status == 0 ? changed : written) << c.firstErrorLine;
        if (c.status != 0) {
            EXPECT_EQ(std::filesystem::last_write_time(file), earlier) << c.firstErrorLine;
        }
    }
}

TEST_F(SettingsCommand, SetRefusesWhatIsNoSettingFile) {
    const std::string file = put("NOTE.SET", "MODEL ZR915,T100\r\nVERSION 9.98\r\n");
    EXPECT_EQ(run({"set", file, "INTERVAL=13"}), 1);
    EXPECT_EQ(err.str(), file + ": Not setting file.\n");
    EXPECT_EQ(bytesOf(file), "MODEL ZR915,T100\r\nVERSION 9.98\r\n");
}

}  // namespace
}  // namespace voltaro
