#pragma once

#include <cstdint>
#include <string>

#include "app/AppContext.h"

namespace voltaro {

inline constexpr std::int16_t kErrKindApplication = 0;  // the code is an application code
inline constexpr std::int16_t kErrKindSystem = 1;       // show the current system error text
inline constexpr std::int16_t kAlreadyReported = -1;    // a failure whose box was already shown
inline constexpr std::int16_t kCommunicationFailed = 100;  // no reply, or one that cannot be read

// Shows one stop box titled MsgTitle. Kind 0: the text of application code `code`
// (nothing at all for -1). Any other kind: the current error description.
void ShowErrorMessage(AppContext& ctx, std::int16_t kind, std::int16_t code);

// Records a platform failure's own text as the current error and shows it.
void ReportSystemError(AppContext& ctx, const std::string& description);

// Shows a stop box with a text that is not an application code (a window's own
// message, or a catalogue text with a file name before it).
void ShowStopText(AppContext& ctx, const std::string& text);

// Shows an information box, such as the completion of a run.
void ShowInformationText(AppContext& ctx, const std::string& text);

// Combines up to three interval and saving warnings into one exclamation box; a
// selector without a matching warning leaves its line empty.
void ShowSettingWarnings(AppContext& ctx, std::int16_t interval, std::int16_t saving, std::int16_t integration);

}  // namespace voltaro
