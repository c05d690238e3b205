#include "settings/RatedPower.h"

#include <charconv>

#include "app/ErrorReporting.h"
#include "settings/WiringIndexes.h"

namespace voltaro {

namespace {

constexpr float kMarginFactor = 1.3f;
constexpr float kHighestRatedPower = 9.999e14f;  // 999.9 TW

// The number a range text starts with and the rest of the text; 0 when it starts with none.
float leadingNumber(std::string_view text, std::string_view& unit) {
    float value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    unit = error == std::errc() ? text.substr(static_cast<std::size_t>(end - text.data())) : text;
    return error == std::errc() ? value : 0;
}

}  // namespace

int WiringFactor(std::int16_t wiring) {
    if (wiring == wiring::k1P2W) return 1;
    if (wiring == wiring::k3P4W || wiring == wiring::k3P4W4I) return 3;
    return 2;
}

float VoltsOfRange(std::string_view text) {
    std::string_view unit;
    return leadingNumber(text, unit);
}

float AmperesOfRange(std::string_view text) {
    std::string_view unit;
    const float value = leadingNumber(text, unit);
    if (unit.starts_with('m')) return value * 0.001f;
    if (unit.starts_with('k')) return value * 1000.0f;
    return value;
}

bool RatedPowerWithinLimit(std::int16_t wiring, std::string_view uRange, std::string_view aRange, float vt, float ct) {
    if (vt == 1.0f && ct == 1.0f) return true;
    const float power = ct * (vt * (AmperesOfRange(aRange) * VoltsOfRange(uRange))) *
                        static_cast<float>(WiringFactor(wiring)) * kMarginFactor;
    return power <= kHighestRatedPower;
}

std::int16_t CheckRatedPower(AppContext& ctx, std::int16_t wiring, std::string_view uRange, std::string_view aRange,
                             float vt, float ct) {
    if (ctx.OperationMode != operation_mode::Idle) return 0;
    if (RatedPowerWithinLimit(wiring, uRange, aRange, vt, ct)) return 0;
    ShowErrorMessage(ctx, kErrKindApplication, kRatedPowerTooHigh);
    return kRatedPowerTooHigh;
}

}  // namespace voltaro
