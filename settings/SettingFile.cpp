#include "settings/SettingFile.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

#include "app/AtomicFile.h"
#include "app/ErrorReporting.h"
#include "app/InputFile.h"
#include "app/NumberText.h"
#include "app/TextTools.h"
#include "settings/CodeTables.h"
#include "settings/SettingCheck.h"
#include "settings/SettingFileField.h"
#include "settings/SettingFileLayout.h"

namespace voltaro {

using namespace setting_file;

namespace {

// A sound file is under two kilobytes; a longer one than this is refused unread.
constexpr std::size_t kMaxFileBytes = 64 * 1024;
constexpr std::int16_t kOwnOrderSelection = 3;
constexpr std::int16_t kAllOrders = 0;
constexpr int kTimerSecondsPerHour = 3600;
constexpr int kTimerSecondsPerMinute = 60;

class LineWriter {
public:
    explicit LineWriter(std::string& out) : out_(out) {}

    template <typename... Fields>
    void operator()(std::string_view key, const Fields&... fields) {
        out_ += FormatKeyPrefix(key, 1);
        first_ = true;
        (put(fields), ...);
        out_ += "\r\n";
    }

private:
    void value(std::string_view text) {
        if (!first_) out_ += ',';
        out_ += text;
        first_ = false;
    }

    void put(std::int16_t number) { value(std::to_string(number)); }
    void put(float ratio) { value(FormatRatio(ratio)); }
    template <typename T, std::size_t N>
    void put(std::span<T, N> values) {
        for (const T& v : values) put(v);
    }
    void put(const FixedName& fixed) { value(fixed.name); }
    template <typename Text>
    void put(const VersionText<Text>&) { value(kWrittenVersion); }
    template <typename Text>
    void put(const PlainText<Text>& text) { value(text.text); }
    template <typename Int>
    void put(const ZeroPadded<Int>& number) { value(FormatZeroPadded(number.value, number.digits)); }
    template <typename Int>
    void put(const AveragingCount<Int>& averaging) {
        std::int16_t index = averaging.index;  // a copy: the converter sets an unknown index to -1
        value(IndexToAverage(index));
    }
    template <typename Time>
    void put(const CalendarMinute<Time>& t) {
        value(FormatZeroPadded(t.time[0] - kFirstYearOfCentury, 2));
        value(FormatZeroPadded(t.time[1], 2));
        value(FormatZeroPadded(t.time[2], 2));
        put(t.time[3]);
        value(FormatZeroPadded(t.time[4], 2));
    }
    template <typename Timer>
    void put(const TimerSeconds<Timer>& t) {
        const std::int32_t seconds =
            t.timer[0] * kTimerSecondsPerHour + t.timer[1] * kTimerSecondsPerMinute + t.timer[2];
        value(std::to_string(seconds));
    }
    template <typename Int, typename Text>
    void put(const OrderSelection<Int, Text>& order) { put(order.selection); }

    std::string& out_;
    bool first_ = true;
};

// The file as one stream of fields: a field ends at a comma or a line end (CR LF, or a
// lone CR or LF), and blanks before its first character are skipped. Past the end every
// field is empty, which no key or number check passes.
class FieldStream {
public:
    explicit FieldStream(std::string_view bytes) : rest_(bytes) {}

    std::string_view next() {
        while (rest_.starts_with(' ')) rest_.remove_prefix(1);
        const std::size_t end = std::min(rest_.find_first_of(",\r\n"), rest_.size());
        const std::string_view field = rest_.substr(0, end);
        rest_.remove_prefix(end);
        rest_.remove_prefix(rest_.starts_with("\r\n") ? 2 : std::min<std::size_t>(rest_.size(), 1));
        return field;
    }

private:
    std::string_view rest_;
};

// Whether a file of this version ends with the order selection line: files from version
// 1.00 and before, and from 9.99, do not; a version that starts with a capital letter
// always has it. Nothing for a version that is neither a number nor a letter.
std::optional<bool> hasOrderSelectionLine(std::string_view version) {
    if (!version.empty() && version.front() >= 'A' && version.front() <= 'Z') return true;
    const std::optional<double> number = ParsePlainNumber(version);
    if (!number) return std::nullopt;
    return !(*number <= 1.00 || *number == 9.99);
}

// Reads the fields of each line into the record, in file order; after the first field
// that does not fit, reads nothing more.
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : fields_(bytes) {}

    bool intact() const { return intact_; }

    template <typename... Fields>
    void operator()(std::string_view key, Fields&&... fields) {
        key_ = key;
        (take(fields), ...);
    }

private:
    // The key the next field must start with: the line's key for its first field only.
    std::string_view takeKey() { return std::exchange(key_, std::string_view()); }

