#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "app/AppPath.h"
#include "app/Catalogue.h"
#include "app/Messages.h"
#include "app/SettingRecord.h"
#include "app/WallClock.h"

namespace voltaro {

// What the program is doing on its own; anything but Idle keeps the settings window's
// handlers from writing CurrentSetting.
namespace operation_mode {
inline constexpr std::int16_t Idle = 0;
inline constexpr std::int16_t InitialisingWindow = 1;
inline constexpr std::int16_t OpeningSettingFile = 2;
inline constexpr std::int16_t ReceivingSetting = 3;
inline constexpr std::int16_t SystemReset = 4;
inline constexpr std::int16_t ReadingBackSetting = 5;
}  // namespace operation_mode

// The state every window, command and test shares for one run of the program. One
// object, created by whoever runs the program (the GUI, the command line, a test),
// instead of scattered globals.
struct AppContext {
    AppContext(Messages& messages, const WallClock& clock, const Catalogue& catalogue = Catalogue::builtIn())
        : ExecutableDir(RunningExecutableDir()), messages(messages), clock(clock), catalogue(catalogue) {}

    SettingRecord CurrentSetting;
    std::string AppPath;           // ends in the directory separator
    // Where the program's own files are looked up from (app/ProgramFiles.h); a test points it
    // at a folder of its own.
    std::string ExecutableDir;
    std::string MsgTitle;          // title of every error and warning box: the window's showing them
    std::int16_t OperationMode = operation_mode::Idle;
    std::string MeterVersion;      // four characters from the meter's identification
    std::string SavedDisplayMode;  // meter screen to restore after a transfer
    // The description of the current error: the system's own text of the last platform
    // failure, or the catalogue text of the last code reported.
    std::string ErrorDescription;

    Messages& messages;
    const WallClock& clock;
    const Catalogue& catalogue;
};

// Keeps OperationMode at `mode` while it lives, and puts it back to Idle whatever the
// outcome of the work it guards.
class OperationModeScope {
public:
    OperationModeScope(AppContext& ctx, std::int16_t mode) : ctx_(ctx) { ctx_.OperationMode = mode; }
    ~OperationModeScope() { ctx_.OperationMode = operation_mode::Idle; }
    OperationModeScope(const OperationModeScope&) = delete;
    OperationModeScope& operator=(const OperationModeScope&) = delete;

private:
    AppContext& ctx_;
};

// Gives the boxes the title of the window that shows them while it lives, and the title of
// the window beneath back when it goes: a tool window's boxes carry its caption, the main
// menu's its own again once the tool window has closed.
class MessageTitleScope {
public:
    MessageTitleScope(AppContext& ctx, std::string title)
        : ctx_(ctx), beneath_(std::exchange(ctx.MsgTitle, std::move(title))) {}
    ~MessageTitleScope() { ctx_.MsgTitle = std::move(beneath_); }
    MessageTitleScope(const MessageTitleScope&) = delete;
    MessageTitleScope& operator=(const MessageTitleScope&) = delete;

private:
    AppContext& ctx_;
    std::string beneath_;
};

}  // namespace voltaro
