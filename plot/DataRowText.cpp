#include "plot/DataRowText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace voltaro {

namespace {

constexpr float kNothing = std::numeric_limits<float>::quiet_NaN();

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The whole number of `text`'s digits; nothing when one of them is not a digit.
std::optional<int> digitsValue(std::string_view text) {
    int value = 0;
    for (const char c : text) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// Days from 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

struct CivilDate {
    std::int64_t year;
    unsigned month, day;
};

CivilDate civilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shifted = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    const unsigned month = shifted < 10 ? shifted + 3 : shifted - 9;
    return {static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

bool leapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::size_t SplitFields(std::string_view row, std::string_view* fields, std::size_t most) {
    std::size_t count = 0;
    while (count < most) {
        const void* comma = std::memchr(row.data(), ',', row.size());
        if (comma == nullptr) {
            fields[count++] = row;
            break;
        }
        const auto length = static_cast<std::size_t>(static_cast<const char*>(comma) - row.data());
        fields[count++] = row.substr(0, length);
        row.remove_prefix(length + 1);
    }
    return count;
}

float ValueOfField(std::string_view field) {
    while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
    while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
    // from_chars takes a minus but no plus; a plus before another sign is no number.
    if (field.size() > 1 && field.front() == '+' && field[1] != '-') field.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size() || field.empty()) return kNothing;
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) return kNothing;
    return static_cast<float>(value);
}

bool LooksLikeDate(std::string_view field) {
    if (field.size() != 10 || field[4] != '/' || field[7] != '/') return false;
    return digitsValue(field.substr(0, 4)) && digitsValue(field.substr(5, 2)) && digitsValue(field.substr(8, 2));
}

std::optional<std::int64_t> SecondsOfDateTime(std::string_view date, std::string_view time) {
    if (!LooksLikeDate(date) || time.size() != 8 || time[2] != ':' || time[5] != ':') return std::nullopt;
    const int year = *digitsValue(date.substr(0, 4));
    const int month = *digitsValue(date.substr(5, 2));
    const int day = *digitsValue(date.substr(8, 2));
    const std::optional<int> hour = digitsValue(time.substr(0, 2));
    const std::optional<int> minute = digitsValue(time.substr(3, 2));
    const std::optional<int> second = digitsValue(time.substr(6, 2));
    if (!hour || !minute || !second || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) ||
        *hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;
    return daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 86400 + *hour * 3600 +
           *minute * 60 + *second;
}

std::string DateTimeText(std::int64_t seconds) {
    const std::int64_t days = (seconds >= 0 ? seconds : seconds - 86399) / 86400;
    const std::int64_t ofDay = seconds - days * 86400;
    const CivilDate date = civilFromDays(days);
    char text[40];
    std::snprintf(text, sizeof text, "%04lld/%02u/%02u %02lld:%02lld:%02lld", static_cast<long long>(date.year),
                  date.month, date.day, static_cast<long long>(ofDay / 3600), static_cast<long long>(ofDay / 60 % 60),
                  static_cast<long long>(ofDay % 60));
    return text;
}

std::string_view UnitOfTitle(std::string_view title) {
    const std::size_t open = title.find('(');
    if (open == std::string_view::npos) return {};
    const std::size_t close = title.find(')', open + 1);
    if (close == std::string_view::npos) return {};
    return title.substr(open + 1, close - open - 1);
}

}  // namespace voltaro
