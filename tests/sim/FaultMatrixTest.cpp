// Every exchange with the meter against every way a meter can fail it. A failure gives its one message, closes
// the line, leaves the earlier copies whole and no temporary file, and changes neither the current setting nor
// the Parameter file; a fault an exchange does not meet leaves it working as on a healthy meter.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "app/ParameterFile.h"
#include "link/MeterChecks.h"
#include "settings/SettingReceive.h"
#include "settings/SettingSend.h"
#include "settings/SystemReset.h"
#include "sim/SimulatedMeterLink.h"
#include "support/TemporaryFolder.h"
#include "transfer/MeterFileTransfer.h"

namespace voltaro {
namespace {

using namespace std::chrono_literals;
using Texts = std::vector<std::string>;

const std::string kText = "MODEL,ZR915,T200\r\n2026/12/06,10:00:00,1.5,2\r\n";
// Ends in an end mark of its own, so that a size one short still finds one where the block should end.
const std::string kBinary = std::string("\x02\x03\n\r\x00\xFF", 6) + std::string(30, 'B') + '\x03';
const std::string kEarlierCopy = "earlier copy";

// A meter with a text and a binary file on its card, a copy folder holding earlier copies of both, and an
// application folder with its Parameter file; the query lines the meter was sent are kept in order.
struct MeterRun {
    explicit MeterRun(sim::MeterFaults faults) : line(std::move(faults), {card.path(), {}}) {
        card.write("MEAS0001.CSV", kText);
        card.write("INST0001.BIN", kBinary);
        for (const char* name : {"MEAS0001.CSV", "INST0001.BIN"}) copies.write(name, kEarlierCopy);
        line.ctx.AppPath = app.withSeparator();
        line.ctx.CurrentSetting.FileName = "SITE0001";
        AccessParameterFile(line.ctx, kParameterWrite);
        parameter = test::FileBytes(app.path() / kParameterFileName);
        setting = line.ctx.CurrentSetting;
        line.meter.setCommandObserver([this](std::string_view command) {
            if (command.substr(0, command.find(' ')).ends_with('?') &&
                std::find(queries.begin(), queries.end(), command) == queries.end())
                queries.emplace_back(command);
        });
    }

    // The file-get of the command line: the directory, then the file as it lists it.
    std::int16_t copy(const std::string& name) {
        MeterFileList list;
        if (GetZrFileName(line.link, MeterMedium::Card, list) != 0) return -1;
        std::vector<MeterFileEntry> picked;
        for (const MeterFileEntry& entry : list.entries)
            if (entry.name.starts_with(name)) picked.push_back(entry);
        ProgressObserver quiet;
        return TransStart(line.link, MeterMedium::Card, picked, TransferTargets(true, copies.path().string(), nullptr),
                          quiet);
    }

