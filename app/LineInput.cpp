#include "app/LineInput.h"

namespace voltaro {

bool LineInput::next(std::string& line) {
    line.clear();
    bool found = false;
    for (std::string_view chunk = input_.available(); !chunk.empty(); chunk = input_.available()) {
        found = true;
        const std::size_t end = loneLf_ == LoneLf::EndsLine ? chunk.find_first_of("\r\n") : chunk.find('\r');
        if (end == std::string_view::npos) {
            line.append(chunk);
            input_.skip(chunk.size());
            continue;
        }
        line.append(chunk.substr(0, end));
        input_.skip(end + 1);
        if (chunk[end] == '\n') return true;
        const std::string_view after = input_.available();
        if (!after.empty() && after.front() == '\n') input_.skip(1);
        return true;
    }
    return found;
}

}  // namespace voltaro
