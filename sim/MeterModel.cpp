#include "sim/MeterModel.h"

#include <algorithm>
#include <utility>

#include "app/DefaultSettings.h"
#include "settings/CodeTables.h"

namespace voltaro::sim {

namespace {

constexpr std::string_view kSettingScreen = "SET";
// The identification reply: maker, model, serial number, then the firmware version
// followed by a one-letter revision. The PC reads the model 2 characters after the
// first comma and the version as the 4 characters before the last one.
constexpr std::string_view kMaker = "VOLTARO SIMULATOR";
constexpr std::string_view kSerial = "000001";
constexpr std::string_view kRevision = "A";
// A line that never ends is dropped rather than kept growing.
constexpr std::size_t kLongestLine = 4096;
// What a garbled reply holds instead: no comma, no line end, no start or end mark.
constexpr std::string_view kLineNoise = "\xFE\x7F#\x15\xFF";

std::string Flag(bool on) { return on ? "1" : "0"; }

// A pick names "NAME,1,SIZE"; the meter sends the whole file, whatever size the PC names.
std::string_view FileName(std::string_view pick) { return pick.substr(0, pick.find(',')); }

// A fault list names a command by its keyword or by its whole line.
bool Names(const std::vector<std::string>& commands, std::string_view line, std::string_view keyword) {
    return std::any_of(commands.begin(), commands.end(),
                       [&](const std::string& c) { return c == line || c == keyword; });
}

}  // namespace

MeterModel::MeterModel(MeterFolders folders, MeterFaults faults, const LocalDateTime& clock)
    : faults_(std::move(faults)),
      card_(std::move(folders.card)),
      memory_(std::move(folders.memory)),
      factory_(FactorySettings(clock, {}, LanguageToIndex("ENGLISH"))),
      settings_(factory_),
      output_(faults_.baud),
      screen_(faults_.screen) {}

void MeterModel::receive(std::string_view bytes, TimePoint now) {
    input_ += bytes;
    std::size_t start = 0;
    for (std::size_t end; (end = input_.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string_view line(input_.data() + start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        handle(line, now);
    }
    input_.erase(0, start);
    if (input_.size() > kLongestLine) input_.clear();
}

void MeterModel::handle(std::string_view line, TimePoint now) {
    if (observer_) observer_(line);
    const std::size_t blank = line.find(' ');
    const std::string_view keyword = line.substr(0, blank);
    const std::string_view argument = blank == std::string_view::npos ? std::string_view{} : line.substr(blank + 1);
    if (!keyword.ends_with('?')) {
        if (!Names(faults_.ignoreSet, line, keyword)) apply(keyword, argument);
        return;
    }
    if (Names(faults_.silentOn, line, keyword)) return;
    const bool transfer = keyword.ends_with(":PICK?");
    if (Names(faults_.garbleOn, line, keyword)) {
        sendReply(std::string(kLineNoise) + (transfer ? "" : "\r\n"), now);
        return;
    }
    auto reply = answer(keyword, argument);
    if (!reply || (transfer && reply->empty())) return;
    // With headers on, a reply repeats the command's header; common commands ("*IDN?") have none.
    if (headers_ && keyword.starts_with(':'))
        *reply = std::string(keyword.substr(0, keyword.size() - 1)) + ' ' + *reply;
    if (!transfer)
        *reply += "\r\n";
    else if (faults_.stopTransferAfter)
        reply->resize(std::min(reply->size(), *faults_.stopTransferAfter));
    sendReply(std::move(*reply), now);
}

std::optional<std::string> MeterModel::answer(std::string_view keyword, std::string_view argument) const {
    using Respond = std::string (*)(const MeterModel&, std::string_view argument);
    static constexpr std::pair<std::string_view, Respond> kQueries[] = {
        {"*IDN?",
         [](const MeterModel& m, std::string_view) {
             return std::string(kMaker) + ", " + m.faults_.model + ',' + std::string(kSerial) + ',' +
                    m.faults_.version + std::string(kRevision);
         }},
        {":DISP:MODE?", [](const MeterModel& m, std::string_view) { return m.screen_; }},
        {":MEAS:STAT?", [](const MeterModel& m, std::string_view) { return Flag(m.faults_.measuring); }},
        {":HOLD?", [](const MeterModel& m, std::string_view) { return Flag(m.faults_.hold); }},
        {":STAT:ERR?",
         [](const MeterModel& m, std::string_view) { return std::string(m.faults_.refuseSettings ? "200" : "0"); }},
        {":CARD:STAT?",
         [](const MeterModel& m, std::string_view) { return Flag(!m.faults_.cardNotReady && m.card_.present()); }},
        {":CARD:DIRE?",
         [](const MeterModel& m, std::string_view kind) {
             return m.card_.directory(kind, m.faults_.directorySizeError);
         }},
        {":MEMO:DIRE?",
         [](const MeterModel& m, std::string_view kind) {
             return m.memory_.directory(kind, m.faults_.directorySizeError);
         }},
        {":CARD:PICK?", [](const MeterModel& m, std::string_view file) { return m.card_.pick(FileName(file)); }},
        {":MEMO:PICK?", [](const MeterModel& m, std::string_view file) { return m.memory_.pick(FileName(file)); }},
    };
    for (const auto& [name, respond] : kQueries)
        if (name == keyword) return respond(*this, argument);
    return settings_.query(keyword.substr(0, keyword.size() - 1));
}

void MeterModel::apply(std::string_view keyword, std::string_view argument) {
    // "*CLS" and key presses (":SYST:KEY") change nothing the line can observe.
    if (keyword == ":COMM:HEAD") {
        if (argument == "ON" || argument == "OFF") headers_ = argument == "ON";
    } else if (keyword == ":DISP:MODE") {
        switchScreen(argument);
    } else if (keyword == ":RESE") {
        settings_.reset(factory_);
    } else {
        settings_.set(keyword, argument);
    }
}

void MeterModel::switchScreen(std::string_view word) {
    if (word != kSettingScreen) {
        screen_ = word;
        setScreenTries_ = 0;
        return;
    }
    if (screen_ == kSettingScreen) return;
    ++setScreenTries_;
    if (faults_.settingScreenAfter && setScreenTries_ >= *faults_.settingScreenAfter) {
        screen_ = kSettingScreen;
        setScreenTries_ = 0;
    }
}

void MeterModel::sendReply(std::string bytes, TimePoint now) {
    const std::size_t piece = faults_.splitBytes != 0 ? faults_.splitBytes : bytes.size();
    TimePoint earliest = now;
    for (std::size_t at = 0; at < bytes.size(); at += piece)
        earliest = output_.send(bytes.substr(at, piece), earliest) + faults_.splitGap;
}

}  // namespace voltaro::sim
