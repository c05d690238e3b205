#pragma once

#include <unzip.h>

#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace voltaro::test {

// One part of a workbook file (a zip archive), such as "xl/workbook.xml"; nothing when the
// archive or the part cannot be read whole.
inline std::optional<std::string> ReadWorkbookPart(const std::string& path, const std::string& part) {
    unzFile zip = unzOpen(path.c_str());
    if (zip == nullptr) return std::nullopt;
    std::optional<std::string> content;
    if (unzLocateFile(zip, part.c_str(), 1) == UNZ_OK && unzOpenCurrentFile(zip) == UNZ_OK) {
        std::string bytes;
        char block[1 << 16];
        int got = 0;
        while ((got = unzReadCurrentFile(zip, block, sizeof block)) > 0)
            bytes.append(block, static_cast<std::size_t>(got));
        if (unzCloseCurrentFile(zip) == UNZ_OK && got == 0) content = std::move(bytes);
    }
    unzClose(zip);
    return content;
}

// XML text with the entities the writer uses replaced; "&amp;" last, so that what it
// leaves is not read again.
inline std::string XmlText(std::string text) {
    for (const auto& [entity, c] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}})
        text = std::regex_replace(text, std::regex(entity), c);
    return text;
}

// The cells of a sheet part in order, "A1 text" for text and "B1 #1.5" for a number.
inline std::vector<std::string> SheetCells(const std::string& sheetXml) {
    static const std::regex cell(
        R"re(<c r="([A-Z]+[0-9]+)"(?: t="inlineStr")?>(?:<v>([^<]*)</v>|<is><t[^>]*>([^<]*)</t></is>)</c>)re");
    std::vector<std::string> cells;
    for (std::sregex_iterator it(sheetXml.begin(), sheetXml.end(), cell), end; it != end; ++it) {
        const std::smatch& m = *it;
        cells.push_back(m[1].str() + (m[2].matched ? " #" + m[2].str() : " " + XmlText(m[3].str())));
    }
    return cells;
}

// The sheet names of the workbook part, in order.
inline std::vector<std::string> SheetNames(const std::string& workbookXml) {
    static const std::regex sheet(R"re(<sheet name="([^"]*)")re");
    std::vector<std::string> names;
    for (std::sregex_iterator it(workbookXml.begin(), workbookXml.end(), sheet), end; it != end; ++it)
        names.push_back(XmlText((*it)[1].str()));
    return names;
}

}  // namespace voltaro::test
