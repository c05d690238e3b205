#include "settings/SystemReset.h"

#include "app/DefaultSettings.h"
#include "app/ErrorReporting.h"
#include "link/MeterChecks.h"

namespace voltaro {

namespace {

constexpr int kProductName = 101;
constexpr int kResetQuestion = 2036;
constexpr int kResetDone = 2038;

// Keeps OperationMode at "reset" for the length of the exchange, whatever its outcome.
class ResetMode {
public:
    explicit ResetMode(AppContext& ctx) : ctx_(ctx) { ctx_.OperationMode = operation_mode::SystemReset; }
    ~ResetMode() { ctx_.OperationMode = operation_mode::Idle; }
    ResetMode(const ResetMode&) = delete;
    ResetMode& operator=(const ResetMode&) = delete;

private:
    AppContext& ctx_;
};

}  // namespace

std::int16_t SystemReset(Link& link) {
    AppContext& ctx = link.context();
    const ResetMode mode(ctx);
    const std::string& title = ctx.catalogue.text(kProductName);
    if (!ctx.messages.askOkCancel(title, ctx.catalogue.text(kResetQuestion))) return kAlreadyReported;
    if (link.OpenCommPort(ctx.CurrentSetting.Pc) != 0) return kAlreadyReported;
    const bool reset = link.SendCommand(":COMM:HEAD OFF") == 0 && CheckMeterReady(link) == 0 &&
                       link.SendCommand(":RESE") == 0 && link.SendCommand(":COMM:HEAD ON") == 0;
    link.CloseCommPort();
    if (!reset) return kAlreadyReported;
    SetDefaultSettings(ctx);
    ctx.messages.notify(MessageIcon::None, title, ctx.catalogue.text(kResetDone));
    return 0;
}

}  // namespace voltaro
