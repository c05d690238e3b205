#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "app/DefaultSettings.h"
#include "app/WallClock.h"
#include "cli/CommandLine.h"
#include "settings/SettingFile.h"
#include "support/ScriptedPort.h"
#include "support/TemporaryFolder.h"

namespace voltaro {
namespace {

struct SettingsCommand : ::testing::Test {
    test::TemporaryFolder appFolder, folder;
    test::ManualClock clock;
    std::istringstream in;
    std::ostringstream out, err;

    SettingsCommand() { setenv("VOLTARO_APP_DIR", appFolder.path().c_str(), 1); }
    ~SettingsCommand() override { unsetenv("VOLTARO_APP_DIR"); }

    int run(const std::vector<std::string>& args) {
        std::vector<std::string> full{"settings"};
        full.insert(full.end(), args.begin(), args.end());
        Console console(in, out, err);
        console.makeSerialPort = [this] { return std::make_unique<test::ScriptedPort>(clock); };
        console.linkClock = &clock;
        return RunCommandLine(full, console);
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
    struct Case {
        std::string bytes;
        int status;
        std::string err;
    };
    SettingRecord dip = Named();
    dip.Dip = 5;
    const Case cases[] = {
        {FormatSettingFile(Named()), 0, ""},
        {FormatSettingFile(dip), 1, "Invalid dip.\n"},
        {"MODEL ZR915,T100\r\n", 1, "Not setting file.\n"},
    };
    for (const Case& c : cases) {
        err.str("");
        EXPECT_EQ(run({"check", put("A.SET", c.bytes)}), c.status) << c.err;
        EXPECT_EQ(err.str(), c.err);
    }
    err.str("");
    EXPECT_EQ(run({"check", path("MISSING.SET")}), 1);
    EXPECT_EQ(err.str(), "Not setting file.\n");
}

TEST_F(SettingsCommand, DefaultsWriteTheFactorySettingWithoutAFileName) {
    ASSERT_EQ(run({"defaults", "-o", path("F.SET")}), 0);
    std::ifstream file(path("F.SET"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    SettingRecord written;
    ASSERT_TRUE(ParseSettingFile(bytes, written));
    SettingRecord factory = FactorySettings(SystemWallClock().now(), "", 1);
    factory.StartTime = written.StartTime;  // written a moment apart
    factory.StopTime = written.StopTime;
    SettingRecord expected;
    ASSERT_TRUE(ParseSettingFile(FormatSettingFile(factory), expected));
    EXPECT_EQ(written, expected);
    EXPECT_EQ(run({"check", path("F.SET")}), 1);
    EXPECT_EQ(err.str(), "Invalid filename.\n");
}

TEST_F(SettingsCommand, ShowNamesEveryItemAsTheWindowDoes) {
    struct Case {
        std::function<void(SettingRecord&)> change;
        std::string label;
        std::string value;
    };
    const Case cases[] = {
        {[](SettingRecord&) {}, "Wiring", "3P3W2I"},
        {[](SettingRecord& r) { r.ARange[1] = 17; }, "A range (Load2)", "1000A"},
        {[](SettingRecord& r) { r.Vt = 2.5f; }, "VT ratio", "2.50"},
        {[](SettingRecord& r) { r.IntervalWhUnit = 3; }, "Unit (Interval Wh digit display)", "MWh"},
        {[](SettingRecord& r) { r.StopTime = {2004, 1, 5, 9, 3, 0}; }, "Stop date", "2004/01/05 09:03"},
        {[](SettingRecord& r) { r.StopTimer = {1, 0, 30}; }, "Stop timer", "1 Hour 0 Min 30 Sec"},
        {[](SettingRecord& r) { r.SaveHrmCh = {1, 0, 0, 1, 0, 0, 0, 1}; }, "Harmonic output items (Element)",
         "U1 P I4"},
        {[](SettingRecord& r) { r.SaveHrmOrdSel = 3; r.SaveHrmOrder = {0, 1, 0, 0, 1}; }, "Output order settings",
         "Select: 2 5"},
        {[](SettingRecord& r) { r.Dip = 85; }, "Dip", "85%"},
        {[](SettingRecord& r) { r.Id = 7; }, "ID No.", "007"},
        {[](SettingRecord& r) { r.DaItem[1] = 36; }, "Element (CH2)", "Wh+_1"},
        {[](SettingRecord& r) { r.DaItem[2] = 44; r.DaRate[2] = 6; }, "Output Rate (CH3)", "1V/1000kVarh"},
        {[](SettingRecord& r) { r.AdRange[1] = 2; }, "Analog input range (CH2)", "5V"},
        // What no list holds shows as it is, so a refused file can still be looked at.
        {[](SettingRecord& r) { r.Wiring = 9; }, "Wiring", "9"},
    };
    for (const Case& c : cases) {
        SettingRecord record = Named();
        c.change(record);
        out.str("");
        ASSERT_EQ(run({"show", put("S.SET", FormatSettingFile(record))}), 0);
        EXPECT_EQ(shown(c.label), c.value) << c.label;
    }
}

TEST_F(SettingsCommand, MisuseIsAUsageErrorThatTouchesNothing) {
    const std::string a = path("A.SET");
    const std::string b = path("B.SET");
    const std::vector<std::string> misuses[] = {
        {},
        {"fetch", a},
        {"check"},
        {"show", "--all", a},
        {"defaults"},
        {"defaults", a},
        {"receive", a},
        {"receive", "--baud", "300", "-o", a},
        {"send", "--pc-time"},
    };
    for (const auto& args : misuses) {
        err.str("");
        EXPECT_EQ(run(args), 2);
        EXPECT_NE(err.str().find("usage: voltaro settings"), std::string::npos) << err.str();
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

}  // namespace
}  // namespace voltaro
