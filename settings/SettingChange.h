#pragma once

// A change of a setting given as a setting file spells it, "INTERVAL=13": the values of one
// line of the file (settings/SettingFileLayout.h), taken into a record by the rules the
// settings window applies when the user commits the item. `voltaro settings set` edits a
// setting file with it; a window could share it.

#include <cstdint>
#include <string_view>

#include "app/AppContext.h"
#include "app/SettingRecord.h"

namespace voltaro {

// Whether `key` names a line of the setting file that holds setting items: any line but the
// MODEL and VERSION header. Letter case counts, as in the file.
bool IsSettingItemKey(std::string_view key);

// How many values item line `key` holds ("CT" 4, "INTERVAL" 1); 0 for any other key.
int SettingLineValueCount(std::string_view key);

// Whether `value` is how a setting file spells the values of item line `key`: that many
// values joined by commas, each a number that fits its item (FILE any text), no line end.
bool IsSettingLineValue(std::string_view key, std::string_view value);

// Gives item line `key` of `record` the values `value`, in this order:
// 1. the items' own rule, as the window applies it when the user commits them: the list
//    checks of settings/FieldRules, the text box rules of settings/TextBoxCommit (VT and CT
//    cut to two decimals, the whole percentages, the ID, the file name in upper case, the
//    stop timer) and the rated power of the current channels in use; a harmonic save box or
//    an analog output item that the window's page does not offer cannot be changed;
// 2. what the change does to the items that depend on it (settings/CrossItemRules), when
//    it changed anything.
// Returns 0 with `record` changed, or the refusal's code after reporting it (a value that
// IsSettingLineValue refuses is "Not setting file."), with `record` untouched. The
// whole-setting check is left to the caller, after the last change.
std::int16_t ApplySettingChange(AppContext& ctx, SettingRecord& record, std::string_view key, std::string_view value);

}  // namespace voltaro
