#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace voltaro {

// The meter's binary data files: ".BIN" instantaneous values (types "T300" without and
// "T301" with the DC inputs) and ".WFM" waveforms ("T500").

inline constexpr std::string_view kModelName = "ZR915";
inline constexpr std::string_view kTypeInst = "T300";
inline constexpr std::string_view kTypeInstDc = "T301";
inline constexpr std::string_view kTypeWave = "T500";

inline constexpr std::uint64_t kInstRecordsOffset = 0x40;
inline constexpr std::uint64_t kWaveRecordsOffset = 0x15;
// Where the second record starts when records carry no values.
inline constexpr std::uint64_t kSecondTimeOnlyRecordOffset = 0x5E;
inline constexpr std::size_t kTimeOnlyRecordBytes = 30;
inline constexpr std::size_t kInstDateTimeBytes = 20;  // "2004/01/01,00:00:00,"
inline constexpr std::size_t kInstFieldBytes = 10;     // nine characters and a comma
inline constexpr std::size_t kInstFieldText = 9;
inline constexpr std::size_t kWaveDateTimeBytes = 19;
inline constexpr int kWaveSamples = 128;
inline constexpr int kMaxWiringCode = 7;

// The bits of a single-precision value as the files hold it: four bytes, the lowest first.
inline std::uint32_t SingleBits(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

struct InstFileHeader {
    std::string Model;    // 5 characters
    std::string Type;     // 4
    std::string Version;  // 4
    std::string Id;       // 3
    std::uint8_t Load = 0;
    std::uint8_t Wiring = 0;
    std::uint8_t VarMethod = 0;
    std::uint8_t Frequency = 0;
    std::uint8_t Sampling = 0;
    std::uint8_t Source = 0;
    std::uint8_t Interval = 0;
    std::uint8_t URange = 0;
    std::array<std::uint8_t, 4> ARange{};
    float Vt = 0;
    std::array<float, 4> Ct{};
};

struct WaveFileHeader {
    std::string Model;
    std::string Type;
    std::string Version;
    std::string Id;
    char Ch = 0;
};

// Values per instantaneous record of a "T301" file ("T300" has two less); 0 for a
// combination the meter does not record and for a LOAD outside 1..4.
std::int16_t CheckDataNumber(std::uint8_t wiring, std::uint8_t load);

// True (bad) unless the 19 characters after an instantaneous record's first character
// read "###/##/##,##:##:##," ('#' standing for any character).
bool CheckInstDateTime(std::string_view text);
// True (bad) unless a waveform record's date and time read "####/##/##,##:##:##".
bool CheckWaveDateTime(std::string_view text);
// True when 30 bytes read like a record without values: "####/##/##,##:##:##,#########,".
bool LooksLikeTimeOnlyRecord(std::string_view text);

// The title row of an instantaneous file: "DATE,TIME," and the column titles of the
// wiring and load ("DATE,TIME," alone for a file of time-only records).
std::string InstTitleRow(std::uint8_t wiring, std::uint8_t load, bool withDcInputs, bool timeOnly);

}  // namespace voltaro
