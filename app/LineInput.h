#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/BinaryInput.h"

namespace voltaro {

// Reads a text file line by line. A line ends at CR LF or at a lone CR; a lone LF is
// part of the line unless the reader is told that it ends one. The last line may lack its end.
// A line longer than kLongestLine ends the reading: no file of the meter comes near it, and a
// file without line ends must not fill the memory.
class LineInput {
public:
    enum class LoneLf { PartOfLine, EndsLine };

    static constexpr std::size_t kLongestLine = std::size_t{1} << 20;

    explicit LineInput(LoneLf loneLf = LoneLf::PartOfLine) : loneLf_(loneLf) {}

    // Opens the regular file `path` (OpenRegularFile); false with "PATH: reason" in `error`.
    bool open(const std::string& path, std::string& error);
    void close() { input_.close(); }
    // The open file, for reading at offsets of its own; -1 when none is open.
    int descriptor() const { return input_.descriptor(); }

    // The next line without its end; false when the input has no more lines, when reading
    // failed, or when the line is longer than kLongestLine (lineTooLong(); `line` is then empty
    // and every later call returns false).
    bool next(std::string& line);
    // As next(), but the line is given where it lies in the reader's buffer, without a copy; it stays
    // valid until the next call.
    bool nextView(std::string_view& line);
    bool atEnd() { return input_.available().empty(); }

    std::uint64_t position() const { return input_.position(); }
    // Reads on from `offset`, the start of a line as position() gave it before that line was read.
    void seek(std::uint64_t offset) {
        input_.seek(offset);
        lineTooLong_ = false;
    }
    std::uint64_t size() const { return input_.size(); }
    // True when next() stopped before the end of the file: a read failure or a line too long.
    bool failed() const { return input_.failed() || lineTooLong_; }
    bool lineTooLong() const { return lineTooLong_; }

private:
    // Where a line's end would be in `chunk`, or npos.
    std::size_t endIn(std::string_view chunk) const {
        return loneLf_ == LoneLf::EndsLine ? chunk.find_first_of("\r\n") : chunk.find('\r');
    }

    BinaryInput input_;
    LoneLf loneLf_;
    std::string gathered_;  // a line that did not lie whole in the buffer, put together
    bool lineTooLong_ = false;
};

}  // namespace voltaro
