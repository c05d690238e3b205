#include "app/ErrorReporting.h"

#include <array>
#include <utility>

namespace voltaro {

namespace {

constexpr int kUndefinedErrorText = 999;

// Selector value -> catalogue text, per line of the warning box.
constexpr std::array<std::pair<int, int>, 3> kIntervalWarnings{{{1, 2019}, {2, 2017}, {3, 2022}}};
constexpr std::array<std::pair<int, int>, 2> kSavingWarnings{{{1, 2020}, {2, 2018}}};
constexpr std::array<std::pair<int, int>, 1> kIntegrationWarnings{{{1, 2021}}};

template <std::size_t N>
std::string warningLine(const Catalogue& catalogue, const std::array<std::pair<int, int>, N>& table, int selector) {
    for (const auto& [value, textId] : table)
        if (value == selector) return catalogue.text(textId);
    return {};
}

}  // namespace

void ShowErrorMessage(AppContext& ctx, std::int16_t kind, std::int16_t code) {
    if (kind == kErrKindApplication) {
        if (code == kAlreadyReported) return;
        ctx.ErrorDescription = ctx.catalogue.hasCode(code) ? ctx.catalogue.codeText(code)
                                                           : ctx.catalogue.text(kUndefinedErrorText);
    }
    ctx.messages.notify(MessageIcon::Stop, ctx.MsgTitle, ctx.ErrorDescription);
}

void ReportSystemError(AppContext& ctx, const std::string& description) {
    ctx.ErrorDescription = description;
    ShowErrorMessage(ctx, kErrKindSystem, 0);
}

void ShowStopText(AppContext& ctx, const std::string& text) {
    ctx.messages.notify(MessageIcon::Stop, ctx.MsgTitle, text);
}

void ShowInformationText(AppContext& ctx, const std::string& text) {
    ctx.messages.notify(MessageIcon::Information, ctx.MsgTitle, text);
}

void ShowSettingWarnings(AppContext& ctx, std::int16_t interval, std::int16_t saving, std::int16_t integration) {
    const std::string text = warningLine(ctx.catalogue, kIntervalWarnings, interval) + '\n' +
                             warningLine(ctx.catalogue, kSavingWarnings, saving) + '\n' +
                             warningLine(ctx.catalogue, kIntegrationWarnings, integration);
    ctx.messages.notify(MessageIcon::Exclamation, ctx.MsgTitle, text);
}

}  // namespace voltaro
