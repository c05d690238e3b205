#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/OrderedWork.h"
#include "app/TextOutput.h"

namespace voltaro {

// The lines of a file from some offset on, copied to pieces of lines in runs: a scan on another
// thread reads the file ahead in blocks and finds the line ends, and the runs of whole lines in a
// block go to the piece as they stand. The lines are those LineInput reads: a line ends at CR LF or
// at a lone CR, which the copy gives its LF; a lone LF is part of the line; the last line may lack
// its end and gets one; a line longer than LineInput::kLongestLine ends the lines.
class LineRuns {
public:
    // The scan reads blocks of this size from the first line on.
    static constexpr std::size_t kBlockBytes = 1 << 20;

    // `input` is open on the file; the lines start at `offset`.
    LineRuns(int input, std::uint64_t offset);

    // Copies up to `count` lines to `piece`, each ending in CR LF, and returns how many it copied:
    // fewer only at the end of the lines (see failed() and lineTooLong()).
    long long copy(TextOutput& piece, long long count);

    // Where the next line starts.
    std::uint64_t position() const { return lineStart_; }
    // The lines ended at a read failure.
    bool failed() const { return readFailed_; }
    bool lineTooLong() const { return lineTooLong_; }

private:
    // A block scanned: its bytes and where its CRs are, each marked when no LF follows it in the
    // block; a block with more CRs than are listed is walked through its bytes instead.
    struct Block {
        std::uint64_t offset = 0;
        std::unique_ptr<char[]> bytes;
        std::size_t got = 0;
        bool failed = false;
        std::vector<std::uint32_t> crs;
        bool dense = false;
    };

    static void scan(int input, Block& block);
    // Takes the next block scanned; false when there is none with bytes in it.
    bool nextBlock();
    // The next CR of the block at hand: where it is in the block and whether it is lone (an LF does
    // not follow it in the block); false when the block has no more.
    bool nextCr(std::size_t& at, bool& lone);
    // Ends the line whose CR is at `at` in the block; `lf` tells whether an LF follows it.
    void endLine(TextOutput& piece, std::size_t at, bool lf);
    // Ends the line begun in an earlier block with the CR that ended that block.
    void endCarriedLine(TextOutput& piece);
    // At the end of a block: writes its whole lines not yet written and keeps the line begun; false
    // when that line is already too long.
    bool carryLineBegun(TextOutput& piece);
    // Ends the lines at the end of the input, the last one with its end if it lacks it; 1 when that
    // made a line.
    int endInput(TextOutput& piece);
    // Writes what is carried of the line begun in an earlier block.
    void writeCarried(TextOutput& piece);
    // Writes the whole lines of the block not yet written.
    void writeRun(TextOutput& piece);
    // True when the line begun, which reaches `end` in the file, is longer than any line may be.
    bool tooLong(std::uint64_t end);

    OrderedWork<Block> scans_;
    std::uint64_t scanOffset_;  // where the next block handed in for scanning starts
    Block* block_ = nullptr;    // the block whose lines are being walked
    bool walkedThrough_ = false;
    std::size_t walked_ = 0;    // how far in it, and how many of its CRs listed
    std::size_t nextListed_ = 0;
    std::size_t runStart_ = 0;  // the first byte in it not yet written
    bool lastBlock_ = false;    // the block taken is the last: the file ends in it, or reading it failed
    bool readFailed_ = false;
    std::uint64_t lineStart_;   // in the file
    std::string carried_;       // the start of a line begun in an earlier block, its CR too if one ended that
    bool crCarried_ = false;
    bool lineTooLong_ = false;
};

}  // namespace voltaro