    test::TemporaryFolder card, copies, app;
    test::SimulatedMeterLink line;
    std::string parameter;
    SettingRecord setting;
    Texts queries;
};

enum Exchange : unsigned { Identify = 1, Reset = 2, Receive = 4, Send = 8, List = 16, CopyText = 32, CopyBinary = 64 };
constexpr unsigned kEvery = 127, kSettingExchanges = Reset | Receive | Send, kCopies = CopyText | CopyBinary,
                   kCardExchanges = List | kCopies;

struct ExchangeRow {
    Exchange exchange;
    const char* name;
    std::int16_t (*run)(MeterRun&);
    Texts healthy;        // what it shows on a healthy meter
    const char* copied;   // the file it copies, if any
};
const ExchangeRow kExchanges[] = {
    {Identify, "identify", [](MeterRun& r) { return IdentifyMeter(r.line.link); }, {}, nullptr},
    {Reset, "reset", [](MeterRun& r) { return SystemReset(r.line.link); }, {"Reset was performed."}, nullptr},
    {Receive, "receive", [](MeterRun& r) {
         bool taken = false;
         return ReceiveProcedure(r.line.link, taken);
     }, {}, nullptr},
    {Send, "send",
     [](MeterRun& r) {
         SettingRecord changed = r.line.ctx.CurrentSetting;
         changed.Wiring = 5;
         return SendProcedure(r.line.link, changed, false);
     },
     {}, nullptr},
    {List, "list",
     [](MeterRun& r) {
         MeterFileList list;
         return GetZrFileName(r.line.link, MeterMedium::Card, list);
     },
     {}, nullptr},
    {CopyText, "copy text", [](MeterRun& r) { return r.copy("MEAS0001.CSV"); }, {}, "MEAS0001.CSV"},
    {CopyBinary, "copy binary", [](MeterRun& r) { return r.copy("INST0001.BIN"); }, {}, "INST0001.BIN"},
};

// What must hold after `exchange` ran: as on a healthy meter when `shown` is empty, else a failure showing it.
void ExpectOutcome(MeterRun& r, const ExchangeRow& exchange, std::int16_t status, const std::string& shown) {
    SCOPED_TRACE(exchange.name);
    EXPECT_FALSE(r.line.port.isOpen());
    EXPECT_EQ(r.app.names(), Texts{kParameterFileName}) << "a temporary file stayed";
    EXPECT_EQ(test::FileBytes(r.app.path() / kParameterFileName), r.parameter);
    EXPECT_EQ(r.copies.names(), (Texts{"INST0001.BIN", "MEAS0001.CSV"}));
    const bool failed = !shown.empty();
    for (const auto& [name, sent] : {std::pair{"MEAS0001.CSV", kText}, {"INST0001.BIN", kBinary}}) {
        const bool copied = !failed && exchange.copied != nullptr && name == std::string(exchange.copied);
        EXPECT_EQ(test::FileBytes(r.copies.path() / name), copied ? sent : kEarlierCopy) << name;
    }
    EXPECT_EQ(status != 0, failed) << status;
    EXPECT_EQ(r.line.messages.texts(), failed ? Texts{shown} : exchange.healthy);
    if (failed) {
        EXPECT_EQ(r.line.ctx.CurrentSetting, r.setting) << "the current setting changed";
    }
}

using Faults = sim::MeterFaults;
struct FaultRow {
    const char* fault;
    void (*set)(Faults&);
    unsigned meets;     // the exchanges it fails
    const char* shown;  // with this one message
};
const FaultRow kFaults[] = {
    {"replies split at every byte",
     [](Faults& f) {
         f.splitBytes = 1;
         f.splitGap = 1ms;
     },
     0, ""},
    {"another model", [](Faults& f) { f.model = "ZR916"; }, kEvery, "ZR915 not ready."},
    {"a version that is none", [](Faults& f) { f.version = "1x05"; }, kEvery, "Invalid version number."},
    {"noise for the identity", [](Faults& f) { f.garbleOn = {"*IDN?"}; }, kEvery, "ZR915 not ready."},
    {"hold", [](Faults& f) { f.hold = true; }, kSettingExchanges, "It is under hold."},
    {"measuring", [](Faults& f) { f.measuring = true; }, kSettingExchanges,
     "Information on the pc card can't be read during integration measurement."},
    {"noise for the measuring state", [](Faults& f) { f.garbleOn = {":MEAS:STAT?"}; }, kSettingExchanges,
     "Communication failed."},
    {"settings refused", [](Faults& f) { f.refuseSettings = true; }, Send, "Measurement data is not cleared."},
    {"no setting screen", [](Faults& f) { f.settingScreenAfter.reset(); }, Receive | Send,
     "It cannot move to a setting screen."},
    {"a setting not taken", [](Faults& f) { f.ignoreSet = {":WIRI"}; }, Send, "Wiring setting failure."},
    {"noise for a setting", [](Faults& f) { f.garbleOn = {":LOAD?"}; }, Receive | Send, "Communication failed."},
    {"card not ready", [](Faults& f) { f.cardNotReady = true; }, kCardExchanges, "Pc card not ready."},
    {"noise for the card status", [](Faults& f) { f.garbleOn = {":CARD:STAT?"}; }, kCardExchanges,
     "Communication failed."},
    {"noise for a file", [](Faults& f) { f.garbleOn = {":CARD:PICK?"}; }, kCopies, "Communication failed."},
    {"a transfer stopped in the middle", [](Faults& f) { f.stopTransferAfter = 20; }, kCopies,
     "Communication failed."},
    {"sizes listed a byte long", [](Faults& f) { f.directorySizeError = 1; }, kCopies, "Communication failed."},
    {"sizes listed a byte short", [](Faults& f) { f.directorySizeError = -1; }, kCopies, "Communication failed."},
};

TEST(FaultMatrix, EachFaultFailsTheExchangesItMeetsWithOneMessageAndLeavesTheOthersWorking) {
    for (const FaultRow& row : kFaults) {
        SCOPED_TRACE(row.fault);
        for (const ExchangeRow& exchange : kExchanges) {
            Faults faults;
            row.set(faults);
            MeterRun run(faults);
            const std::int16_t status = exchange.run(run);
            ExpectOutcome(run, exchange, status, (row.meets & exchange.exchange) != 0 ? row.shown : "");
        }
    }
}

// Silence after each query an exchange sends, one at a time.
TEST(FaultMatrix, SilenceAtEachQueryFailsTheExchangeWithOneMessage) {
    for (const ExchangeRow& exchange : kExchanges) {
        MeterRun healthy({});
        ASSERT_EQ(exchange.run(healthy), 0) << exchange.name;
        for (const std::string& query : healthy.queries) {
            SCOPED_TRACE(query);
            MeterRun run(test::Faults([&](Faults& f) { f.silentOn = {query}; }));
            const std::int16_t status = exchange.run(run);
            ExpectOutcome(run, exchange, status, "Communication failed.");
        }
    }
}

}  // namespace
}  // namespace voltaro
