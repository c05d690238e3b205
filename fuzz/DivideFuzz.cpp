// Feeds arbitrary bytes to the division as a data CSV file, cut into pieces of lines or
// of columns. The divider must never crash, hang or read out of bounds, whatever the file
// holds.
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "app/AppContext.h"
#include "divide/CsvDivider.h"
#include "fuzz/FuzzWorkspace.h"

namespace {

struct Division {
    voltaro::DivideKind kind;
    std::string_view count;
};

// Counts the division accepts, small and large; the line counts suit every file type.
// An ASCII digit '0'..'5' as the first byte picks the entry of its value.
constexpr std::array<Division, 6> kDivisions{{
    {voltaro::DivideKind::Lines, "18"},
    {voltaro::DivideKind::Lines, "20"},
    {voltaro::DivideKind::Lines, "100"},
    {voltaro::DivideKind::Columns, "4"},
    {voltaro::DivideKind::Columns, "10"},
    {voltaro::DivideKind::Columns, "255"},
}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the division; the rest is the file.
    const Division& division = kDivisions[data[0] % kDivisions.size()];
    const auto& folder = voltaro::fuzz::WorkFolder();
    const auto input = folder / "FUZZ.CSV";
    const auto pieces = folder / "pieces";
    std::filesystem::create_directories(pieces);
    std::ofstream(input, std::ios::binary).write(reinterpret_cast<const char*>(data + 1),
                                                 static_cast<std::streamsize>(size - 1));
    voltaro::fuzz::SilentMessages messages;
    voltaro::fuzz::FixedClock clock;
    voltaro::AppContext ctx(messages, clock);
    voltaro::ProgressObserver observer;
    const voltaro::DivisionRequest request{.inputFile = input.string(),
                                           .outputFolder = pieces.string(),
                                           .kind = division.kind,
                                           .countText = std::string(division.count)};
    voltaro::RunDivision(ctx, request, observer);
    for (const auto& piece : std::filesystem::directory_iterator(pieces)) std::filesystem::remove(piece.path());
    return 0;
}
