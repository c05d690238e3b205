#include "settings/SettingFileField.h"

#include <algorithm>
#include <optional>

#include "app/NumberText.h"

namespace voltaro {

namespace {

constexpr std::int16_t kFieldTaken = 0;
constexpr std::int16_t kFieldRefused = -1;

// What follows `key` and its blanks, or nothing when the field does not start with it.
std::optional<std::string_view> valueAfterKey(std::string_view field, std::string_view key) {
    if (!field.starts_with(key)) return std::nullopt;
    field.remove_prefix(key.size());
    while (field.starts_with(' ')) field.remove_prefix(1);
    return field;
}

template <typename Int>
std::int16_t parseInteger(std::string_view field, std::string_view key, Int& target) {
    const auto value = valueAfterKey(field, key);
    const std::optional<Int> number = value ? ParseWholeNumber<Int>(*value) : std::nullopt;
    if (!number) return kFieldRefused;
    target = *number;
    return kFieldTaken;
}

}  // namespace

std::string FormatKeyPrefix(std::string_view key, int count) {
    return std::string(key) + std::string(static_cast<std::size_t>(std::max(count, 0)), ' ');
}

std::int16_t ParseNumberField(std::string_view field, std::string_view key, std::int16_t& target) {
    return parseInteger(field, key, target);
}

std::int16_t ParseNumberField(std::string_view field, std::string_view key, std::int32_t& target) {
    return parseInteger(field, key, target);
}

std::int16_t ParseNumberField(std::string_view field, std::string_view key, float& target) {
    const auto value = valueAfterKey(field, key);
    const std::optional<float> number = value ? ParsePlainSingle(*value) : std::nullopt;
    if (!number) return kFieldRefused;
    target = *number;
    return kFieldTaken;
}

std::int16_t ParseTextField(std::string_view field, std::string_view key, std::string& target) {
    const auto value = valueAfterKey(field, key);
    if (!value) return kFieldRefused;
    target = *value;
    return kFieldTaken;
}

}  // namespace voltaro
