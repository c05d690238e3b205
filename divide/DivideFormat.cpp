#include "divide/DivideFormat.h"

#include <array>
#include <cstdio>


namespace voltaro {

namespace {

struct TypeHeader {
    std::string_view type;
    int headerLines;
};
constexpr std::array<TypeHeader, 6> kAcceptedTypes{{
    {"T200", 17}, {"T201", 17}, {"T400", 16}, {"T401", 16}, {"T350", 16}, {"T351", 16},
}};

constexpr std::string_view kModelName = "ZR915";
constexpr double kMaxLinesPerPiece = 65535;
constexpr double kMinColumnsPerPiece = 4;
constexpr double kMaxColumnsPerPiece = 255;

}  // namespace

std::optional<std::string> AcceptedTypeOfFirstLine(std::string_view line) {
    if (line.size() < 16 || line.substr(6, 5) != kModelName) return std::nullopt;
    const std::string_view type = line.substr(12, 4);
    for (const TypeHeader& accepted : kAcceptedTypes)
        if (accepted.type == type) return std::string(type);
    return std::nullopt;
}

int HeaderLineCount(std::string_view type) {
    for (const TypeHeader& accepted : kAcceptedTypes)
        if (accepted.type == type) return accepted.headerLines;
    return 0;
}

bool CountAccepted(DivideKind kind, std::string_view type, double count) {
    if (kind == DivideKind::Columns) return count >= kMinColumnsPerPiece && count <= kMaxColumnsPerPiece;
    // A piece of lines must hold its header and at least one more line.
    return count > HeaderLineCount(type) && count <= kMaxLinesPerPiece;
}

std::string PieceName(const std::string& base, DivideKind kind, int k) {
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, "%c%02d", kind == DivideKind::Lines ? '_' : '-', k);
    return base.substr(0, base.size() - 4) + suffix + ".CSV";
}

bool IsPowerEvent(std::string_view field) { return field == "POWER OFF" || field == "POWER ON"; }

bool IsRowMark(std::string_view field) {
    if (field == "DATE" || IsPowerEvent(field)) return true;
    return field.size() == 10 && field[4] == '/' && field[7] == '/';
}

}  // namespace voltaro
