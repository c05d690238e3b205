#include "link/MeterChecks.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "app/ErrorReporting.h"
#include "app/TextTools.h"

namespace voltaro {

namespace {

constexpr std::int16_t kMeasuring = 200;
constexpr std::int16_t kWrongModel = 201;
constexpr std::int16_t kSettingsRefused = 202;
constexpr std::int16_t kOnHold = 205;
constexpr std::int16_t kNoSettingScreen = 206;
constexpr std::int16_t kInvalidVersion = 357;

constexpr int kReadBackIdentityTimeoutSeconds = 20;
constexpr int kSettingScreenTries = 3;
constexpr int kKeyPressSettleSeconds = 2;
// Screens on which a measurement or a hold would get in the way; on any other the
// state queries are skipped.
constexpr std::array<std::string_view, 4> kCheckedScreens{"MEAS", "TOP", "SET", "FILE"};

// A query and its reply; false when it timed out (already reported).
bool ask(Link& link, std::string_view query, std::string& reply, int timeout = kReplyTimeoutSeconds) {
    return link.SendCommand(query) == 0 && link.ReceiveResponse(reply, timeout) == 0;
}

// The reply as a whole number, blanks around it allowed.
bool readNumber(std::string_view text, long long& value) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

std::int16_t fail(Link& link, std::int16_t code) {
    ShowErrorMessage(link.context(), kErrKindApplication, code);
    return kAlreadyReported;
}

std::int16_t checkIdentity(Link& link, int timeout) {
    std::string reply;
    if (!ask(link, "*IDN?", reply, timeout)) return kAlreadyReported;
    if (ModelOfIdentity(reply) != kMeterModel) return fail(link, kWrongModel);
    const std::string version = VersionOfIdentity(reply);
    if (CheckVersionFormat(link.context(), version) != 0) return kAlreadyReported;
    link.context().MeterVersion = version;
    return 0;
}

}  // namespace

std::string ModelOfIdentity(std::string_view reply) {
    // Five characters from the second one after the first comma; without a comma, from
    // the second character of the reply.
    const std::size_t comma = reply.find(',');
    const std::size_t start = comma == std::string_view::npos ? 1 : comma + 2;
    return start < reply.size() ? std::string(reply.substr(start, 5)) : std::string();
}

std::string VersionOfIdentity(std::string_view reply) {
    const std::string_view lastFive = reply.size() > 5 ? reply.substr(reply.size() - 5) : reply;
    return std::string(lastFive.substr(0, 4));
}

bool IsVersionText(std::string_view version) { return version.size() == 4 && version[1] == '.'; }

bool IsMeterIdentity(std::string_view reply) {
    return ModelOfIdentity(reply) == kMeterModel && IsVersionText(VersionOfIdentity(reply));
}

std::int16_t CheckVersionFormat(AppContext& ctx, std::string_view version) {
    if (IsVersionText(version)) return 0;
    ShowErrorMessage(ctx, kErrKindApplication, kInvalidVersion);
    return kInvalidVersion;
}

std::int16_t CheckMeterIdentity(Link& link) { return checkIdentity(link, kReplyTimeoutSeconds); }

std::int16_t IdentifyMeter(Link& link) {
    if (link.OpenCommPort(link.context().CurrentSetting.Pc) != 0) return kAlreadyReported;
    const bool identified = link.SendCommand(":COMM:HEAD OFF") == 0 && CheckMeterIdentity(link) == 0 &&
                            link.SendCommand(":COMM:HEAD ON") == 0;
    link.CloseCommPort();
    return identified ? 0 : kAlreadyReported;
}

std::int16_t CheckMeterReady(Link& link) {
    // Right after a send the meter may take a while to answer again.
    const bool readingBack = link.context().OperationMode == operation_mode::ReadingBackSetting;
    if (checkIdentity(link, readingBack ? kReadBackIdentityTimeoutSeconds : kReplyTimeoutSeconds) != 0)
        return kAlreadyReported;
    std::string reply;
    if (!ask(link, ":DISP:MODE?", reply)) return kAlreadyReported;
    if (std::find(kCheckedScreens.begin(), kCheckedScreens.end(), reply) == kCheckedScreens.end()) return 0;
    if (!ask(link, ":MEAS:STAT?", reply)) return kAlreadyReported;
    long long measuring = 0;
    if (!readNumber(reply, measuring)) return fail(link, kCommunicationFailed);
    if (measuring != 0) return fail(link, kMeasuring);
    if (!ask(link, ":HOLD?", reply)) return kAlreadyReported;
    if (reply != "0") return fail(link, kOnHold);
    return 0;
}

std::int16_t CheckSettingAccepted(Link& link) {
    std::string reply;
    if (link.SendCommand("*CLS") != 0 || !ask(link, ":OPER?", reply)) return kAlreadyReported;
    if (link.SendCommand(":OPER " + reply) != 0 || !ask(link, ":STAT:ERR?", reply)) return kAlreadyReported;
    if (reply == "200") return fail(link, kSettingsRefused);
    return 0;
}

std::int16_t SwitchToSettingScreen(Link& link, std::int16_t restoreBeep) {
    std::string reply;
    if (!ask(link, ":DISP:MODE?", reply)) return kAlreadyReported;
    link.context().SavedDisplayMode = reply;
    std::string screen;
    for (int attempt = 0; attempt < kSettingScreenTries && screen != "SET"; ++attempt) {
        if (link.SendCommand(":DISP:MODE SET") != 0 || !ask(link, ":DISP:MODE?", screen)) return kAlreadyReported;
    }
    if (screen != "SET") return fail(link, kNoSettingScreen);
    std::string beep;
    if (!ask(link, ":BEEP?", beep)) return kAlreadyReported;
    // Key 13 settles the meter on its setting screen; silence the beeper meanwhile.
    if (link.SendCommand(":BEEP 0") != 0 || link.SendCommand(":SYST:KEY 13") != 0) return kAlreadyReported;
    link.WaitSeconds(kKeyPressSettleSeconds);
    if (restoreBeep == 1 && link.SendCommand(":BEEP " + beep) != 0) return kAlreadyReported;
    return 0;
}

}  // namespace voltaro
