#include "transfer/TransferProgress.h"

#include <cstdio>

namespace voltaro {

namespace {

constexpr auto kShowEvery = std::chrono::milliseconds(100);

// 1234567 as "1,234,567".
std::string withThousands(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (std::ptrdiff_t at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
    return digits;
}

std::string clockText(std::uint64_t seconds) {
    char text[32];
    if (seconds >= 3600) {
        std::snprintf(text, sizeof text, "%llu:%02u:%02u", static_cast<unsigned long long>(seconds / 3600),
                      static_cast<unsigned>(seconds / 60 % 60), static_cast<unsigned>(seconds % 60));
    } else {
        std::snprintf(text, sizeof text, "%u:%02u", static_cast<unsigned>(seconds / 60),
                      static_cast<unsigned>(seconds % 60));
    }
    return text;
}

}  // namespace

std::string TransferProgressText(std::uint64_t done, std::uint64_t total, MonotonicClock::Duration elapsed) {
    const std::uint64_t percent = total == 0 ? 100 : (done >= total ? 100 : done * 100 / total);
    std::string text =
        withThousands(done) + " of " + withThousands(total) + " bytes (" + std::to_string(percent) + "%)";
    if (done > 0 && done < total && elapsed >= std::chrono::seconds(1)) {
        const double seconds = std::chrono::duration<double>(elapsed).count();
        const double left = seconds * static_cast<double>(total - done) / static_cast<double>(done);
        text += ", " + clockText(static_cast<std::uint64_t>(left + 0.5)) + " left";
    }
    return text;
}

void TransferProgress::progress(const std::string& name, std::uint64_t done, std::uint64_t total) {
    const MonotonicClock::TimePoint now = clock_.now();
    const bool newFile = name != name_;
    if (newFile) {
        name_ = name;
        started_ = now;
    } else if (done < total && now - lastShown_ < kShowEvery) {
        return;
    }
    lastShown_ = now;
    shown_.progress(name + "   " + TransferProgressText(done, total, now - started_), done, total);
}

}  // namespace voltaro
