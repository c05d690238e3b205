#pragma once

#include <cstdint>
#include <string>

#include "app/SettingRecord.h"
#include "link/Link.h"

namespace voltaro {

// The shortest decimal text that reads back as the same single, with a point whatever
// the PC's locale and never with an exponent: 1 gives "1", 0.1f gives "0.1".
std::string DecimalText(float value);

// The save items as the meter's masks, in decimal.
// Bit 0 normal, bit 1 energy, bits 2..6 the harmonic items, the latter only while
// harmonics are saved at all.
std::string SaveItem1Mask(const SettingRecord& r);
// Bits 0..3: instantaneous, average, maximum, minimum.
std::string SaveItem2Mask(const SettingRecord& r);
// Bit i: harmonics of load i + 1.
std::string SaveItem3Mask(const SettingRecord& r);
// Bit i: harmonic element i (U1, U2, U3, P, I1, I2, I3, I4).
std::string SaveItem4Mask(const SettingRecord& r);
// Field 1: the order selection ("4" all, "2" odd, "1" even, "0" select). Fields 2..8:
// bit j of field k is order 8(k - 2) + j + 1, field 8 holding orders 49 and 50 only.
// "0" for any other field number.
std::string SaveItem5Field(const SettingRecord& r, int field);

// The six values of analog output `channel` (0..3) as the meter takes them: element,
// kind, quantity, order, magnification, rate ("2,0,I1,1,1,1K").
std::string AnalogOutputArgument(const SettingRecord& r, int channel);

// Writes `record` into the meter over one exchange, one set command per item, reading
// nothing back. With `pcTime` the meter's clock is set to the PC's date and time
// instead of the record's. 0 when every command went out; -1 after the failure was
// reported (the meter may then hold part of the setting).
std::int16_t SettingComWrite2(Link& link, const SettingRecord& record, bool pcTime);

// Sends `sent` (CurrentSetting with the user's changes) after the whole-setting check,
// reads the meter's setting back and compares. 0: the meter took it all, and `sent`,
// with the meter's version, is now CurrentSetting. -1: the check refused it or the link
// failed; CurrentSetting is unchanged. A code 400..478: the meter did not take that
// item; the previous setting was sent again and the item's message shown.
std::int16_t SendProcedure(Link& link, SettingRecord sent, bool pcTime);

// Sends `sent` as SendProcedure does, over the meter's own setting: what the meter holds
// is read first and is the previous setting that a refused send puts back, since
// CurrentSetting may already hold the very edits being sent. With `keepMeterClock` the
// meter's clock goes back as it was read rather than the one in `sent` (a setting file
// has none). CurrentSetting changes only when the meter took it all.
std::int16_t SendOverMetersSetting(Link& link, SettingRecord sent, bool pcTime, bool keepMeterClock);

}  // namespace voltaro
