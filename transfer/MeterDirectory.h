#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/Link.h"

namespace voltaro {

enum class MeterMedium { Card = 0, Memory = 1 };

// One file on the meter.
struct MeterFileEntry {
    std::string name;      // name and extension, padded with blanks or cut to 12 characters
    std::string kind;      // the kind word the meter listed it under ("MEAS", "INST", ...)
    std::string sizeText;  // the size as the meter wrote it: shown, and sent back to pick the file
    float size = 0;        // the size text as a count of bytes; 0 when it is no plain count
};

// The files of the last directory read, all kinds in one list.
struct MeterFileList {
    std::vector<MeterFileEntry> entries;
};

// A size from the directory as the copy takes it: a plain count of bytes, no larger than any
// medium of the meter holds; nothing for any other text ("nan", "-5", "1e30", "").
std::optional<std::uint64_t> ByteCount(std::string_view sizeText);

// The kinds asked for, in order; "SET" only on the PC card.
std::vector<std::string_view> DirectoryKinds(MeterMedium medium);

// The extension a kind's names get (".CSV" for "MEAS"); empty for an unknown kind.
std::string GetFileExtString(std::string_view kind);

// Appends the entries of one kind's directory reply: name "," size "," name "," size ...,
// blanks around them ignored; a name without a size after it is left out.
void SetZrFileNameList(MeterFileList& list, std::string_view kind, std::string_view reply);

// Orders the list by name, comparing character codes.
void ZrFileNameListSort(MeterFileList& list);

// The card status number; 0 or -1 after reporting ("Pc card not ready." for status 0).
std::int16_t CheckCardStatus(Link& link);

// One kind's directory reply; -1 after a reported time-out.
std::int16_t GetCommZrFileName(Link& link, MeterMedium medium, std::string_view kind, std::string& reply);

// The whole directory read over one exchange: identity, card status, every kind, sorted.
// On failure the list holds what was gathered and -1 is returned after reporting.
std::int16_t GetZrFileName(Link& link, MeterMedium medium, MeterFileList& list);

}  // namespace voltaro
