#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/SettingRecord.h"
#include "link/Link.h"

namespace voltaro {

inline constexpr int kMaxReplyFields = 10;
using ReplyFields = std::array<std::string, kMaxReplyFields>;

// The first `count` (at most 10) comma-separated fields of a reply, untrimmed. A reply
// with fewer fields starts again from its first field: "1,2,3" asked for 5 gives
// 1, 2, 3, 1, 2. Places beyond `count` stay empty.
ReplyFields SplitReplyFields(std::string_view reply, int count);

// Bit i of a save-item mask (0..255) as element i, each 0 or 1.
using BitList = std::array<std::int16_t, 8>;
BitList SplitBits(int mask);

// 1 when the first save-item mask has any harmonic item bit (2..6) set, that is when
// it is greater than 3; otherwise 0.
std::int16_t HarmonicSaveFlag(int item1Mask);

// Reads the meter's whole setting over one exchange into `record`. The items the meter
// is not asked for keep the values `record` had; so do the start and stop times and
// the stop timer that the received start and stop methods do not use. 0 on success;
// -1 after the failure was reported, with `record` unchanged. A reply that is no
// number where one is needed counts as a failed communication.
std::int16_t SettingComRead2(Link& link, SettingRecord& record);

// Receives into a copy of CurrentSetting and makes it current when the whole-setting
// check takes it; `taken` says whether it did. Returns the exchange's status: 0 also
// when the check refused the setting (it showed why, and CurrentSetting stayed as it was).
std::int16_t ReceiveProcedure(Link& link, bool& taken);

}  // namespace voltaro
