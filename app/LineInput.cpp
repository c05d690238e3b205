#include "app/LineInput.h"

#include <algorithm>

namespace voltaro {

bool LineInput::open(const std::string& path, std::string& error) {
    lineTooLong_ = false;
    return input_.open(path, error);
}

bool LineInput::next(std::string& line) {
    line.clear();
    if (lineTooLong_) return false;
    bool found = false;
    for (std::string_view chunk = input_.available(); !chunk.empty(); chunk = input_.available()) {
        found = true;
        const std::size_t end = loneLf_ == LoneLf::EndsLine ? chunk.find_first_of("\r\n") : chunk.find('\r');
        const std::size_t length = std::min(end, chunk.size());
        if (line.size() + length > kLongestLine) {
            line.clear();
            lineTooLong_ = true;
            return false;
        }
        line.append(chunk.substr(0, length));
        if (end == std::string_view::npos) {
            input_.skip(chunk.size());
            continue;
        }
        input_.skip(end + 1);
        if (chunk[end] == '\n') return true;
        const std::string_view after = input_.available();
        if (!after.empty() && after.front() == '\n') input_.skip(1);
        return true;
    }
    return found;
}

}  // namespace voltaro
