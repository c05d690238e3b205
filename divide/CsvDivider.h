#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/AppContext.h"
#include "app/LineInput.h"
#include "app/ProgressObserver.h"
#include "divide/DivideFormat.h"

namespace voltaro {

// Cuts a data file of the meter into pieces of lines or of columns, each with the
// file's header. Routines that can fail return true on failure, after reporting it.
class CsvDivider {
public:
    CsvDivider(AppContext& ctx, ProgressObserver& observer) : ctx_(ctx), observer_(observer) {}

    bool OpenInputFile(const std::string& inputFile);
    bool SetFileHeaderRead();
    // True when the count text is not a number within the limits of `kind` for the file's type.
    bool CHeckColRowNo(DivideKind kind, std::string_view countText);
    bool CheckOutputFile(const std::string& outputFolder, DivideKind kind);
    // Each piece is written under a temporary name and takes its own when complete.
    bool MakeColFile();
    // Every piece takes its name when the run ends.
    bool MakeRowFile2();

    const std::string& type() const { return type_; }

private:
    // Opens the input and reads its header lines, the title row last; false after reporting.
    bool openAndReadHeader(LineInput& input, std::vector<std::string>& headerLines);
    // Reports the progress; true after saying so when the user has asked to stop.
    bool stopAsked(std::uint64_t position, std::uint64_t size);
    // True after reporting when reading the input failed or met a line longer than any file of
    // the meter has; the progress is complete otherwise.
    bool finishReading(bool lineTooLong, bool readFailed, std::uint64_t size);
    void reportSystemError(const std::string& text);
    void reportNotNormal();
    void reportProgress(std::uint64_t done, std::uint64_t total);
    std::string pieceName(DivideKind kind, int k) const { return PieceName(outputBase_, kind, k); }

    AppContext& ctx_;
    ProgressObserver& observer_;
    std::string fullPath_;
    std::string fileName_;
    std::string type_;
    int headerLines_ = 0;
    double count_ = 0;
    std::string outputBase_;
    std::uint64_t lastProgress_ = 0;
};

struct DivisionRequest {
    std::string inputFile;
    std::string outputFolder;
    DivideKind kind = DivideKind::Lines;
    std::string countText;  // lines or columns per piece, as typed
};

// The division run. True when it completed (the completion message was shown, possibly
// after the information that the pieces ran out).
bool RunDivision(AppContext& ctx, const DivisionRequest& request, ProgressObserver& observer);

}  // namespace voltaro
