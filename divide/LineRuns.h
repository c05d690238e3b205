#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "app/OrderedWork.h"
#include "app/TextOutput.h"

namespace voltaro {

// The lines of a file from some offset on, copied to pieces of lines as runs of the file's own
// bytes: a scan on another thread finds the line ends ahead, and the runs of whole lines between
// them go from file to file without passing through this program where the system allows. The
// lines are those LineInput reads: a line ends at CR LF or at a lone CR, which the copy gives its
// LF; a lone LF is part of the line; the last line may lack its end and gets one; a line longer
// than LineInput::kLongestLine ends the lines.
class LineRuns {
public:
    // The scan reads blocks of this size from the first line on.
    static constexpr std::size_t kBlockBytes = 1 << 20;

    // `input` is open on a file of `size` bytes (it may be found shorter); the lines start at `offset`.
    LineRuns(int input, std::uint64_t offset);

    // Copies up to `count` lines to `piece`, each ending in CR LF, and returns how many it copied:
    // fewer only at the end of the lines (see failed() and lineTooLong()).
    long long copy(TextOutput& piece, long long count);

    // Where the next line starts.
    std::uint64_t position() const { return lineStart_; }
    // The lines ended at a read failure.
    bool failed() const { return failed_; }
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
    // Ends the line whose CR is at `cr`; `lf` tells whether an LF follows it.
    void endLine(TextOutput& piece, std::uint64_t cr, bool lf);
    // Ends the lines at the end of the input, the last one with its end if it lacks it; 1 when that
    // made a line.
    int endInput(TextOutput& piece);
    // Copies the run of whole lines not yet copied.
    void copyRun(TextOutput& piece);
    // True when the line begun so far, which reaches `end`, is longer than any line may be.
    bool tooLong(std::uint64_t end);

    int input_;
    OrderedWork<Block> scans_;
    std::uint64_t scanOffset_;  // where the next block handed in for scanning starts
    Block* block_ = nullptr;    // the block whose line ends are being walked
    bool walkedThrough_ = false;
    std::size_t walked_ = 0;    // how far in it, and how many of its CRs listed
    std::size_t nextListed_ = 0;
    std::uint64_t scannedEnd_;  // the end of the bytes scanned
    bool lastBlock_ = false;    // the block taken is the last: the file ends in it, or reading it failed
    bool readFailed_ = false;
    std::optional<std::uint64_t> pendingCr_;  // a CR that ended a block: what follows it decides
    std::uint64_t runStart_;    // the first byte not yet copied
    std::uint64_t lineStart_;
    bool failed_ = false;
    bool lineTooLong_ = false;
};

}  // namespace voltaro
