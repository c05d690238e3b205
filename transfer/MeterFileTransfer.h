#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/ProgressObserver.h"
#include "link/Link.h"
#include "transfer/MeterDirectory.h"

namespace voltaro {

class SpreadsheetWorkbook;

// Where the files of one transfer run go: into the copy folder, into the workbook, or both.
struct TransferTargets {
    TransferTargets(bool copy, std::string copyFolder, SpreadsheetWorkbook* workbook)
        : copy(copy), copyFolder(std::move(copyFolder)), workbook(workbook) {}

    bool copy;
    std::string copyFolder;
    SpreadsheetWorkbook* workbook;  // none when the files go to no spreadsheet
};

// The name a meter file may be saved under: not empty, no leading point, no path separator,
// no "..", no control character, so that it cannot leave or hide in the folder it is saved into.
bool IsSafeMeterFileName(const std::string& name);

// Fetches the `selected` files one after another, each over an exchange of its own, into
// the temporary file of the application folder, and from there into the targets. A file
// of the same name in the copy folder is replaced only when the user says Yes; No skips
// the copy of that file, Cancel ends the run. Copies are put in place whole or not at all,
// and the temporary file is gone when the run ends. 0 when every file was dealt with; -1
// when the run stopped early (nothing selected, Cancel, or a failure already reported).
std::int16_t TransStart(Link& link, MeterMedium medium, const std::vector<MeterFileEntry>& selected,
                        const TransferTargets& targets, ProgressObserver& progress);

}  // namespace voltaro
