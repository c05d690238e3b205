#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/OrderedWork.h"
#include "app/TextOutput.h"
#include "divide/RowFields.h"

namespace voltaro {

// The pieces of a division by columns, all open at once, each written through its own buffer.
// Piece 00 takes the first N columns of every row; every later piece the three fixed columns and
// the next N - 3. The rows are cut here and written out meanwhile on a thread of their own. The
// pieces are put in place together when the run ends, or none of them when writing one failed.
class ColumnPieces {
public:
    // Pieces of `perPiece` columns (at least 4) of a file whose title row is `title`, which must stay
    // valid until every piece is added. In the meter's own files the "STOP" row keeps only its
    // first three fields.
    ColumnPieces(std::string_view title, std::size_t perPiece, bool meterFile);

    // The pieces the columns need, at most kMaxPieces, and whether they needed more.
    std::size_t wanted() const { return ranges_.size(); }
    bool tooMany() const { return tooMany_; }

    // Starts the next piece with `header` and its part of the title row; false with the system's
    // text in `error` when the piece cannot be made.
    bool add(const std::string& name, std::string_view header, std::string& error);
    // Writes the row on `line` into every piece.
    void write(std::string_view line);

    // Whether the first piece refused a row, whose first field is not a row mark: the file is not
    // normal, and nothing more is to be written.
    bool refused() const { return refused_; }
    // Whether the last row was the meter's end of data.
    bool ended() const { return row_.stop(); }
    // Whether writing a piece has failed; known some rows after the failure.
    bool failed() const { return failed_; }

    // Puts every piece in place once all are complete; false with the first system text, and none
    // of them in place, when anything was lost.
    bool close(std::string& error);

private:
    struct Columns {
        std::size_t first;  // the piece's own columns, after the three every piece has
        std::size_t last;
    };
    // Rows cut for the pieces, written out together on the writing thread: each piece's text in turn.
    struct Batch {
        std::vector<std::string> texts;  // one for each piece
        std::size_t bytes = 0;
        bool failed = false;  // writing a piece failed
    };

    // Whether the row at hand is the meter's end of data in one of its own files: its date, time and
    // mark go into every piece, alone.
    bool endOfMeterData() const { return meterFile_ && row_.stop(); }
    // Writes the part of the row at hand that goes into piece `k`, unless the first piece refuses it.
    void writeRow(std::size_t k);
    // Appends piece `k`'s part of the row at hand to `out`.
    template <class Out>
    void cut(std::size_t k, Out& out) const;
    // Piece `k`'s text in the batch being filled.
    std::string& textOf(std::size_t k);
    // Hands the batch in when it is full enough, the text of piece `k` having held `before` bytes.
    void added(std::size_t k, std::size_t before);
    void handIn();
    void takeBack();
    // Waits until every batch handed in is written.
    void drain();
    void writeOut(Batch& batch);

    std::vector<Columns> ranges_;
    bool tooMany_ = false;
    bool meterFile_;
    std::string emptyFields_;  // commas for the most fields a piece can lack
    RowFields row_;
    bool refused_ = false;
    bool failed_ = false;
    // Made with the object, and created one by one; the writing thread goes before them.
    std::vector<std::unique_ptr<TextOutput>> files_;
    std::size_t added_ = 0;
    OrderedWork<Batch> writing_;
    Batch* filling_ = nullptr;
};

}  // namespace voltaro
