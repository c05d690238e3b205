#include "app/Catalogue.h"

#include <charconv>
#include <cstdlib>
#include <iostream>

namespace voltaro {

std::string_view BuiltInCatalogueData();  // generated from resources/catalogue/en.txt

namespace {

const std::string kEmpty;

bool unescape(std::string_view raw, std::string& out) {
    out.clear();
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            out += raw[i];
            continue;
        }
        if (++i == raw.size()) return false;
        switch (raw[i]) {
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case '\\': out += '\\'; break;
            default: return false;
        }
    }
    return true;
}

const std::string& lookup(const std::map<int, std::string>& table, int key) {
    const auto found = table.find(key);
    return found == table.end() ? kEmpty : found->second;
}

std::vector<int> keysOf(const std::map<int, std::string>& table) {
    std::vector<int> keys;
    keys.reserve(table.size());
    for (const auto& entry : table) keys.push_back(entry.first);
    return keys;
}

}  // namespace

std::optional<Catalogue> Catalogue::parse(std::string_view data, std::string& error) {
    Catalogue catalogue;
    std::map<int, std::string>* section = nullptr;
    int lineNumber = 0;
    auto fail = [&](const char* what) {
        error = "catalogue line " + std::to_string(lineNumber) + ": " + what;
        return std::nullopt;
    };
    while (!data.empty()) {
        ++lineNumber;
        const auto end = data.find('\n');
        std::string_view line = data.substr(0, end);
        data.remove_prefix(end == std::string_view::npos ? data.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        if (line == "[texts]") { section = &catalogue.texts_; continue; }
        if (line == "[codes]") { section = &catalogue.codeTexts_; continue; }
        if (section == nullptr) return fail("entry outside a section");
        const auto tab = line.find('\t');
        if (tab == std::string_view::npos) return fail("no tab after the number");
        int number = 0;
        const auto [rest, ec] = std::from_chars(line.data(), line.data() + tab, number);
        if (ec != std::errc() || rest != line.data() + tab) return fail("bad number");
        std::string text;
        if (!unescape(line.substr(tab + 1), text)) return fail("bad escape");
        if (!section->empty() && section->rbegin()->first >= number) return fail("number out of order");
        section->emplace(number, std::move(text));
    }
    return catalogue;
}

const Catalogue& Catalogue::builtIn() {
    static const Catalogue catalogue = [] {
        std::string error;
        auto parsed = parse(BuiltInCatalogueData(), error);
        if (!parsed) {
            // The file is compiled in and checked by the tests; a broken build must not limp on.
            std::cerr << "voltaro: built-in " << error << '\n';
            std::abort();
        }
        return std::move(*parsed);
    }();
    return catalogue;
}

bool Catalogue::hasText(int id) const { return texts_.count(id) != 0; }
const std::string& Catalogue::text(int id) const { return lookup(texts_, id); }
bool Catalogue::hasCode(int code) const { return codeTexts_.count(code) != 0; }
const std::string& Catalogue::codeText(int code) const { return lookup(codeTexts_, code); }
std::vector<int> Catalogue::textIds() const { return keysOf(texts_); }
std::vector<int> Catalogue::codes() const { return keysOf(codeTexts_); }

const std::string& LoadResString(int id) { return Catalogue::builtIn().text(id); }

}  // namespace voltaro
