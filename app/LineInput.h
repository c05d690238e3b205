#pragma once

#include <cstdint>
#include <string>

#include "app/BinaryInput.h"

namespace voltaro {

// Reads a text file line by line. A line ends at CR LF or at a lone CR; a lone LF is
// part of the line unless the reader is told that it ends one. The last line may lack its end.
class LineInput {
public:
    enum class LoneLf { PartOfLine, EndsLine };

    explicit LineInput(LoneLf loneLf = LoneLf::PartOfLine) : loneLf_(loneLf) {}

    bool open(const std::string& path, std::string& error) { return input_.open(path, error); }
    void close() { input_.close(); }

    // The next line without its end; false when the input has no more lines.
    bool next(std::string& line);
    bool atEnd() { return input_.available().empty(); }

    std::uint64_t position() const { return input_.position(); }
    std::uint64_t size() const { return input_.size(); }
    bool failed() const { return input_.failed(); }

private:
    BinaryInput input_;
    LoneLf loneLf_;
};

}  // namespace voltaro
