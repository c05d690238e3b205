// The meter checks the checks target drives, by number, so that the seeds made for each
// check start with the number that picks it.
#pragma once

#include <array>
#include <cstdint>

#include "link/MeterChecks.h"

namespace voltaro::fuzz {

enum class MeterCheck { Identity, Ready, ReadyAfterSend, SettingAccepted, SettingScreen, SettingScreenKeepBeep };
inline constexpr std::array kMeterChecks{MeterCheck::Identity,        MeterCheck::Ready,
                                         MeterCheck::ReadyAfterSend,  MeterCheck::SettingAccepted,
                                         MeterCheck::SettingScreen,   MeterCheck::SettingScreenKeepBeep};

// Whether the check reads the meter's identity (and so keeps its version).
inline bool AsksIdentity(MeterCheck check) {
    return check == MeterCheck::Identity || check == MeterCheck::Ready || check == MeterCheck::ReadyAfterSend;
}

inline std::int16_t RunMeterCheck(MeterCheck check, Link& link) {
    switch (check) {
    case MeterCheck::Identity: return CheckMeterIdentity(link);
    case MeterCheck::Ready: return CheckMeterReady(link);
    case MeterCheck::ReadyAfterSend:
        link.context().OperationMode = operation_mode::ReadingBackSetting;
        return CheckMeterReady(link);
    case MeterCheck::SettingAccepted: return CheckSettingAccepted(link);
    case MeterCheck::SettingScreen: return SwitchToSettingScreen(link, 1);
    case MeterCheck::SettingScreenKeepBeep: return SwitchToSettingScreen(link, 0);
    }
    return 0;
}

}  // namespace voltaro::fuzz
