#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace voltaro::test {

// Byte images of the meter's data files, laid out field by field. The bytes a reader
// must skip (the byte after a text, the high byte of a code) hold odd values on purpose.

inline std::string Bits(std::uint32_t bits) {
    std::string out;
    for (int i = 0; i < 4; ++i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
    return out;
}
inline std::uint32_t BitsOf(float value) { return std::bit_cast<std::uint32_t>(value); }
inline std::string Text(std::string text, std::size_t bytes) {
    text.resize(bytes - 1, ' ');
    return text + '~';
}
inline std::string Repeat(const std::string& text, std::size_t times) {
    std::string out;
    while (times-- > 0) out += text;
    return out;
}

constexpr std::uint32_t kOverRange = 0x7E94F56A;

struct InstHeader {
    std::string model = "ZR915", type = "T301", version = "1.23", id = "042";
    std::uint8_t load = 1, wiring = 0, varMethod = 0, frequency = 0, sampling = 0, source = 0, interval = 0, uRange = 0;
    std::array<std::uint8_t, 4> aRange{7, 7, 7, 7};
    float vt = 1;
    std::array<float, 4> ct{1, 1, 1, 1};

    std::string bytes() const {
        std::string out = Text(model, 6) + Text(type, 5) + Text(version, 5) + Text(id, 4);
        for (std::uint8_t code : {load, wiring, varMethod, frequency, sampling, source, interval, uRange, aRange[0],
                                  aRange[1], aRange[2], aRange[3]})
            out += {static_cast<char>(code), '\xA5'};
        for (float single : {vt, ct[0], ct[1], ct[2], ct[3]}) out += Bits(BitsOf(single));
        return out;
    }
};

inline std::string InstRecord(const std::string& dateTime, const std::string& field,
                              const std::vector<std::uint32_t>& values = {}) {
    std::string out = dateTime + ',' + field + ',';
    for (std::uint32_t bits : values) out += Bits(bits);
    return out;
}

struct WaveHeader {
    std::string model = "ZR915", type = "T500";
    std::string bytes() const { return Text(model, 6) + Text(type, 5) + Text("2.01", 5) + Text("007", 4) + '3'; }
};
inline const std::string kWaveHeaderLines = "MODEL,ZR915,T550\r\nVERSION,2.01\r\nID,007\r\nCH,3\r\r\n";

inline std::string WaveRecord(const std::string& name, const std::string& dateTime, float sample) {
    return name + ',' + dateTime + Repeat(Bits(BitsOf(sample)), 128);
}

}  // namespace voltaro::test
