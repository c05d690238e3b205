#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/AppContext.h"
#include "app/SettingRecord.h"

namespace voltaro {

// The setting file (".SET") keeps a whole meter setting as text: one key and its values
// a line, in a fixed order, CR LF after every line. It carries the meter's own RS-232 and
// backlight items, which the link does not transfer, but neither the meter's clock nor
// the PC-side preferences.

inline constexpr std::int16_t kNotSettingFile = 204;

// The file's bytes for `record`. Its version line always reads "9.98".
std::string FormatSettingFile(const SettingRecord& record);

// Which harmonic orders a read takes from the file's order lines.
enum class OrderLines {
    WhenSelected,  // only when the file selects its own orders, as a setting opened for use
    Always,        // also under a fixed selection, so that a file rewritten keeps its lines
};

// Reads a setting file's bytes into `record`: every item the file carries replaces the
// record's, `Version` takes the file's version, and the harmonic orders are taken as
// `orders` says. The meter's clock and the PC-side fields stay. Returns false, with
// `record` untouched, when the bytes are not a setting file.
bool ParseSettingFile(std::string_view bytes, SettingRecord& record, OrderLines orders = OrderLines::WhenSelected);

// Writes `record` to `path`, replacing any file there atomically. 0, or -1 after showing
// the system's text.
std::int16_t WriteSettingFile(AppContext& ctx, const std::string& path, const SettingRecord& record);

// Reads the file at `path` into `record`. 0, or -1 after showing "Not setting file."
// once, with `record` untouched.
std::int16_t ReadSettingFile(AppContext& ctx, const std::string& path, SettingRecord& record,
                             OrderLines orders = OrderLines::WhenSelected);

// Opens a setting file as the current setting: reads it into a copy of CurrentSetting,
// checks the copy as a whole, and only then takes it. 0, or -1 after the one message of
// the failure, with CurrentSetting untouched. OperationMode is left to the caller (the
// settings window keeps it at OpeningSettingFile until it has shown the new setting).
std::int16_t LoadSettingFile(AppContext& ctx, const std::string& path);

}  // namespace voltaro
