#include "convert/DataRows.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "convert/DataFileFormat.h"
#include "convert/ValueText.h"

namespace voltaro {

namespace {

constexpr int kInstDecimals = 3;
constexpr int kWaveDecimals = 6;
constexpr std::size_t kShortestName = 8;  // seven characters and the comma
constexpr std::size_t kLongestName = 11;
constexpr std::size_t kWaveSampleBytes = kWaveSamples * 4;
constexpr std::size_t kLineEndBytes = 2;

// The bytes of a waveform record's name, as far as `available` bytes tell: the comma after the
// seventh or the ninth character ends it, or else the one after the tenth.
std::size_t waveNameBytes(const unsigned char* bytes, std::size_t available) {
    if (available > 7 && bytes[7] == ',') return 8;
    if (available > 9 && bytes[9] == ',') return 10;
    return kLongestName;
}

std::size_t instRecordBytes(std::size_t values) { return kInstDateTimeBytes + kInstFieldBytes + 4 * values; }

char* put(char* out, const void* bytes, std::size_t count) {
    std::memcpy(out, bytes, count);
    return out + count;
}

char* putLineEnd(char* out) { return put(out, "\r\n", kLineEndBytes); }

// ",value" for each complete single in the `count` bytes at `bytes`.
char* putValues(char* out, const unsigned char* bytes, std::size_t count, int decimals) {
    for (const unsigned char* end = bytes + count / 4 * 4; bytes != end; bytes += 4) {
        *out++ = ',';
        out = WriteValueText(out, SingleBits(bytes), decimals);
    }
    return out;
}

std::string_view text(const unsigned char* bytes, std::size_t count) {
    return {reinterpret_cast<const char*>(bytes), count};
}

}  // namespace

DataRows DataRows::Instantaneous(std::size_t values) { return DataRows(false, values); }

DataRows DataRows::Waveform() { return DataRows(true, 0); }

std::size_t DataRows::recordBytes(const unsigned char* bytes, std::size_t available) const {
    if (!waveform_) return instRecordBytes(values_);
    return waveNameBytes(bytes, available) + kWaveDateTimeBytes + kWaveSampleBytes;
}

std::size_t DataRows::longestRecord() const {
    return waveform_ ? kLongestName + kWaveDateTimeBytes + kWaveSampleBytes : instRecordBytes(values_);
}

std::size_t DataRows::shortestRecord() const {
    return waveform_ ? kShortestName + kWaveDateTimeBytes + kWaveSampleBytes : instRecordBytes(values_);
}

std::size_t DataRows::longestRow() const {
    const std::size_t fixed = waveform_ ? kLongestName + kWaveDateTimeBytes : kInstDateTimeBytes + kInstFieldText;
    const std::size_t values = waveform_ ? static_cast<std::size_t>(kWaveSamples) : values_;
    return fixed + values * (1 + kMaxValueText) + kLineEndBytes;
}

DataRows::Written DataRows::write(const unsigned char* bytes, std::size_t count, char* out) const {
    return waveform_ ? writeWaveform(bytes, count, out) : writeInstantaneous(bytes, count, out);
}

DataRows::Written DataRows::writeInstantaneous(const unsigned char* bytes, std::size_t count, char* out) const {
    const std::size_t valueBytes = 4 * values_;
    for (const unsigned char* end = bytes + count; bytes != end;) {
        const auto left = static_cast<std::size_t>(end - bytes);
        if (CheckInstDateTime(text(bytes + 1, std::min(left - 1, kInstDateTimeBytes - 1)))) return {out, true};
        out = put(out, bytes, kInstDateTimeBytes);
        const std::size_t fieldBytes = std::min(left - kInstDateTimeBytes, kInstFieldBytes);
        out = put(out, bytes + kInstDateTimeBytes, std::min(fieldBytes, kInstFieldText));
        const std::size_t valuesRead = std::min(left - kInstDateTimeBytes - fieldBytes, valueBytes);
        out = putValues(out, bytes + kInstDateTimeBytes + fieldBytes, valuesRead, kInstDecimals);
        out = putLineEnd(out);
        if (fieldBytes < kInstFieldBytes || valuesRead < valueBytes) return {out, true};
        bytes += instRecordBytes(values_);
    }
    return {out, false};
}

DataRows::Written DataRows::writeWaveform(const unsigned char* bytes, std::size_t count, char* out) const {
    for (const unsigned char* end = bytes + count; bytes != end;) {
        auto left = static_cast<std::size_t>(end - bytes);
        const std::size_t nameBytes = std::min(waveNameBytes(bytes, left), left);
        out = put(out, bytes, nameBytes);
        bytes += nameBytes;
        left -= nameBytes;
        const std::size_t dateBytes = std::min(left, kWaveDateTimeBytes);
        if (CheckWaveDateTime(text(bytes, dateBytes))) return {out, true};
        out = put(out, bytes, kWaveDateTimeBytes);
        const std::size_t sampleBytes = std::min(left - kWaveDateTimeBytes, kWaveSampleBytes);
        out = putValues(out, bytes + kWaveDateTimeBytes, sampleBytes, kWaveDecimals);
        out = putLineEnd(out);
        if (sampleBytes < kWaveSampleBytes) return {out, true};
        bytes += kWaveDateTimeBytes + kWaveSampleBytes;
    }
    return {out, false};
}

}  // namespace voltaro
