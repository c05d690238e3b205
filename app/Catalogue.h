#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace voltaro {

// The numbered texts every window, message and command shows, and the texts of the
// application error codes. Read from a small text file (see resources/catalogue):
// a [texts] section and a [codes] section of "number<TAB>text" lines, with \n, \r,
// \t and \\ as the only escapes. Another language is another file.
class Catalogue {
public:
    // The English catalogue compiled into the program.
    static const Catalogue& builtIn();

    // Parses catalogue text; on a malformed file returns nothing and says which line.
    static std::optional<Catalogue> parse(std::string_view data, std::string& error);

    bool hasText(int id) const;
    const std::string& text(int id) const;  // empty when the id is unknown
    bool hasCode(int code) const;
    const std::string& codeText(int code) const;  // empty when the code is unknown
    std::vector<int> textIds() const;
    std::vector<int> codes() const;

private:
    std::map<int, std::string> texts_;
    std::map<int, std::string> codeTexts_;
};

// Shorthand for the built-in catalogue's text `id`.
const std::string& LoadResString(int id);

}  // namespace voltaro
