#include "app/LineInput.h"

#include <algorithm>

namespace voltaro {

bool LineInput::open(const std::string& path, std::string& error) {
    lineTooLong_ = false;
    return input_.open(path, error);
}

bool LineInput::next(std::string& line) {
    std::string_view view;
    const bool read = nextView(view);
    line.assign(view);
    return read;
}

bool LineInput::nextView(std::string_view& line) {
    line = {};
    if (lineTooLong_) return false;
    std::string_view chunk = input_.available();
    if (chunk.empty()) return false;
    // Most lines lie in the buffer together with the byte after their end, which tells whether a CR
    // is followed by its LF.
    const std::size_t firstEnd = endIn(chunk);
    if (firstEnd <= kLongestLine && firstEnd + 1 < chunk.size()) {
        line = chunk.substr(0, firstEnd);
        const bool crLf = chunk[firstEnd] == '\r' && chunk[firstEnd + 1] == '\n';
        input_.skip(firstEnd + (crLf ? 2 : 1));
        return true;
    }
    // The others are put together across refills of the buffer.
    gathered_.clear();
    for (; !chunk.empty(); chunk = input_.available()) {
        const std::size_t end = endIn(chunk);
        const std::size_t length = std::min(end, chunk.size());
        if (gathered_.size() + length > kLongestLine) {
            gathered_.clear();
            lineTooLong_ = true;
            return false;
        }
        gathered_.append(chunk.substr(0, length));
        if (end == std::string_view::npos) {
            input_.skip(chunk.size());
            continue;
        }
        input_.skip(end + 1);
        if (chunk[end] == '\r') {
            const std::string_view after = input_.available();
            if (!after.empty() && after.front() == '\n') input_.skip(1);
        }
        break;
    }
    line = gathered_;
    return true;
}

}  // namespace voltaro
