#include "transfer/SpreadsheetExport.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <utility>
#include <vector>

#include "app/AtomicFile.h"
#include "app/CodePageText.h"
#include "app/ErrorReporting.h"
#include "app/LineInput.h"
#include "app/TextTools.h"
#include "transfer/SpreadsheetLine.h"

namespace voltaro {

namespace {

constexpr int kTooManyLinesText = 425;  // follows the file name
constexpr int kLineTooLongText = 432;   // follows the file name

std::string folderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// A failure of the library: what failed, then the library's own text.
std::string libraryFailure(const std::string& subject, lxw_error error) { return subject + ": " + lxw_strerror(error); }

// What the workbook format accepts as a sheet name; the library takes an empty one.
lxw_error sheetNameError(lxw_workbook* workbook, const std::string& name) {
    return name.empty() ? LXW_ERROR_PARAMETER_VALIDATION : workbook_validate_sheet_name(workbook, name.c_str());
}

// A meter name as a sheet name the format takes: the characters it keeps out of sheet names become
// "_", an apostrophe may not open or close the name, and a name in use gets a number, "(2)" on.
std::string usableSheetName(lxw_workbook* workbook, std::string name) {
    constexpr std::string_view kRefused = "[]:*?/\\";
    if (name.empty()) return name;
    for (char& c : name)
        if (kRefused.find(c) != std::string_view::npos) c = '_';
    if (name.front() == '\'') name.front() = '_';
    if (name.back() == '\'') name.back() = '_';
    std::string candidate = name;
    for (int n = 2; sheetNameError(workbook, candidate) == LXW_ERROR_SHEETNAME_ALREADY_USED; ++n)
        candidate = name + "(" + std::to_string(n) + ")";
    return candidate;
}

// A field that is a number becomes a number; any other non-empty field becomes text, and an
// empty one leaves its cell empty.
lxw_error writeCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, std::string_view field,
                    std::string& text) {
    if (field.empty()) return LXW_NO_ERROR;
    if (double number = 0; ReadSpreadsheetNumber(field, number))
        return worksheet_write_number(sheet, row, column, number, nullptr);
    text.clear();
    AppendCodePageAsUtf8(field, text);
    return worksheet_write_string(sheet, row, column, text.c_str(), nullptr);
}

}  // namespace

SpreadsheetWorkbook::SpreadsheetWorkbook(AppContext& context, std::string path, std::uint32_t maxRows)
    : ctx_(context), path_(std::move(path)), maxRows_(maxRows) {}

SpreadsheetWorkbook::~SpreadsheetWorkbook() {
    if (workbook_ == nullptr) return;
    std::string ignored;
    finish(ignored);
}

std::int16_t SpreadsheetWorkbook::TransExec(const std::string& sheetName, const std::string& sourcePath) {
    std::string name;
    AppendCodePageAsUtf8(TrimBlanks(sheetName), name);
    if (workbook_ == nullptr && !create()) return kAlreadyReported;
    name = usableSheetName(workbook_, std::move(name));
    if (const lxw_error error = sheetNameError(workbook_, name); error != LXW_NO_ERROR) {
        ReportSystemError(ctx_, libraryFailure(path_ + ": " + name, error));
        return kAlreadyReported;
    }
    LineInput input(LineInput::LoneLf::EndsLine);
    if (std::string error; !input.open(sourcePath, error)) {
        ReportSystemError(ctx_, error);
        return kAlreadyReported;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(workbook_, name.c_str());
    // The name was checked; what is left to fail is the file that keeps the sheet's rows.
    if (sheet == nullptr) {
        ReportSystemError(ctx_, libraryFailure(path_ + ": " + name, LXW_ERROR_CREATING_TMPFILE));
        return kAlreadyReported;
    }
    ++sheets_;
    return fillSheet(sheet, input, name, sourcePath);
}

std::int16_t SpreadsheetWorkbook::fillSheet(lxw_worksheet* sheet, LineInput& input, const std::string& sheetName,
                                            const std::string& sourcePath) {
    std::string line;
    std::string text;
    std::vector<std::string_view> fields;
    for (lxw_row_t row = 0; input.next(line); ++row) {
        if (row == maxRows_) {
            ShowStopText(ctx_, sheetName + ctx_.catalogue.text(kTooManyLinesText));
            return kAlreadyReported;
        }
        SplitSpreadsheetLine(line, fields);
        for (lxw_col_t column = 0; column < fields.size(); ++column) {
            const lxw_error failure = writeCell(sheet, row, column, fields[column], text);
            if (failure != LXW_NO_ERROR) {
                char cell[LXW_MAX_CELL_NAME_LENGTH];
                lxw_rowcol_to_cell(cell, row, column);
                ReportSystemError(ctx_, libraryFailure(path_ + ": " + sheetName + "!" + cell, failure));
                return kAlreadyReported;
            }
        }
    }
    if (input.lineTooLong()) {
        ShowStopText(ctx_, sheetName + ctx_.catalogue.text(kLineTooLongText));
        return kAlreadyReported;
    }
    if (input.failed()) {
        ReportSystemError(ctx_, sourcePath + ": " + std::strerror(EIO));
        return kAlreadyReported;
    }
    return 0;
}

std::int16_t SpreadsheetWorkbook::close() {
    if (workbook_ == nullptr) return 0;
    std::string error;
    if (finish(error)) return 0;
    ReportSystemError(ctx_, error);
    return kAlreadyReported;
}

bool SpreadsheetWorkbook::create() {
    std::string error;
    temporaryPath_ = CreateFileBeside(path_, error);
    if (temporaryPath_.empty()) {
        ReportSystemError(ctx_, error);
        return false;
    }
    // Beside the workbook rather than in the system's temporary folder, which may live in memory.
    temporaryFolder_ = folderOf(path_);
    lxw_workbook_options options{LXW_TRUE, temporaryFolder_.data(), LXW_FALSE};
    workbook_ = workbook_new_opt(temporaryPath_.c_str(), &options);
    if (workbook_ == nullptr) {
        std::remove(temporaryPath_.c_str());
        ReportSystemError(ctx_, libraryFailure(path_, LXW_ERROR_MEMORY_MALLOC_FAILED));
        return false;
    }
    return true;
}

bool SpreadsheetWorkbook::finish(std::string& error) {
    lxw_workbook* workbook = std::exchange(workbook_, nullptr);
    if (sheets_ == 0) {
        lxw_workbook_free(workbook);
        std::remove(temporaryPath_.c_str());
        return true;
    }
    if (const lxw_error failure = workbook_close(workbook); failure != LXW_NO_ERROR) {
        std::remove(temporaryPath_.c_str());
        error = libraryFailure(path_, failure);
        return false;
    }
    return MoveFileIntoPlace(temporaryPath_, path_, Flush::ToDisk, error);
}

}  // namespace voltaro
