#pragma once

#include <cstddef>

namespace voltaro {

// What one file's records look like and the text each becomes: a data row ending in CR LF.
// Rows are made block by block from whole records, so that blocks can be formatted apart and
// their texts written one after another; only the file's last block may end inside a record.
class DataRows {
public:
    struct Written {
        char* end;
        bool notNormal;  // the block stopped at a record that is not normal (see write())
    };

    // Instantaneous records: date and time, the record field and `values` values.
    static DataRows Instantaneous(std::size_t values);
    // Waveform records: a name of 7, 9 or 10 characters and a comma, date and time, the samples.
    static DataRows Waveform();

    // The bytes of the record at `bytes`, as far as the `available` bytes there tell: more than
    // `available` when the record goes on beyond them.
    std::size_t recordBytes(const unsigned char* bytes, std::size_t available) const;
    std::size_t longestRecord() const;
    std::size_t shortestRecord() const;
    // Room write() needs for each record.
    std::size_t longestRow() const;

    // Writes the rows of the records in the `count` bytes at `bytes` and returns the end of the
    // text. A record whose date and time are malformed ends the block with what came before it (a
    // waveform's name included); a record cut short by the end of the file gets its row as far as
    // it goes. Either is not normal.
    Written write(const unsigned char* bytes, std::size_t count, char* out) const;

private:
    DataRows(bool waveform, std::size_t values) : waveform_(waveform), values_(values) {}

    Written writeInstantaneous(const unsigned char* bytes, std::size_t count, char* out) const;
    Written writeWaveform(const unsigned char* bytes, std::size_t count, char* out) const;

    bool waveform_;
    std::size_t values_;  // of an instantaneous record
};

}  // namespace voltaro
