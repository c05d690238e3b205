// Writes the sample files of the simulated meter's PC card into a folder: an
// instantaneous-value data file, a waveform file and a setting file, as the meter
// would have stored them, computed from fixed formulas.
//
//   voltaro-make-meter-card FOLDER

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <string_view>

#include "app/DefaultSettings.h"
#include "settings/SettingFile.h"

namespace {

constexpr int kSamplesPerWave = 128;

void PutU16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void PutSingle(std::string& out, double value) {
    const auto bits = std::bit_cast<std::uint32_t>(static_cast<float>(value));
    for (int i = 0; i < 4; ++i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

// A text field of `bytes` bytes: the text, padded, then the byte readers skip.
void PutText(std::string& out, std::string_view text, std::size_t bytes) {
    std::string field(text.substr(0, bytes - 1));
    field.resize(bytes - 1, ' ');
    out += field;
    out += '\0';
}

std::string DateTime(int second) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "2024/04/01,09:%02d:%02d", second / 60 % 60, second % 60);
    return text.data();
}

// Single-phase two-wire, one load, with the two DC inputs: U, I, P, Q, S, PF, phase
// angle, frequency, DC1, DC2 every half second for one minute, a kettle switching on
// after twenty seconds.
std::string InstantaneousFile() {
    std::string out;
    PutText(out, "ZR915", 6);
    PutText(out, "T301", 5);
    PutText(out, "1.05", 5);
    PutText(out, "001", 4);
    // LOAD, WIRING, VAR_METHOD, FREQUENCY, SAMPLING, SOURCE, INTERVAL (500 ms), U_RANGE, A_RANGE 1..4
    for (std::uint16_t code : {1, 0, 0, 0, 0, 0, 3, 0, 7, 7, 7, 7}) PutU16(out, code);
    for (int ratio = 0; ratio < 5; ++ratio) PutSingle(out, 1.0);  // VT, CT 1..4
    for (int record = 0; record < 120; ++record) {
        const double t = record / 2.0;
        const double u = 101.2 + 0.4 * std::sin(t / 7.0);
        const double current = t < 20 ? 0.8 : 9.6 + 0.1 * std::sin(t);
        const double degrees = t < 20 ? 35.0 : 3.0;
        const double radians = degrees * std::numbers::pi / 180.0;
        const double s = u * current;
        out += DateTime(record / 2) + ',';
        std::array<char, 16> field{};
        std::snprintf(field.data(), field.size(), "%09d,", record);
        out += field.data();
        for (double value : {u, current, s * std::cos(radians), s * std::sin(radians), s, std::cos(radians), degrees,
                             50.0 + 0.01 * std::sin(t), 2.5, 0.0})
            PutSingle(out, value);
    }
    return out;
}

// One wave of the voltage and of a slightly distorted current.
std::string WaveformFile() {
    std::string out;
    PutText(out, "ZR915", 6);
    PutText(out, "T500", 5);
    PutText(out, "1.05", 5);
    PutText(out, "001", 4);
    out += '1';  // CH
    for (const std::string_view name : {"U1_WAVE", "I1_WAVE"}) {
        out += std::string(name) + ',' + DateTime(30);
        const bool voltage = name.starts_with('U');
        for (int k = 0; k < kSamplesPerWave; ++k) {
            const double phase = 2.0 * std::numbers::pi * k / kSamplesPerWave;
            PutSingle(out,
                      voltage ? 141.4 * std::sin(phase) : 13.6 * std::sin(phase - 0.05) + 1.2 * std::sin(3.0 * phase));
        }
    }
    return out;
}

// The factory setting as the meter saves it on the morning the samples were recorded.
std::string SettingFile() {
    const voltaro::LocalDateTime recorded{2024, 4, 1, 9, 0, 0};
    return voltaro::FormatSettingFile(
        voltaro::FactorySettings(recorded, "", voltaro::DefaultLanguage(voltaro::Catalogue::builtIn())));
}

bool Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out) return true;
    std::cerr << "voltaro-make-meter-card: cannot write " << path.string() << '\n';
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: voltaro-make-meter-card FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const bool written = Write(folder / "INST0001.BIN", InstantaneousFile()) &&
                         Write(folder / "WAVE0001.WFM", WaveformFile()) &&
                         Write(folder / "SETUP001.SET", SettingFile());
    return written ? 0 : 1;
}
