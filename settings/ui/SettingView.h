#pragma once

#include "app/SettingRecord.h"
#include "settings/ui/SettingControls.h"

namespace voltaro {

class SettingHandlers;
class AnalogOutputHandlers;

// Puts every item of `record` into its control, in the window's fixed order, running
// each list's and check box's handler as it goes (under the caller's OperationMode):
// the wiring refills the load and frequency lists before they are set, a clamp its A
// range list, the RS-232 connection the hard copy list, a kind its analog item list.
// Text boxes are only filled, in their formats. The record is CurrentSetting.
void ShowSetting(const SettingRecord& record, const SettingControls& controls, SettingHandlers& handlers,
                 const AnalogOutputHandlers& analog);

// Reads the controls into `record` in the same order, turning list positions back into
// the record's codes. A text box holding no number leaves its field as it was. The
// meter's clock is left alone: its pickers write the record as they change.
void CollectSetting(const SettingControls& controls, const AnalogOutputHandlers& analog, SettingRecord& record);

}  // namespace voltaro
