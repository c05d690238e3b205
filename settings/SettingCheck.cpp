#include "settings/SettingCheck.h"

namespace voltaro {

std::int16_t CheckSettingRecord(AppContext&, SettingRecord&)
{
    return 0;
}

}  // namespace voltaro
