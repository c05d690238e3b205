#include "settings/SystemReset.h"

#include "app/DefaultSettings.h"
#include "app/ErrorReporting.h"
#include "link/MeterChecks.h"

namespace voltaro {

namespace {

constexpr int kProductName = 101;
constexpr int kResetQuestion = 2036;
constexpr int kResetDone = 2038;

}  // namespace

bool ConfirmSystemReset(AppContext& ctx) {
    return ctx.messages.askOkCancel(ctx.catalogue.text(kProductName), ctx.catalogue.text(kResetQuestion));
}

std::int16_t ResetMeter(Link& link) {
    AppContext& ctx = link.context();
    if (link.OpenCommPort(ctx.CurrentSetting.Pc) != 0) return kAlreadyReported;
    const bool reset = link.SendCommand(":COMM:HEAD OFF") == 0 && CheckMeterReady(link) == 0 &&
                       link.SendCommand(":RESE") == 0 && link.SendCommand(":COMM:HEAD ON") == 0;
    link.CloseCommPort();
    if (!reset) return kAlreadyReported;
    SetDefaultSettings(ctx);
    return 0;
}

void ReportSystemReset(AppContext& ctx) {
    ctx.messages.notify(MessageIcon::None, ctx.catalogue.text(kProductName), ctx.catalogue.text(kResetDone));
}

std::int16_t SystemReset(Link& link) {
    AppContext& ctx = link.context();
    const OperationModeScope mode(ctx, operation_mode::SystemReset);
    if (!ConfirmSystemReset(ctx) || ResetMeter(link) != 0) return kAlreadyReported;
    ReportSystemReset(ctx);
    return 0;
}

}  // namespace voltaro
