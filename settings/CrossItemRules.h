#pragma once

// What a change of one setting item does to the items that depend on it, as functions of
// the record: the settings window's handlers do the same to their controls, and
// `voltaro settings set` to the record of a setting file. Each is called after the item
// itself has changed and passed its own check.

#include <cstdint>

#include "app/SettingRecord.h"

namespace voltaro {

// The harmonic save flags right after the wiring, the load or harmonic saving changed: the
// load, channel and item flags become the ticks of HarmonicSaveBoxesFor. The orders stay.
void RefreshHarmonicSaveFlags(SettingRecord& r);

// Analog output channel `channel` after its item list was rebuilt for the record's wiring,
// load and the channel's kind: its item stays when the list holds it, else it becomes the
// list's first item.
void KeepDaItemInList(SettingRecord& r, int channel);

// A new wiring: load 1 and frequency source U1, the first entries of the lists it refills,
// then the harmonic save flags and the analog output items of every channel.
void FollowWiring(SettingRecord& r);

// A new load count: the harmonic save flags and the analog output items of every channel.
void FollowLoad(SettingRecord& r);

// A new clamp on current channel `channel`: its A range becomes `kept` (the range last
// chosen there) when the clamp has it, else the nearest end of the clamp's ranges.
void FollowClamp(SettingRecord& r, int channel, std::int16_t kept);

// A new interval: one of 30 seconds and under leaves no time for a printer on the RS-232
// line, which then goes to the PC (and FollowConnection applies).
void FollowInterval(SettingRecord& r);

// A new RS-232 connection: without the printer a printed hard copy goes to the PC card.
void FollowConnection(SettingRecord& r);

// A new hard copy: a copy on the printer connects the printer to the RS-232 line.
void FollowHardCopy(SettingRecord& r);

// Phase angles measured from U1 take U1 as the frequency source: after a change of the
// phase reference or of the source.
void FollowPhaseReference(SettingRecord& r);

}  // namespace voltaro
