#include "sim/MeterModel.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "sim/SimulatedLine.h"

namespace voltaro {
namespace {

using namespace std::chrono_literals;
using sim::MeterFaults;
using test::SimulatedLine;

// The identification as the PC cuts it: the model 2 characters after the first comma,
// the version as the 4 characters before the last one.
std::string ModelCut(const std::string& reply) {
    const std::size_t comma = reply.find(',');
    return reply.substr(comma == std::string::npos ? 1 : comma + 2, 5);
}
std::string VersionCut(const std::string& reply) { return reply.substr(reply.size() - 5, 4); }

struct Identity {
    const char* model;
    const char* version;
};

void PrintTo(const Identity& identity, std::ostream* out) { *out << identity.model << ' ' << identity.version; }

class IdentityTest : public testing::TestWithParam<Identity> {};

TEST_P(IdentityTest, TheCuttingRulesFindTheModelAndVersionTheMeterNames) {
    MeterFaults faults;
    faults.model = GetParam().model;
    faults.version = GetParam().version;
    SimulatedLine line(faults);
    const auto reply = line.ask("*IDN?");
    ASSERT_TRUE(reply);
    EXPECT_EQ(ModelCut(*reply), GetParam().model);
    EXPECT_EQ(VersionCut(*reply), GetParam().version);
}

INSTANTIATE_TEST_SUITE_P(Meters, IdentityTest,
                         testing::Values(Identity{"ZR915", "1.05"}, Identity{"zr915", "1.05"},
                                         Identity{"ZR916", "9.99"}, Identity{"ZR915", "1-05"}));

TEST(MeterModel, RepliesCarryTheCommandHeaderUntilHeadersAreSwitchedOff) {
    SimulatedLine line;
    EXPECT_EQ(line.ask(":WIRI?"), ":WIRI 3P3W2I");
    EXPECT_EQ(line.ask(":MEAS:STAT?"), ":MEAS:STAT 0");
    EXPECT_EQ(ModelCut(line.ask("*IDN?").value()), "ZR915");  // common commands have no header
    line.tell(":COMM:HEAD OFF");
    EXPECT_EQ(line.ask(":WIRI?"), "3P3W2I");
    line.tell(":COMM:HEAD ON");
    EXPECT_EQ(line.ask(":HOLD?"), ":HOLD 0");
}

struct Reply {
    const char* query;
    const char* reply;
};

// The meter's factory setting (on 1 April 2024, 9:00) in the meter's reply spellings,
// one row for each way an item is spelled.
const Reply kFactoryReplies[] = {
    {":WIRI?", "3P3W2I"},
    {":VT?", "1"},
    {":CLAM?", "52110,52110,52110,52110"},
    {":CURR:RANG?", "20A,20A,20A,20A"},
    {":FREQ?", "50"},
    {":AVER?", "1"},
    {":WH:TOTA:UNIT?", "KWH"},
    {":STAR:TIME?", "2024,4,1,9,0"},
    {":STOP:TIME?", "2024,4,1,9,30"},
    {":TIME?", "0,30,0"},
    {":INTE?", "30M"},
    {":FILE:MEAS?", "DATA0001"},
    {":DOUT:ITEM1?", "127"},
    {":DOUT:ITEM2?", "15"},
    {":DOUT:ITEM4?", "191"},
    {":DOUT:ITEM5?", "2,85,85,85,85,85,85,1"},
    {":LANG?", "ENGLISH"},
    {":SYST:TIME?", "9,0,0"},
    {":AOUT:CH3?", "1,0,P,1,1,1K"},
    {":AINP:CH2?", "100MV"},
};

TEST(MeterModel, AnswersSettingQueriesWithTheFactorySetting) {
    SimulatedLine line;
    line.tell(":COMM:HEAD OFF");
    for (const Reply& row : kFactoryReplies) EXPECT_EQ(line.ask(row.query), row.reply) << row.query;
}

struct RoundTrip {
    const char* set;
    const char* query;
    const char* reply;
};

const RoundTrip kRoundTrips[] = {
    {":FREQ 60Hz", ":FREQ?", "60"},
    {":CURR:RANG 3,1.5kA", ":CURR:RANG?", "20A,20A,1.5KA,20A"},
    {":INTE 1h", ":INTE?", "1H"},
    {":AOUT:CH2 2,3,Wh+,5,10,1MA", ":AOUT:CH2?", "2,3,WH+,5,10,1MA"},
    {":WH:INTE:UNIT MAWH", ":WH:INTE:UNIT?", "MAWH"},
    {":CT 2,2.5", ":CT?", "1,2.5,1,1"},
    {":CLAM 4,52150_1", ":CLAM?", "52110,52110,52110,52150_1"},
    {":CLAM 5,52140", ":CLAM?", "52110,52110,52110,52110"},  // no channel 5
    {":CLAM 52140", ":CLAM?", "52110,52110,52110,52110"},    // no channel at all
    {":FILE:MEAS Site_b", ":FILE:MEAS?", "Site_b"},          // names keep their case
    {":DOUT:ITEM5 2,255,0,0,0,0,0,3", ":DOUT:ITEM5?", "2,255,0,0,0,0,0,3"},
};

void PrintTo(const RoundTrip& trip, std::ostream* out) { *out << trip.set; }

class RoundTripTest : public testing::TestWithParam<RoundTrip> {};

TEST_P(RoundTripTest, ASetItemReadsBackInTheMeterSpelling) {
    SimulatedLine line;
    line.tell(":COMM:HEAD OFF");
    line.tell(GetParam().set);
    EXPECT_EQ(line.ask(GetParam().query), GetParam().reply);
}

INSTANTIATE_TEST_SUITE_P(Items, RoundTripTest, testing::ValuesIn(kRoundTrips));

TEST(MeterModel, ResetRestoresTheFactorySettingButKeepsLanguageIdAndClock) {
    SimulatedLine line;
    line.tell(":COMM:HEAD OFF");
    for (const char* set : {":WIRI 3P4W", ":CLAM 2,52140", ":LANG GERMAN", ":ID 7", ":SYST:DATE 2030,2,3",
                            ":SYST:TIME 4,5,6"})
        line.tell(set);
    line.tell(":RESE");
    EXPECT_EQ(line.ask(":WIRI?"), "3P3W2I");
    EXPECT_EQ(line.ask(":CLAM?"), "52110,52110,52110,52110");
    EXPECT_EQ(line.ask(":LANG?"), "GERMAN");
    EXPECT_EQ(line.ask(":ID?"), "7");
    EXPECT_EQ(line.ask(":SYST:DATE?"), "2030,2,3");
    EXPECT_EQ(line.ask(":SYST:TIME?"), "4,5,6");
}

TEST(MeterModel, StateQueriesReportTheFaultsSet) {
    SimulatedLine healthy;
    healthy.tell(":COMM:HEAD OFF");
    EXPECT_EQ(healthy.ask(":STAT:ERR?"), "0");

    MeterFaults faults;
    faults.measuring = faults.hold = faults.refuseSettings = true;
    faults.screen = "GRAPH";
    SimulatedLine troubled(faults);
    troubled.tell(":COMM:HEAD OFF");
    troubled.tell("*CLS");
    EXPECT_EQ(troubled.ask(":MEAS:STAT?"), "1");
    EXPECT_EQ(troubled.ask(":HOLD?"), "1");
    EXPECT_EQ(troubled.ask(":STAT:ERR?"), "200");
    EXPECT_EQ(troubled.ask(":DISP:MODE?"), "GRAPH");
}

struct ScreenSwitch {
    std::optional<int> settingScreenAfter;
    std::vector<const char*> screensAfterEachTry;
};

void PrintTo(const ScreenSwitch& row, std::ostream* out) {
    *out << "after " << (row.settingScreenAfter ? std::to_string(*row.settingScreenAfter) : "never");
}

class ScreenSwitchTest : public testing::TestWithParam<ScreenSwitch> {};

TEST_P(ScreenSwitchTest, TheSettingScreenComesOnTheTryTheFaultNames) {
    MeterFaults faults;
    faults.settingScreenAfter = GetParam().settingScreenAfter;
    SimulatedLine line(faults);
    line.tell(":COMM:HEAD OFF");
    for (const char* expected : GetParam().screensAfterEachTry) {
        line.tell(":DISP:MODE SET");
        EXPECT_EQ(line.ask(":DISP:MODE?"), expected);
    }
    // Leaving the setting screen starts the count again.
    line.tell(":DISP:MODE MEAS");
    EXPECT_EQ(line.ask(":DISP:MODE?"), "MEAS");
    for (const char* expected : GetParam().screensAfterEachTry) {
        line.tell(":DISP:MODE SET");
        EXPECT_EQ(line.ask(":DISP:MODE?"), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Tries, ScreenSwitchTest,
                         testing::Values(ScreenSwitch{1, {"SET", "SET"}},
                                         ScreenSwitch{3, {"MEAS", "MEAS", "SET", "SET"}},
                                         ScreenSwitch{std::nullopt, {"MEAS", "MEAS", "MEAS", "MEAS", "MEAS"}}));

TEST(MeterModel, SilentQueriesGoUnansweredAndTheOthersStillAnswer) {
    MeterFaults faults;
    faults.silentOn = {":LANG?", ":CARD:DIRE? SET"};
    SimulatedLine line(faults);
    line.tell(":COMM:HEAD OFF");
    const auto asked = line.clock.now();
    EXPECT_EQ(line.ask(":LANG?"), std::nullopt);
    EXPECT_EQ(line.clock.now() - asked, SimulatedLine::kSilence);
    EXPECT_EQ(line.ask(":CARD:DIRE? SET"), std::nullopt);
    EXPECT_EQ(line.ask(":CARD:DIRE? INST"), "");
    EXPECT_EQ(line.ask(":BEEP?"), "1");
}

TEST(MeterModel, IgnoredSetCommandsLeaveTheReadBackAsItWas) {
    MeterFaults faults;
    faults.ignoreSet = {":WIRI", ":CLAM 2,52140"};
    SimulatedLine line(faults);
    line.tell(":COMM:HEAD OFF");
    for (const char* set : {":WIRI 3P4W", ":CLAM 2,52140", ":CLAM 3,52120", ":LOAD 2"}) line.tell(set);
    EXPECT_EQ(line.ask(":WIRI?"), "3P3W2I");
    EXPECT_EQ(line.ask(":CLAM?"), "52110,52110,52120,52110");
    EXPECT_EQ(line.ask(":LOAD?"), "2");
}

TEST(MeterModel, TakesCommandsWhateverTheWritesThatCarryThemAndIgnoresUnknownOnes) {
    SimulatedLine line;
    line.port.write(":COMM:HEAD OFF\r\n:FROB?\r\n:FROB 1\r\n:HO", 1s);
    line.port.write("LD?\r", 1s);
    line.port.write("\n:BEEP?\r\n:LOAD?\r\n", 1s);
    EXPECT_EQ(line.receiveAll(), "0\r\n1\r\n1\r\n");
}

}  // namespace
}  // namespace voltaro
