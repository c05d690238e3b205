#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace voltaro {

// The comma-separated data files the division accepts: written by the meter ("T200",
// "T201" with 17 header lines, "T400", "T401" with 16) or by the conversion ("T350",
// "T351", 16). The last header line is the title row.

enum class DivideKind {
    Lines,    // pieces of whole lines, "_00".."_99"
    Columns,  // pieces of columns, "-00".."-99"
};

inline constexpr int kMaxPieces = 100;
inline constexpr int kFixedColumns = 3;  // date, time and the third column go into every piece

// The type code named by a data file's first line ("MODEL,ZR915,T351"), or nothing when
// the line does not name an accepted type.
std::optional<std::string> AcceptedTypeOfFirstLine(std::string_view line);

// Header lines before the first data row of an accepted type.
int HeaderLineCount(std::string_view type);

// Whether `count` lies within the limits of the division kind for the file type.
bool CountAccepted(DivideKind kind, std::string_view type, double count);

// The name of piece `k`: `base` (a path ending in ".CSV") with the kind's suffix and the
// two-digit number before the extension.
std::string PieceName(const std::string& base, DivideKind kind, int k);

// A data row's first field must be one of these in the first column piece.
bool IsRowMark(std::string_view field);
bool IsPowerEvent(std::string_view field);

}  // namespace voltaro
