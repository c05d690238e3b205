#include <gtest/gtest.h>

#include "settings/SettingReceive.h"

namespace voltaro {
namespace {

TEST(SettingReceive, ReplyFieldsStartAgainWhenTheReplyRunsOut) {
    using F = std::vector<std::string>;
    const struct {
        const char* reply;
        int count;
        F fields;  // the first `count` places, then the rest must be empty
    } cases[] = {
        {"1,2,3", 5, {"1", "2", "3", "1", "2"}},
        {"52170,52140", 4, {"52170", "52140", "52170", "52140"}},
        {"a", 3, {"a", "a", "a"}},
        {"a,,b", 3, {"a", "", "b"}},
        {",x", 3, {"", "x", ""}},
        {" 1 , 2", 2, {" 1 ", " 2"}},
        {"", 2, {"", ""}},
        {"1,2,3", 0, {}},
        {"0,1,2,3,4,5,6,7,8,9,10,11", 12, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
    };
    for (const auto& c : cases) {
        const ReplyFields fields = SplitReplyFields(c.reply, c.count);
        F expected = c.fields;
        expected.resize(fields.size());
        EXPECT_EQ(F(fields.begin(), fields.end()), expected) << c.reply << " / " << c.count;
    }
}

TEST(SettingReceive, BitsOfTheSaveMasks) {
    const struct {
        int mask;
        BitList bits;
        std::int16_t harmonics;
    } cases[] = {
        {0, {0, 0, 0, 0, 0, 0, 0, 0}, 0},
        {3, {1, 1, 0, 0, 0, 0, 0, 0}, 0},
        {4, {0, 0, 1, 0, 0, 0, 0, 0}, 1},
        {85, {1, 0, 1, 0, 1, 0, 1, 0}, 1},
        {255, {1, 1, 1, 1, 1, 1, 1, 1}, 1},
        {256, {0, 0, 0, 0, 0, 0, 0, 1}, 1},  // past eight bits the top bit takes the rest
        {300, {0, 0, 1, 1, 0, 1, 0, 1}, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitBits(c.mask), c.bits) << c.mask;
        EXPECT_EQ(HarmonicSaveFlag(c.mask), c.harmonics) << c.mask;
    }
}

TEST(SettingReceive, NumbersInReplies) {
    const struct {
        const char* reply;
        std::optional<std::int16_t> integer;
        std::optional<float> single;
    } cases[] = {
        {"12", 12, 12.0f},
        {" +7 ", 7, 7.0f},
        {"-2", -2, -2.0f},
        {"2.5", 2, 2.5f},  // halves go to the even neighbour
        {"3.5", 4, 3.5f},
        {"-0.5", 0, -0.5f},
        {"0.1", 0, 0.1f},
        {"32767", 32767, 32767.0f},
        {"32768", std::nullopt, 32768.0f},
        {"-32769", std::nullopt, -32769.0f},
        {"", std::nullopt, std::nullopt},
        {"abc", std::nullopt, std::nullopt},
        {"1x", std::nullopt, std::nullopt},
        {"+-1", std::nullopt, std::nullopt},
        {"1,5", std::nullopt, std::nullopt},
        {"inf", std::nullopt, std::nullopt},
        {"1e39", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReplyInteger(c.reply), c.integer) << c.reply;
        EXPECT_EQ(ReplySingle(c.reply), c.single) << c.reply;
    }
}

}  // namespace
}  // namespace voltaro
