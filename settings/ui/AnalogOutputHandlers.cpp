#include "settings/ui/AnalogOutputHandlers.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "settings/AnalogOutputItems.h"
#include "settings/ui/ControlValue.h"

namespace voltaro {

namespace {

constexpr int kFirstItemLabel = 3000;  // + the absolute item number
constexpr int kFirstRateLabel = 2921;
constexpr int kFirstReactiveRateLabel = 2928;

}  // namespace

AnalogOutputHandlers::AnalogOutputHandlers(AppContext& ctx, const SettingControls& controls, QObject* parent)
    : QObject(parent), ctx_(ctx), c_(controls) {
    for (int i = 0; i < SettingControls::kAnalogOutputs; ++i) {
        connect(c_.cmbDaItem[i], &QComboBox::currentIndexChanged, this,
                [this, i](int position) { kindChosen(i, position); });
        connect(c_.cmbDaElem[i], &QComboBox::currentIndexChanged, this,
                [this, i](int position) { itemChosen(i, position); });
    }
}

void AnalogOutputHandlers::rebuildItemLists() {
    for (int i = 0; i < SettingControls::kAnalogOutputs; ++i) buildItemList(i);
}

int AnalogOutputHandlers::itemPosition(int channel, std::int16_t item) const {
    const int position = DaItemToPosition(items_[static_cast<std::size_t>(channel)], item);
    return position < 0 ? 0 : position;
}

std::int16_t AnalogOutputHandlers::itemAt(int channel, int position) const {
    return PositionToDaItem(items_[static_cast<std::size_t>(channel)], position);
}

void AnalogOutputHandlers::kindChosen(int channel, int position) {
    const DaKindChoices choices = DaKindChoicesFor(static_cast<std::int16_t>(position));
    c_.cmbDaOrd[channel]->setEnabled(choices.order);
    c_.cmbDaMag[channel]->setEnabled(choices.magnification);
    c_.cmbDaRate[channel]->setEnabled(choices.rate);
    if (idle()) ctx_.CurrentSetting.DaKind[static_cast<std::size_t>(channel)] = static_cast<std::int16_t>(position);
    buildItemList(channel);
}

void AnalogOutputHandlers::itemChosen(int channel, int position) {
    const std::int16_t item = itemAt(channel, position);
    // The rates of a reactive energy read in kVarh, of every other item in kWh.
    const int firstRate = IsReactiveEnergyItem(item) ? kFirstReactiveRateLabel : kFirstRateLabel;
    QComboBox* rates = c_.cmbDaRate[channel];
    const QSignalBlocker quiet(rates);
    for (int rate = 0; rate < rates->count(); ++rate)
        rates->setItemText(rate, QString::fromStdString(ctx_.catalogue.text(firstRate + rate)));
    if (idle()) ctx_.CurrentSetting.DaItem[static_cast<std::size_t>(channel)] = item;
}

void AnalogOutputHandlers::buildItemList(int channel) {
    const SettingRecord& r = ctx_.CurrentSetting;
    const auto index = static_cast<std::size_t>(channel);
    items_[index] = BuildDaItemList(r.Wiring, r.Load, r.DaKind[index]);
    QStringList names;
    for (const std::int16_t item : items_[index])
        names << QString::fromStdString(ctx_.catalogue.text(kFirstItemLabel + item));
    RefillList(c_.cmbDaElem[channel], names);
    SelectListPosition(c_.cmbDaElem[channel], itemPosition(channel, r.DaItem[index]));
}

}  // namespace voltaro
