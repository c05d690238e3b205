#include "settings/ui/HarmonicSaveHandlers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>

#include "settings/HarmonicSaveItems.h"
#include "settings/ui/ControlValue.h"

namespace voltaro {

namespace {

constexpr int kElementCaption = 2525;
constexpr int kThreePhaseCaption = 2526;

template <std::size_t N>
void showBoxes(const std::array<QCheckBox*, N>& boxes, const std::array<CheckBoxState, N>& states) {
    for (std::size_t i = 0; i < N; ++i) {
        boxes[i]->setEnabled(states[i].enabled);
        SetTicked(boxes[i], states[i].ticked);
    }
}

}  // namespace

HarmonicSaveHandlers::HarmonicSaveHandlers(AppContext& ctx, const SettingControls& controls, QObject* parent)
    : QObject(parent), ctx_(ctx), c_(controls) {
    connect(c_.cmbSaveHrmOrdSel, &QComboBox::currentIndexChanged, this, &HarmonicSaveHandlers::orderSelectionChosen);
    for (int k = 0; k < SettingControls::kHarmonicOrders; ++k)
        connect(c_.chkSaveHrmOrder[k], &QCheckBox::toggled, this, [this, k](bool ticked) { orderTicked(k, ticked); });
    for (QCheckBox* channel : c_.chkSaveHrmCh) connect(channel, &QCheckBox::toggled, this, [this] { channelTicked(); });
    connect(c_.chkSaveHrm, &QCheckBox::toggled, this, &HarmonicSaveHandlers::refresh);
    // The mirror boxes only show what the channel boxes hold.
    for (QCheckBox* mirror : c_.chkSaveHrmScott) mirror->setEnabled(false);
}

void HarmonicSaveHandlers::refresh() {
    const SettingRecord& r = ctx_.CurrentSetting;
    const bool saving = c_.chkSaveHrm->isChecked();
    const HarmonicSaveBoxes boxes = HarmonicSaveBoxesFor(r.Wiring, r.Load, saving);
    c_.fraCH1P->setVisible(boxes.mirrors);
    c_.fraCH3P->setTitle(
        QString::fromStdString(ctx_.catalogue.text(boxes.mirrors ? kThreePhaseCaption : kElementCaption)));
    for (QGroupBox* frame : {c_.fraLoad, c_.fraCH3P, c_.fraItem}) frame->setEnabled(saving);
    c_.cmbSaveHrmOrdSel->setEnabled(boxes.orderSelection);
    showBoxes(c_.chkSaveHrmLoad, boxes.loads);
    showBoxes(c_.chkSaveHrmItem, boxes.items);
    showBoxes(c_.chkSaveHrmCh, boxes.channels);
    const bool selected = c_.cmbSaveHrmOrdSel->currentIndex() == order_selection::Select;
    for (QCheckBox* order : c_.chkSaveHrmOrder) order->setEnabled(saving && selected);
    channelTicked();
}

void HarmonicSaveHandlers::orderSelectionChosen(int position) {
    const auto selection = static_cast<std::int16_t>(position);
    const HarmonicOrderBoxes orders = HarmonicOrderBoxesFor(selection, ctx_.CurrentSetting.SaveHrmOrder);
    for (int k = 0; k < SettingControls::kHarmonicOrders; ++k) {
        c_.chkSaveHrmOrder[k]->setEnabled(orders.enabled);
        SetTicked(c_.chkSaveHrmOrder[k], orders.ticked[static_cast<std::size_t>(k)] != 0);
    }
    if (idle() && position >= 0) ctx_.CurrentSetting.SaveHrmOrdSel = selection;
}

void HarmonicSaveHandlers::orderTicked(int order, bool ticked) {
    if (idle() && c_.cmbSaveHrmOrdSel->currentIndex() == order_selection::Select)
        ctx_.CurrentSetting.SaveHrmOrder[static_cast<std::size_t>(order)] = ticked ? 1 : 0;
}

void HarmonicSaveHandlers::channelTicked() {
    HarmonicChannelFlags ticked{};
    for (int k = 0; k < kHarmonicChannelCount; ++k) ticked[k] = c_.chkSaveHrmCh[k]->isChecked() ? 1 : 0;
    const std::int16_t wiring = ctx_.CurrentSetting.Wiring;
    c_.chkSaveHrmItem[kHarmonicThdItem]->setEnabled(c_.chkSaveHrm->isChecked() &&
                                                    IsHarmonicThdItemEnabled(wiring, ticked));
    if (HasHarmonicMirrorBoxes(wiring)) {
        const auto mirrors = HarmonicMirrorTicks(ticked);
        for (std::size_t i = 0; i < mirrors.size(); ++i) c_.chkSaveHrmScott[i]->setChecked(mirrors[i] != 0);
    }
    if (idle()) ctx_.CurrentSetting.SaveHrmCh = ticked;
}

}  // namespace voltaro
