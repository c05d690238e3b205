#include "link/MeterScan.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <thread>

#include "app/ErrorReporting.h"
#include "link/Link.h"
#include "link/MeterChecks.h"

namespace voltaro {

namespace {

constexpr int kNoMeterFoundText = 340;

// A device that is not a meter is no failure of the scan: what its link would report is
// dropped, and no question is ever asked.
class QuietMessages final : public Messages {
public:
    void notify(MessageIcon, const std::string&, const std::string&) override {}
    bool askOkCancel(const std::string&, const std::string&) override { return false; }
    Answer askYesNoCancel(const std::string&, const std::string&) override { return Answer::Cancel; }
};

// The version a ZR915 on `device` names, asked on the calling thread over a line of its own.
std::optional<std::string> askDevice(const AppContext& caller, PcSettings pc, const std::string& device,
                                     const ScanLines& lines) {
    QuietMessages quiet;
    AppContext ctx(quiet, caller.clock, caller.catalogue);
    const std::unique_ptr<SerialPort> port = lines.makeSerialPort();
    Link link(ctx, *port, *lines.clock);
    pc.PcPortName = device;
    if (link.OpenCommPort(pc) != 0) return std::nullopt;
    constexpr std::string_view query = "*IDN?";
    const auto deadline =
        lines.clock->now() + kScanReplyTime + link.LineTime(query.size() + 2 + kLongestIdentity + 2);
    std::string reply;
    const bool answered = link.QueryBy(query, reply, deadline, kLongestIdentity) == 0;
    link.CloseCommPort();
    if (!answered || !IsMeterIdentity(reply)) return std::nullopt;
    return VersionOfIdentity(reply);
}

}  // namespace

void RunOnOwnThreads(const std::vector<std::function<void()>>& jobs) {
    std::vector<std::thread> threads;
    threads.reserve(jobs.size());
    for (const auto& job : jobs) threads.emplace_back(job);
    for (std::thread& thread : threads) thread.join();
}

std::vector<FoundMeter> FindMeters(AppContext& ctx, const PcSettings& pc, const std::vector<std::string>& devices,
                                   const ScanLines& lines) {
    std::vector<std::string> asked;
    for (const std::string& device : devices)
        if (!device.empty() && std::find(asked.begin(), asked.end(), device) == asked.end()) asked.push_back(device);

    // Each job writes its own slot only, so the jobs share nothing while they run.
    std::vector<std::optional<std::string>> versions(asked.size());
    std::vector<std::function<void()>> jobs;
    for (std::size_t i = 0; i < asked.size(); ++i)
        jobs.emplace_back([&, i] { versions[i] = askDevice(ctx, pc, asked[i], lines); });
    if (!jobs.empty()) lines.runInParallel(jobs);

    std::vector<FoundMeter> found;
    for (std::size_t i = 0; i < asked.size(); ++i)
        if (versions[i]) found.push_back({asked[i], *versions[i]});
    if (found.empty()) ShowStopText(ctx, ctx.catalogue.text(kNoMeterFoundText));
    return found;
}

std::string FoundMeterLine(const FoundMeter& meter) {
    return meter.device + "  " + std::string(kMeterModel) + ' ' + meter.version;
}

}  // namespace voltaro
