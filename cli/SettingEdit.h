#pragma once

#include <string>
#include <vector>

#include "cli/CommandLine.h"

namespace voltaro {

// One item line given anew on the command line: "CT=1.00,2.50,1.00,1.00".
struct SettingAssignment {
    std::string name;   // the line's key
    std::string value;  // its values, as the file spells them
};

// Takes NAME=VALUE arguments: each names an item line of a setting file once, with values
// spelled as the file spells them. Empty when they are right; otherwise what is wrong with
// them, and `assignments` holds those taken before.
std::string TakeSettingAssignments(const std::vector<std::string>& args, std::vector<SettingAssignment>& assignments);

// voltaro settings set FILE.SET NAME=VALUE...: the assignments in the order given, each by
// the settings window's rules (settings/SettingChange), then the whole-setting check, and
// only then the file rewritten. A refusal names what it refuses ("INTERVAL=17: Invalid
// interval time.", "FILE.SET: Invalid dip.") and leaves the file as it was.
int EditSettingFile(const std::string& path, const std::vector<SettingAssignment>& assignments,
                    const Console& console);

}  // namespace voltaro
