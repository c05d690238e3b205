// The manual covers what the program offers: the sections windows open it at, its own links, the
// pictures the build takes of the windows, and every command of `voltaro --help` with its words.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "app/ManualSections.h"
#include "cli/MeterSession.h"
#include "cli/Subcommands.h"

namespace voltaro {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::set<std::string> captures(const std::string& text, const std::string& pattern) {
    std::set<std::string> found;
    const std::regex expression(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), expression); it != std::sregex_iterator(); ++it)
        found.insert((*it)[1]);
    return found;
}

// The options and the lowercase words (jobs, choices) of a synopsis, such as "--media", "card", "get".
std::set<std::string> synopsisWords(std::string_view synopsis) {
    std::set<std::string> words;
    std::string token;
    const auto take = [&] {
        const bool option = token.size() > 1 && token[0] == '-';
        const bool word = !token.empty() && token.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos;
        if (option || word) words.insert(token);
        token.clear();
    };
    for (const char c : synopsis) {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '=')
            token += c;
        else
            take();
    }
    take();
    return words;
}

class Manual : public ::testing::Test {
protected:
    const std::string html = readFile(VOLTARO_MANUAL_SOURCE);
    const std::set<std::string> ids = captures(html, R"re(id="([^"]+)")re");

    // The section that starts at the heading with `id`, up to the next heading of its level.
    std::string section(const std::string& id) const {
        const std::size_t start = html.find("id=\"" + id + "\"");
        if (start == std::string::npos) return {};
        const std::size_t end = html.find("<h2", start);
        return html.substr(start, end == std::string::npos ? std::string::npos : end - start);
    }
};

TEST_F(Manual, HasEverySectionWindowsOpenAndEveryPlaceItsLinksLeadTo) {
    ASSERT_FALSE(html.empty()) << VOLTARO_MANUAL_SOURCE;
    for (const std::string_view wanted : kManualSections) EXPECT_TRUE(ids.contains(std::string(wanted))) << wanted;
    for (const std::string& link : captures(html, R"re(href="#([^"]*)")re")) EXPECT_TRUE(ids.contains(link)) << link;
    EXPECT_TRUE(captures(html, R"re(href="([^#][^"]*)")re").empty())
        << "the help window follows links within the manual";
}

// The pictures are taken of the windows by the build; a picture nobody takes would show as a hole.
TEST_F(Manual, ShowsOnlyPicturesTheBuildTakesAndKeepsThemBesideIt) {
    const std::set<std::string> pictures = captures(html, R"re(<img src="([^"]+)")re");
    EXPECT_GE(pictures.size(), std::size_t{6});
    for (const std::string& picture : pictures) {
        EXPECT_TRUE(fs::is_regular_file(fs::path(VOLTARO_MANUAL_PICTURES) / picture)) << picture << ": taken by no one";
        EXPECT_TRUE(fs::is_regular_file(fs::path(VOLTARO_BUILT_MANUAL_DIR) / picture)) << picture << ": not beside it";
    }
    EXPECT_TRUE(fs::is_regular_file(fs::path(VOLTARO_BUILT_MANUAL_DIR) / "voltaroe.html"));
}

// Each command of `voltaro --help` has an entry, which names all its options and jobs.
TEST_F(Manual, DescribesEveryCommandWithAllItsWords) {
    const std::string commands = section("commands");
    ASSERT_FALSE(commands.empty());
    for (const Subcommand& command : Subcommands()) {
        SCOPED_TRACE(std::string(command.name));
        const std::string heading = "<code>voltaro " + std::string(command.name) + " ";
        const std::size_t start = commands.find(heading);
        ASSERT_NE(start, std::string::npos) << "no entry";
        const std::string entry = commands.substr(start, commands.find("</dd>", start) - start);
        for (const std::string& word : synopsisWords(command.synopsis))
            EXPECT_NE(entry.find(word), std::string::npos) << word;
        if (command.synopsis.find("PORT OPTIONS") == std::string_view::npos) continue;
        for (const std::string& option : captures(kPortOptionsHelp, R"re((--[a-z-]+))re")) {
            EXPECT_NE(commands.find("<code>" + option), std::string::npos) << option;
        }
    }
}

}  // namespace
}  // namespace voltaro
