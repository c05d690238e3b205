#include <gtest/gtest.h>

#include "settings/SettingReceive.h"

namespace voltaro {
namespace {

TEST(SettingReceive, ReplyFieldsStartAgainWhenTheReplyRunsOut) {
    using F = std::vector<std::string>;
    const struct {
        const char* reply;
        int count;
        F fields;  // the first `count` places; the rest stay empty
    } cases[] = {
        {"1,2,3", 5, {"1", "2", "3", "1", "2"}},
        {"a,,b", 3, {"a", "", "b"}},
        {" 1 , 2", 2, {" 1 ", " 2"}},
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
        {3, {1, 1, 0, 0, 0, 0, 0, 0}, 0},
        {4, {0, 0, 1, 0, 0, 0, 0, 0}, 1},
        {85, {1, 0, 1, 0, 1, 0, 1, 0}, 1},
        {300, {0, 0, 1, 1, 0, 1, 0, 1}, 1},  // past eight bits the top bit takes the rest
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitBits(c.mask), c.bits) << c.mask;
        EXPECT_EQ(HarmonicSaveFlag(c.mask), c.harmonics) << c.mask;
    }
}

}  // namespace
}  // namespace voltaro
