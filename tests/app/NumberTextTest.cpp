#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "app/NumberText.h"

namespace voltaro {
namespace {

// One reader for setting files, the meter's replies and the count boxes: the same text
// gives the same number everywhere, and only a count refuses a sign.
TEST(NumberText, OnePlainDecimalRuleForFilesRepliesAndCounts) {
    const struct {
        const char* text;
        std::optional<std::int16_t> whole;
        std::optional<float> single;
        std::optional<double> count;
    } cases[] = {
        {" +7 ", 7, 7.0f, std::nullopt},
        {"-7", -7, -7.0f, std::nullopt},
        {"2.5", 2, 2.5f, 2.5},  // halves go to the even neighbour
        {"3.5", 4, 3.5f, 3.5},
        {" .5", 0, 0.5f, 0.5},
        {"7.", 7, 7.0f, 7.0},
        {"32767.4", 32767, 32767.4f, 32767.4},
        {"32768", std::nullopt, 32768.0f, 32768.0},
        {"1e3", std::nullopt, std::nullopt, std::nullopt},
        {"1x", std::nullopt, std::nullopt, std::nullopt},
        {"1,5", std::nullopt, std::nullopt, std::nullopt},
        {"1.2.3", std::nullopt, std::nullopt, std::nullopt},
        {".", std::nullopt, std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt, std::nullopt},
        {"1 2", std::nullopt, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseWholeNumber<std::int16_t>(c.text), c.whole);
        EXPECT_EQ(ParsePlainSingle(c.text), c.single);
        EXPECT_EQ(ParsePlainNumber(c.text, NumberSign::Refused), c.count);
    }
    EXPECT_EQ(ParseWholeNumber<std::int32_t>("70000"), 70000);
    EXPECT_EQ(ParsePlainSingle("1" + std::string(39, '0')), std::nullopt);
}

}  // namespace
}  // namespace voltaro
