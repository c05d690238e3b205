#include "cli/SettingEdit.h"

#include <algorithm>
#include <ostream>
#include <utility>

#include "app/AppContext.h"
#include "cli/ConsoleReporter.h"
#include "settings/SettingChange.h"
#include "settings/SettingCheck.h"
#include "settings/SettingFile.h"

namespace voltaro {

namespace {

constexpr int kSettingCaption = 2001;

// Puts what a message is about in front of it: "INTERVAL=17: Invalid interval time.". A
// box's empty last line is left out.
class NamedMessages final : public Messages {
public:
    explicit NamedMessages(Messages& shown) : shown_(shown) {}

    void about(std::string name) { name_ = std::move(name); }

    void notify(MessageIcon icon, const std::string& title, const std::string& text) override {
        std::string line = text;
        while (line.ends_with('\n')) line.pop_back();
        shown_.notify(icon, title, name_.empty() ? line : name_ + ": " + line);
    }
    bool askOkCancel(const std::string& title, const std::string& text) override {
        return shown_.askOkCancel(title, text);
    }
    Answer askYesNoCancel(const std::string& title, const std::string& text) override {
        return shown_.askYesNoCancel(title, text);
    }

private:
    Messages& shown_;
    std::string name_;
};

std::string spelling(const std::string& name) {
    const int count = SettingLineValueCount(name);
    return name + (count == 1 ? " takes one value" : " takes " + std::to_string(count) + " values joined by commas") +
           ", as a setting file spells them";
}

}  // namespace

std::string TakeSettingAssignments(const std::vector<std::string>& args, std::vector<SettingAssignment>& assignments) {
    if (args.empty()) return "give the items to set as NAME=VALUE";
    for (const std::string& arg : args) {
        const std::size_t equals = arg.find('=');
        if (equals == std::string::npos) return "'" + arg + "' is not NAME=VALUE";
        SettingAssignment assignment{arg.substr(0, equals), arg.substr(equals + 1)};
        if (!IsSettingItemKey(assignment.name)) return "'" + assignment.name + "' is no item of a setting file";
        if (std::any_of(assignments.begin(), assignments.end(),
                        [&](const SettingAssignment& taken) { return taken.name == assignment.name; }))
            return assignment.name + " is given twice";
        if (!IsSettingLineValue(assignment.name, assignment.value))
            return "'" + arg + "': " + spelling(assignment.name);
        assignments.push_back(std::move(assignment));
    }
    return {};
}

int EditSettingFile(const std::string& path, const std::vector<SettingAssignment>& assignments,
                    const Console& console) {
    ConsoleReporter reporter(console.err, false);
    NamedMessages messages(reporter);
    SystemWallClock clock;
    AppContext ctx(messages, clock);
    ctx.MsgTitle = ctx.catalogue.text(kSettingCaption);

    // The file's own orders stay, also those a fixed selection leaves aside.
    SettingRecord record;
    messages.about(path);
    if (ReadSettingFile(ctx, path, record, OrderLines::Always) != 0) return kExitFailure;
    for (const SettingAssignment& assignment : assignments) {
        messages.about(assignment.name + '=' + assignment.value);
        if (ApplySettingChange(ctx, record, assignment.name, assignment.value) != 0) return kExitFailure;
    }
    messages.about(path);
    if (CheckSettingRecord(ctx, record) != 0) return kExitFailure;
    // A failed write names its file itself.
    messages.about({});
    return WriteSettingFile(ctx, path, record) == 0 ? kExitSuccess : kExitFailure;
}

}  // namespace voltaro
