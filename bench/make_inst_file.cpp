// Writes a synthetic instantaneous-value data file ("T301", wiring 3P3W+1P3W, one load) of a
// requested size, as input for the conversion benchmark.
//
//   voltaro-bench-make-inst OUTPUT.BIN SIZE_MB
//
// SIZE_MB is in units of 2^20 bytes and may have a fraction; the file holds the 64-byte header and
// as many whole records as fit. The content depends only on the record count (fixed seed), so two
// runs with the same size give the same bytes.

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "bench/OutputFile.h"
#include "bench/SyntheticData.h"

namespace {

using namespace voltaro::bench;

constexpr std::size_t kHeaderSize = 64;
constexpr std::size_t kRecordSize = kDateTimeBytes + 10 + 4 * kValueCount;

void putU16(unsigned char* out, std::uint16_t value) {
    out[0] = static_cast<unsigned char>(value & 0xFF);
    out[1] = static_cast<unsigned char>(value >> 8);
}

void putU32(unsigned char* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<unsigned char>((value >> (8 * i)) & 0xFF);
}

void putFloat(unsigned char* out, float value) { putU32(out, std::bit_cast<std::uint32_t>(value)); }

std::array<unsigned char, kHeaderSize> makeHeader() {
    std::array<unsigned char, kHeaderSize> header{};
    std::memcpy(&header[0x00], "ZR915", 6);
    std::memcpy(&header[0x06], "T301", 5);
    std::memcpy(&header[0x0B], "1.00", 5);
    std::memcpy(&header[0x10], "001", 4);
    // LOAD, WIRING, VAR_METHOD, FREQUENCY, SAMPLING, SOURCE, INTERVAL, U_RANGE, A_RANGE 1..4
    constexpr std::array<std::uint16_t, 12> codes = {
        1,   // one load
        7,   // 3P3W+1P3W
        1,   // var method ON
        0,   // 50 Hz
        0,   // PLL
        0,   // source U1
        0,   // one wave
        1,   // 300 V
        13,  // 200 A
        13,  // 200 A
        11,  // 100 A
        11,  // 100 A
    };
    for (std::size_t i = 0; i < codes.size(); ++i) putU16(&header[0x14 + 2 * i], codes[i]);
    constexpr std::array<float, 5> ratios = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f};  // VT, CT 1..4
    for (std::size_t i = 0; i < ratios.size(); ++i) putFloat(&header[0x2C + 4 * i], ratios[i]);
    return header;
}

int usage() {
    std::fputs("usage: voltaro-bench-make-inst OUTPUT.BIN SIZE_MB\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    constexpr const char* kProgram = "voltaro-bench-make-inst";
    if (argc != 3) return usage();
    const auto sizeBytes = parseSizeMb(kProgram, argv[2]);
    if (!sizeBytes) return usage();
    const std::uint64_t records = *sizeBytes > kHeaderSize ? (*sizeBytes - kHeaderSize) / kRecordSize : 0;

    OutputFile out(kProgram, argv[1]);
    if (!out.open()) return 1;
    const auto header = makeHeader();
    std::memcpy(out.room(header.size()), header.data(), header.size());
    out.advance(header.size());

    Installation installation(kInstallationSeed);
    Clock clock;
    Installation::Values values{};
    for (std::uint64_t r = 0; r < records; ++r) {
        if (r > 0 && r % kRecordsPerSecond == 0) clock.tick();
        unsigned char* rec = out.room(kRecordSize);
        putDateTime(rec, clock);
        putDigits(rec + 20, static_cast<unsigned>(r % 1'000'000'000), 9);  // running record number
        rec[29] = ',';
        installation.fill(values);
        for (std::size_t i = 0; i < kValueCount; ++i) putFloat(rec + 30 + 4 * i, values[i]);
        out.advance(kRecordSize);
    }
    if (!out.close()) return 1;
    std::printf("%s: %llu records of %zu bytes, %llu bytes\n", argv[1], static_cast<unsigned long long>(records),
                kRecordSize, static_cast<unsigned long long>(kHeaderSize + records * kRecordSize));
    return 0;
}
