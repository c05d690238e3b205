#include "sim/MeterSimOptions.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace voltaro::sim {

const std::string_view kMeterSimUsage =
    "usage: voltaro-meter-sim [OPTION]...\n"
    "Serves a simulated ZR915 meter on a pseudo-terminal; prints the device path first.\n"
    "\n"
    "  --card DIR                  files on the PC card (default: the sample card, meter-card\n"
    "                              beside the program or in its share/voltaro folder)\n"
    "  --memory DIR                files in the internal memory (default: none)\n"
    "  --log FILE                  write every command line received to FILE\n"
    "  --hang-up-on CMD            close the line and end when CMD arrives, as if unplugged\n"
    "  --silent-on CMD             leave CMD unanswered (a keyword such as :LANG? or a whole line)\n"
    "  --garble-on CMD             answer CMD with line noise instead of its reply\n"
    "  --split N:MS                send replies in pieces of N bytes, MS milliseconds apart\n"
    "  --model TEXT                name TEXT as the model in the identification\n"
    "  --version TEXT              name TEXT as the version in the identification\n"
    "  --screen WORD               start on screen WORD instead of MEAS\n"
    "  --measuring                 report a measurement running\n"
    "  --hold                      report hold\n"
    "  --refuse-settings           report error status 200 (settings refused)\n"
    "  --setting-screen-after N|never\n"
    "                              reach the setting screen on the N-th try, or never\n"
    "  --ignore-set CMD            accept set command CMD without applying it\n"
    "  --card-not-ready            report the PC card not ready\n"
    "  --baud N                    send at N bits per second (10 bits a byte)\n"
    "  --stop-transfer-after N     break off file transfers after N bytes\n"
    "  --size-error N              list every file N bytes longer (negative: shorter) than it is sent\n"
    "  --help                      show this text\n";

namespace {

template <typename Number>
std::optional<Number> Parse(std::string_view text) {
    Number value{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

// Applies an option's value; false when the value is not one the option takes.
using Apply = bool (*)(MeterSimOptions&, std::string_view value);

struct Option {
    std::string_view name;
    bool takesValue;
    Apply apply;
};

constexpr Option kOptions[] = {
    {"--card", true, [](MeterSimOptions& o, std::string_view v) { return !(o.folders.card = v).empty(); }},
    {"--memory", true, [](MeterSimOptions& o, std::string_view v) { return !(o.folders.memory = v).empty(); }},
    {"--log", true, [](MeterSimOptions& o, std::string_view v) { return !(o.logFile = v).empty(); }},
    {"--hang-up-on", true, [](MeterSimOptions& o, std::string_view v) { return !(o.hangUpOn = v).empty(); }},
    {"--silent-on", true,
     [](MeterSimOptions& o, std::string_view v) {
         o.faults.silentOn.emplace_back(v);
         return !v.empty();
     }},
    {"--garble-on", true,
     [](MeterSimOptions& o, std::string_view v) {
         o.faults.garbleOn.emplace_back(v);
         return !v.empty();
     }},
    {"--split", true,
     [](MeterSimOptions& o, std::string_view v) {
         const std::size_t colon = v.find(':');
         const auto bytes = Parse<std::size_t>(v.substr(0, colon));
         const auto gap = colon == std::string_view::npos ? std::nullopt : Parse<long long>(v.substr(colon + 1));
         if (!bytes || *bytes == 0 || !gap || *gap < 0) return false;
         o.faults.splitBytes = *bytes;
         o.faults.splitGap = std::chrono::milliseconds(*gap);
         return true;
     }},
    {"--model", true,
     [](MeterSimOptions& o, std::string_view v) {
         o.faults.model = v;
         return true;
     }},
    {"--version", true,
     [](MeterSimOptions& o, std::string_view v) {
         o.faults.version = v;
         return true;
     }},
    {"--screen", true,
     [](MeterSimOptions& o, std::string_view v) {
         o.faults.screen = v;
         return true;
     }},
    {"--measuring", false, [](MeterSimOptions& o, std::string_view) { return o.faults.measuring = true; }},
    {"--hold", false, [](MeterSimOptions& o, std::string_view) { return o.faults.hold = true; }},
    {"--refuse-settings", false, [](MeterSimOptions& o, std::string_view) { return o.faults.refuseSettings = true; }},
    {"--setting-screen-after", true,
     [](MeterSimOptions& o, std::string_view v) {
         if (v == "never") {
             o.faults.settingScreenAfter.reset();
             return true;
         }
         const auto tries = Parse<int>(v);
         o.faults.settingScreenAfter = tries;
         return tries && *tries >= 1;
     }},
    {"--ignore-set", true,
     [](MeterSimOptions& o, std::string_view v) {
         o.faults.ignoreSet.emplace_back(v);
         return !v.empty();
     }},
    {"--card-not-ready", false, [](MeterSimOptions& o, std::string_view) { return o.faults.cardNotReady = true; }},
    {"--baud", true,
     [](MeterSimOptions& o, std::string_view v) {
         const auto baud = Parse<int>(v);
         o.faults.baud = baud.value_or(0);
         return baud && *baud >= 1;
     }},
    {"--stop-transfer-after", true,
     [](MeterSimOptions& o, std::string_view v) {
         o.faults.stopTransferAfter = Parse<std::size_t>(v);
         return o.faults.stopTransferAfter.has_value();
     }},
    {"--size-error", true,
     [](MeterSimOptions& o, std::string_view v) {
         const auto error = Parse<long long>(v);
         o.faults.directorySizeError = error.value_or(0);
         return error.has_value();
     }},
    {"--help", false, [](MeterSimOptions& o, std::string_view) { return o.help = true; }},
};

}  // namespace

std::optional<MeterSimOptions> ParseMeterSimOptions(std::span<const std::string_view> arguments, std::string& error) {
    MeterSimOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view name = arguments[i];
        const auto* option =
            std::find_if(std::begin(kOptions), std::end(kOptions), [name](const Option& o) { return o.name == name; });
        if (option == std::end(kOptions)) {
            error = "unknown option '" + std::string(name) + "'";
            return std::nullopt;
        }
        std::string_view value;
        if (option->takesValue) {
            if (++i == arguments.size()) {
                error = "option '" + std::string(name) + "' needs a value";
                return std::nullopt;
            }
            value = arguments[i];
        }
        if (!option->apply(options, value)) {
            error = "option '" + std::string(name) + "' cannot take '" + std::string(value) + "'";
            return std::nullopt;
        }
    }
    return options;
}

std::filesystem::path DefaultCardFolder(const std::filesystem::path& programFolder) {
    const std::filesystem::path beside = programFolder / "meter-card";
    const std::filesystem::path installed = programFolder.parent_path() / "share" / "voltaro" / "meter-card";
    std::error_code error;
    if (!std::filesystem::is_directory(beside, error) && std::filesystem::is_directory(installed, error))
        return installed;
    return beside;
}

}  // namespace voltaro::sim
