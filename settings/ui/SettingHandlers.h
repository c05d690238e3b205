#pragma once

#include <QObject>
#include <array>
#include <cstdint>

#include "app/AppContext.h"
#include "settings/ui/SettingControls.h"

namespace voltaro {

// The settings window's handlers: what happens when an item of a page changes, whether
// the user or the window itself changed it. They keep the items consistent (refill the
// lists that depend on another item, enable what applies), refuse what the rules refuse,
// and, only while the user is editing (OperationMode idle), store the item in
// CurrentSetting. The rules themselves are the core's; a handler only applies them to
// the controls.
class SettingHandlers : public QObject {
    Q_OBJECT

public:
    SettingHandlers(AppContext& ctx, const SettingControls& controls, QObject* parent);

    // Whether the rated power of current channel `channel` stays within the limit with
    // these ratios and the window's wiring and ranges. Not checked (true) while the
    // application fills the window, nor for a channel whose A range list is disabled.
    bool RatedPowerAccepts(int channel, float vt, float ct) const;

    // The ratios the boxes show; the accepted ones while a box holds no number.
    float vtShown() const;
    float ctShown(int channel) const;

    // The absolute A range a channel's list keeps when its clamp changes; showing a
    // record sets it before choosing the clamp.
    void keepARange(int channel, std::int16_t aRange) { keptARange_[static_cast<std::size_t>(channel)] = aRange; }

signals:
    // The wiring or the number of loads changed: the harmonic save items and the analog
    // output lists follow them.
    void wiringOrLoadChanged();

private:
    bool idle() const { return ctx_.OperationMode == operation_mode::Idle; }
    QString text(int id) const;
    void connectHandlers();
    void connectStoredLists();
    void connectSaveChecks();

    // The check of one channel's rated power with the ratios the boxes show: 0, or the
    // code after reporting it.
    std::int16_t checkRatedPower(int channel) const;
    // Whether every channel's rated power stays within the limit with the window's
    // current items; on the first that does not, its report and the handler's own box.
    bool ratedPowerHolds();
    void refuseRatedPower();

    void wiringChosen(int position);
    void loadChosen(int position);
    void clampChosen(int channel, int position);
    void aRangeChosen(int channel, int position);
    void uRangeChosen(int position);
    // Phase angles from U1 keep the source at U1, except in a setting opened or received,
    // which is shown as it is.
    bool phaseRuleApplies() const;
    void frequencyChosen(int position);
    void phaseReferenceChosen(int position);
    void startMethodChosen(int position);
    void stopMethodChosen(int position);
    void energyDigitsChosen(QComboBox* digits, int position);
    void intervalChosen(int position);
    void showNormalSaveLabels();
    void connectionChosen(int position);
    void hardCopyChosen(int position);
    void voltageQualityChosen(int position);
    void pcClockTicked(bool ticked);

    AppContext& ctx_;
    const SettingControls& c_;
    std::array<std::int16_t, SettingControls::kCurrentChannels> keptARange_{};
};

}  // namespace voltaro
