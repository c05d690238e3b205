// Feeds arbitrary bytes to the reading of the meter's setting: each line of the input is
// one reply of the meter. Every line goes through the reply field splitter, the number
// readers and the code converters on its own, and the whole input answers a complete
// receive. Nothing may crash or read past a reply; every result must stay in the range
// its reader promises, and a receive that fails must leave the setting as it was.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "app/DefaultSettings.h"
#include "app/NumberText.h"
#include "fuzz/FuzzChecks.h"
#include "fuzz/ReplayedLink.h"
#include "settings/CodeTables.h"
#include "settings/SettingConversions.h"
#include "settings/SettingReceive.h"

namespace {

using voltaro::fuzz::require;
using voltaro::fuzz::startingSetting;

void checkFields(std::string_view reply) {
    const auto fieldCount = static_cast<int>(std::count(reply.begin(), reply.end(), ',')) + 1;
    for (int count = 0; count <= voltaro::kMaxReplyFields; ++count) {
        const voltaro::ReplyFields fields = voltaro::SplitReplyFields(reply, count);
        std::string joined;
        for (int i = 0; i < voltaro::kMaxReplyFields; ++i) {
            require(fields[i].find(',') == std::string::npos);
            require(i < count || fields[i].empty());
            if (i < std::min(count, fieldCount)) joined += (i == 0 ? "" : ",") + fields[i];
        }
        // The fields asked for, as far as the reply has them, are the reply's own.
        require(reply.starts_with(joined));
    }
}

void checkNumbers(std::string_view reply) {
    if (const auto number = voltaro::ParsePlainNumber(reply)) require(std::isfinite(*number));
    if (const auto single = voltaro::ParsePlainSingle(reply)) {
        require(std::isfinite(*single));
        const auto written = voltaro::ParsePlainSingle(voltaro::FormatRatio(*single));
        require(written && std::abs(*written - *single) <= 0.005f + std::abs(*single) * 1e-6f);
    }
    if (const auto whole = voltaro::ParseWholeNumber<std::int16_t>(reply)) {
        require(voltaro::ParseWholeNumber<std::int16_t>(voltaro::FormatZeroPadded(*whole, 3)) == whole);
        const voltaro::BitList bits = voltaro::SplitBits(*whole);
        int value = 0;
        for (std::size_t i = 0; i < bits.size(); ++i) {
            require(bits[i] == 0 || bits[i] == 1);
            value += bits[i] << i;
        }
        require(*whole < 0 || *whole > 255 || value == *whole);
    }
}

void checkCodes(std::string_view reply) {
    const struct {
        std::int16_t (*toIndex)(std::string_view);
        int count;
    } converters[] = {
        {voltaro::WiringToIndex, voltaro::kWiringCount},     {voltaro::ConnectToIndex, voltaro::kConnectCount},
        {voltaro::URangeToIndex, voltaro::kURangeCount},     {voltaro::ARangeToIndex, voltaro::kARangeCount},
        {voltaro::ClampToIndex, voltaro::kClampCount},       {voltaro::SamplingToIndex, voltaro::kSamplingCount},
        {voltaro::FixClockToIndex, voltaro::kFixClockCount}, {voltaro::SourceToIndex, voltaro::kSourceCount},
        {voltaro::AverageToIndex, voltaro::kAverageCount},   {voltaro::WhDigitToIndex, voltaro::kWhDigitCount},
        {voltaro::WhUnitToIndex, voltaro::kWhUnitCount},     {voltaro::ThdToIndex, voltaro::kThdCount},
        {voltaro::GraphOrderToIndex, voltaro::kGraphOrderCount}, {voltaro::MethodToIndex, voltaro::kMethodCount},
        {voltaro::IntervalToIndex, voltaro::kIntervalCount}, {voltaro::MediaToIndex, voltaro::kMediaCount},
        {voltaro::CopyMediaToIndex, voltaro::kCopyMediaCount}, {voltaro::LanguageToIndex, voltaro::kLanguageCount},
        {voltaro::StdVoltToIndex, voltaro::kStdVoltCount},   {voltaro::DaItemToIndex, voltaro::kDaItemCount},
        {voltaro::DaMagToIndex, voltaro::kDaMagCount},       {voltaro::DaRateToIndex, voltaro::kDaRateCount},
        {voltaro::AdRangeToIndex, voltaro::kAdRangeCount},   {voltaro::OrderSelToIndex, voltaro::kOrderSelCount},
    };
    for (const auto& converter : converters) {
        const std::int16_t index = converter.toIndex(reply);
        require(index >= -1 && index < converter.count);
    }
}

// The A range list of whatever clamp and range a reply names: a position inside the list,
// and back to a range the clamp offers.
void checkARangeList(std::int16_t clamp, std::int16_t aRange) {
    const auto list = voltaro::ARangeListIndexes(clamp);
    const int position = voltaro::ARangeListPosition(clamp, aRange);
    require(position >= 0 && (list.empty() || position < static_cast<int>(list.size())));
    const std::int16_t back = voltaro::ARangeFromListPosition(clamp, position);
    require(list.empty() ? back == -1 : std::find(list.begin(), list.end(), back) != list.end());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view replies(reinterpret_cast<const char*>(data), size);
    for (std::string_view rest = replies; !rest.empty();) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view reply = rest.substr(0, end);
        if (reply.ends_with('\r')) reply.remove_suffix(1);
        checkFields(reply);
        checkNumbers(reply);
        checkCodes(reply);
        const voltaro::ReplyFields pair = voltaro::SplitReplyFields(reply, 2);
        checkARangeList(voltaro::ClampToIndex(pair[0]), voltaro::ARangeToIndex(pair[1]));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }

    voltaro::fuzz::ReplayedLink line(replies);
    voltaro::SettingRecord record = startingSetting();
    if (voltaro::SettingComRead2(line.link, record) != 0) {
        require(record == startingSetting());
        return 0;
    }
    // The PC-side preferences are no business of the meter's.
    require(record.Pc == startingSetting().Pc);
    for (std::size_t channel = 0; channel < record.Clamp.size(); ++channel)
        checkARangeList(record.Clamp[channel], record.ARange[channel]);
    return 0;
}
