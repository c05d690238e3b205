#pragma once

#include <cstdint>
#include <string>

#include "app/AppContext.h"

struct lxw_workbook;
struct lxw_worksheet;

namespace voltaro {

class LineInput;

// The rows one sheet of the workbook format can hold.
inline constexpr std::uint32_t kMaxSheetRows = 1048576;

// One workbook per transfer run: created at the first sheet, one sheet per transferred text file.
// Rows go to the disk as they are read, so a file of any size takes little memory. The workbook
// is written under a temporary name beside `path` and renamed into place only when complete.
class SpreadsheetWorkbook {
public:
    SpreadsheetWorkbook(AppContext& context, std::string path, std::uint32_t maxRows = kMaxSheetRows);
    ~SpreadsheetWorkbook();  // closes (writes) the workbook if still open, reporting nothing
    SpreadsheetWorkbook(const SpreadsheetWorkbook&) = delete;
    SpreadsheetWorkbook& operator=(const SpreadsheetWorkbook&) = delete;

    // Adds a sheet named `sheetName` (the meter file name, blanks trimmed) filled from the text file at
    // `sourcePath`, one line per row, one field per cell. 0, or -1 after reporting the failure. A sheet
    // filled only in part by a failed call stays in the workbook.
    std::int16_t TransExec(const std::string& sheetName, const std::string& sourcePath);
    // Writes the workbook file and ends the workbook. 0, or -1 after reporting. Nothing is written when
    // no sheet was added.
    std::int16_t close();
    // True once a sheet was added, also after close().
    bool hasSheets() const { return sheets_ > 0; }
    const std::string& path() const { return path_; }

private:
    bool create();
    std::int16_t fillSheet(lxw_worksheet* sheet, LineInput& input, const std::string& sheetName,
                           const std::string& sourcePath);
    // Writes the workbook and puts it in place, or throws it away when it has no sheet; false with the
    // failure's text in `error`.
    bool finish(std::string& error);

    AppContext& ctx_;
    std::string path_;
    std::uint32_t maxRows_;
    std::string temporaryPath_;
    std::string temporaryFolder_;  // where the library keeps the rows until the workbook is written
    lxw_workbook* workbook_ = nullptr;
    int sheets_ = 0;
};

}  // namespace voltaro
