#pragma once

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "convert/DataFileConverter.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/TemporaryFolder.h"

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
constexpr std::uint32_t kNoData = 0x7E951BEE;

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

inline const std::string kCompleted = "Data conversion was completed.";
inline const std::string kNotDataFile = "It is not data file for ZR915.";

// Converts files put into an input folder and keeps every box shown on the way.
struct ConversionFixture : ::testing::Test {
    RecordingMessages messages;
    FixedClock clock{{2026, 5, 17, 9, 41, 12}};
    AppContext ctx{messages, clock};
    TemporaryFolder input, output;
    ConversionObserver observer;

    ConversionFixture() { ctx.MsgTitle = "Data Convert"; }

    void put(const std::string& name, const std::string& bytes) const {
        std::ofstream(input.path() / name, std::ios::binary) << bytes;
    }
    ConversionSummary convert(const std::vector<std::string>& names, const std::string& outputFolder = {}) {
        messages.boxes.clear();
        std::vector<ConversionInput> inputs;
        for (const std::string& name : names) inputs.push_back({input.path().string(), name});
        return RunConversion(ctx, inputs, outputFolder.empty() ? output.path().string() : outputFolder, observer);
    }
    std::string csv(const std::string& name, const std::filesystem::path& folder = {}) const {
        std::ifstream in((folder.empty() ? output.path() : folder) / name, std::ios::binary);
        EXPECT_TRUE(in) << name << " was not written";
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // What follows the header lines of an instantaneous text file (its CT line ends in CR CR LF).
    std::string afterInstHeader(const std::string& name) const {
        const std::string text = csv(name);
        const std::size_t end = text.find("\r\r\n", text.find("\nCT,"));
        return end == std::string::npos ? "<no CT line>" : text.substr(end + 3);
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& box : messages.boxes) out.push_back(box.text);
        return out;
    }
};

}  // namespace voltaro::test
