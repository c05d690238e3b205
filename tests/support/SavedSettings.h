#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/AppContext.h"
#include "app/ParameterFile.h"

namespace voltaro::test {

// Changes the PC-side settings kept in the Parameter file of `appFolder` (ending in the
// separator), the way an earlier run of the program would have. Returns the write's status.
inline std::int16_t ChangeSavedSettings(Messages& messages, const WallClock& clock, const std::string& appFolder,
                                        const std::function<void(PcSettings&)>& change) {
    AppContext ctx(messages, clock);
    ctx.AppPath = appFolder;
    AccessParameterFile(ctx, kParameterRead);
    change(ctx.CurrentSetting.Pc);
    return AccessParameterFile(ctx, kParameterWrite);
}

}  // namespace voltaro::test