    template <typename Target>
    void number(Target& target) {
        if (intact_ && ParseNumberField(fields_.next(), takeKey(), target) != 0) intact_ = false;
    }
    void text(std::string& target) {
        if (intact_ && ParseTextField(fields_.next(), takeKey(), target) != 0) intact_ = false;
    }

    void take(std::int16_t& target) { number(target); }
    void take(float& target) { number(target); }
    template <typename T, std::size_t N>
    void take(std::span<T, N> targets) {
        for (T& target : targets) take(target);
    }
    void take(const FixedName& fixed) {
        if (!intact_) return;
        const std::string_view key = takeKey();
        const std::string expected = (key.empty() ? std::string() : FormatKeyPrefix(key, 1)) + std::string(fixed.name);
        if (UpperCaseAscii(fields_.next()) != UpperCaseAscii(expected)) intact_ = false;
    }
    void take(const VersionText<std::string>& version) { text(version.version); }
    void take(const PlainText<std::string>& plain) { text(plain.text); }
    void take(const ZeroPadded<std::int16_t>& padded) { number(padded.value); }
    void take(const AveragingCount<std::int16_t>& averaging) {
        std::int16_t count = 0;
        number(count);
        if (intact_) averaging.index = AverageCountToIndex(count);
    }
    void take(const CalendarMinute<std::array<std::int16_t, 6>>& t) {
        std::int16_t year = 0;
        number(year);
        if (intact_ && year > std::numeric_limits<std::int16_t>::max() - kFirstYearOfCentury) intact_ = false;
        if (intact_) t.time[0] = static_cast<std::int16_t>(year + kFirstYearOfCentury);
        for (std::size_t i = 1; i < 5; ++i) number(t.time[i]);
    }
    void take(const TimerSeconds<std::array<std::int16_t, 3>>& t) {
        std::int32_t seconds = 0;
        number(seconds);
        const std::int32_t hours = seconds / kTimerSecondsPerHour;
        if (hours < std::numeric_limits<std::int16_t>::min() || hours > std::numeric_limits<std::int16_t>::max())
            intact_ = false;
        if (!intact_) return;
        t.timer = {static_cast<std::int16_t>(hours),
                   static_cast<std::int16_t>(seconds % kTimerSecondsPerHour / kTimerSecondsPerMinute),
                   static_cast<std::int16_t>(seconds % kTimerSecondsPerMinute)};
    }
    void take(const OrderSelection<std::int16_t, std::string>& order) {
        if (!intact_) return;
        const std::optional<bool> present = hasOrderSelectionLine(order.version);
        if (!present) {
            intact_ = false;
        } else if (*present) {
            number(order.selection);
        } else {
            order.selection = kAllOrders;
        }
    }

    FieldStream fields_;
    std::string_view key_;
    bool intact_ = true;
};

}  // namespace

std::string FormatSettingFile(const SettingRecord& record) {
    std::string out;
    ForEachLine(record, LineWriter(out));
    return out;
}

bool ParseSettingFile(std::string_view bytes, SettingRecord& record, OrderLines orders) {
    SettingRecord read = record;
    LineReader reader(bytes);
    ForEachLine(read, reader);
    if (!reader.intact()) return false;
    // Every file lists the orders; they count only when the file selects its own.
    if (orders == OrderLines::WhenSelected && read.SaveHrmOrdSel != kOwnOrderSelection)
        read.SaveHrmOrder = record.SaveHrmOrder;
    record = std::move(read);
    return true;
}

std::int16_t WriteSettingFile(AppContext& ctx, const std::string& path, const SettingRecord& record) {
    std::string error;
    if (WriteFileAtomically(path, FormatSettingFile(record), error)) return 0;
    ReportSystemError(ctx, error);
    return kAlreadyReported;
}

std::int16_t ReadSettingFile(AppContext& ctx, const std::string& path, SettingRecord& record, OrderLines orders) {
    std::string bytes;
    std::string error;
    // A file that cannot be read, a FIFO or a file far too long is no setting file either: the user
    // sees the one message.
    if (!ReadSmallRegularFile(path, kMaxFileBytes, bytes, error) || !ParseSettingFile(bytes, record, orders)) {
        ShowErrorMessage(ctx, kErrKindApplication, kNotSettingFile);
        return kAlreadyReported;
    }
    return 0;
}

std::int16_t LoadSettingFile(AppContext& ctx, const std::string& path) {
    SettingRecord working = ctx.CurrentSetting;
    if (ReadSettingFile(ctx, path, working) != 0 || CheckSettingRecord(ctx, working) != 0) return kAlreadyReported;
    ctx.CurrentSetting = std::move(working);
    return 0;
}

}  // namespace voltaro
