#pragma once

#include <QObject>

#include "app/AppContext.h"
#include "settings/ui/SettingControls.h"

namespace voltaro {

// The page "Harmonic": which loads, channels, quantities and orders the meter saves the
// harmonics of. The wiring and load of CurrentSetting and the harmonic saving of page
// "Save 2/2" decide which boxes are open; the order selection ticks the order boxes or
// opens them for the user's own choice.
class HarmonicSaveHandlers : public QObject {
    Q_OBJECT

public:
    HarmonicSaveHandlers(AppContext& ctx, const SettingControls& controls, QObject* parent);

    // Opens and ticks every box the wiring and load offer and closes and clears the
    // others, after the wiring, the load or the harmonic saving changed; earlier choices
    // in these boxes are replaced.
    void refresh();

private:
    bool idle() const { return ctx_.OperationMode == operation_mode::Idle; }
    void orderSelectionChosen(int position);
    void orderTicked(int order, bool ticked);
    // The THD item and the mirror boxes follow the ticked channels, which are stored.
    void channelTicked();

    AppContext& ctx_;
    const SettingControls& c_;
};

}  // namespace voltaro
