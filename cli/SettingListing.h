#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "app/Catalogue.h"
#include "app/SettingRecord.h"

namespace voltaro {

// One item of a setting as the settings window names and shows it.
struct ListedItem {
    std::string label;  // "A range (Load2)"
    std::string value;  // "1000A"
};

// Every item a setting file carries, page by page in the settings window's order, with
// the window's label (without its access key and colon) and the text its control shows.
// A value no list has shows as its number, so a setting the whole-setting check would
// refuse can still be looked at.
std::vector<ListedItem> ListSetting(const SettingRecord& record, const Catalogue& catalogue);

// The items one a line, the values lined up in one column.
void PrintListedItems(std::ostream& out, const std::vector<ListedItem>& items);

}  // namespace voltaro
