#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "convert/DataFileConverter.h"
#include "support/DataFileBytes.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/TemporaryFolder.h"

namespace voltaro::test {

using Texts = std::vector<std::string>;

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
};

}  // namespace voltaro::test
