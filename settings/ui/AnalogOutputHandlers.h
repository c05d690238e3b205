#pragma once

#include <QObject>
#include <array>
#include <cstdint>
#include <vector>

#include "app/AppContext.h"
#include "settings/ui/SettingControls.h"

namespace voltaro {

// The analog output channels of the page "Analog I/O": a channel's kind decides which
// of order, magnification and rate apply and which items its item list offers for the
// wiring and load of CurrentSetting; the list shows item names while the record keeps
// absolute item numbers.
class AnalogOutputHandlers : public QObject {
    Q_OBJECT

public:
    AnalogOutputHandlers(AppContext& ctx, const SettingControls& controls, QObject* parent);

    // Builds every channel's item list again, after the wiring or the load changed.
    void rebuildItemLists();
    // The list position of `item` in a channel's list; the first entry when the list lacks it.
    int itemPosition(int channel, std::int16_t item) const;
    // The item at a position of a channel's list; -1 for none.
    std::int16_t itemAt(int channel, int position) const;

private:
    bool idle() const { return ctx_.OperationMode == operation_mode::Idle; }
    void kindChosen(int channel, int position);
    void itemChosen(int channel, int position);
    void buildItemList(int channel);

    AppContext& ctx_;
    const SettingControls& c_;
    std::array<std::vector<std::int16_t>, SettingControls::kAnalogOutputs> items_;
};

}  // namespace voltaro
