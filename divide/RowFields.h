#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace voltaro {

// The fields of one row of a data file, found in one pass over its line: at most as many as the
// title row has, and none after a "STOP" field once the three fields every column piece takes are
// there. The fields are slices of the line, valid as long as it is.
class RowFields {
public:
    // For rows of at most `columns` fields (at least one).
    explicit RowFields(std::size_t columns) : ends_(columns) {}

    void split(std::string_view line);

    std::string_view line() const { return line_; }
    // At least one: an empty line is one empty field.
    std::size_t size() const { return count_; }
    // Whether a "STOP" field ended the row: the meter's end of data.
    bool stop() const { return stop_; }
    // The first field, which marks what the row is.
    std::string_view mark() const { return line_.substr(0, ends_[0]); }
    // Fields 0 to `last` (below size()) with the commas between them.
    std::string_view through(std::size_t last) const { return line_.substr(0, ends_[last]); }
    // Fields `first` (at least 1) to `last` (below size()), each after its comma.
    std::string_view commaAndFields(std::size_t first, std::size_t last) const {
        return line_.substr(ends_[first - 1], ends_[last] - ends_[first - 1]);
    }

private:
    std::string_view line_;
    std::vector<std::size_t> ends_;  // where each field ends: at its comma, or at the end of the line
    std::size_t count_ = 0;
    bool stop_ = false;
};

}  // namespace voltaro
