#pragma once

// How the settings window's lists map to record fields where the two differ, and which
// choices a wiring, a clamp or an interval leaves open. The window and the whole-setting
// check share these rules.

#include <cstdint>
#include <optional>
#include <span>

namespace voltaro {

// The list position that shows absolute A range `aRange` for `clamp`: at or below the
// clamp's first range the first position, at or above its last range the last, a range
// the clamp has its own position, anything else the first. The list position back to
// the absolute index is ARangeFromListPosition.
int ARangeListPosition(std::int16_t clamp, std::int16_t aRange);

// The frequency sources (0 U1, 1 U2, 2 U3) the frequency list offers for a wiring.
std::span<const std::int16_t> FrequencySources(std::int16_t wiring);
// Frequency list position to source and back; with 3P3W2I the list holds U1 and U3.
std::int16_t SourceFromListPosition(std::int16_t wiring, int position);
int SourceListPosition(std::int16_t wiring, std::int16_t source);

// The stop list offers Manual, Time and Timer: positions 0, 1, 2 stand for method
// codes 0, 1, 3.
std::int16_t StopMethodFromListPosition(int position);
int StopMethodListPosition(std::int16_t stopMethod);

// The meter's parity list shows Even, Odd, None while the record keeps the codes
// 0 odd, 1 even, 2 none: positions 0, 1, 2 stand for codes 1, 0, 2.
std::int16_t ParityFromListPosition(int position);
int ParityListPosition(std::int16_t parity);

// The most loads a wiring measures: 4 for 1P2W, 2 for 1P3W and 3P3W2I, else 1.
int LoadCount(std::int16_t wiring);
// Whether current channel 0..3 is in use with `load` loads (the record's load number).
bool IsCurrentChannelUsed(std::int16_t wiring, std::int16_t load, int channel);

// The hard copy media open to the meter's RS-232 connection: the printer only when the
// printer is connected (1).
int CopyMediaCount(std::int16_t rs232Connect);

// Whether an energy digit choice has a unit: not for STANDARD and AUTO.
bool EnergyUnitApplies(std::int16_t whDigit);

// Intervals of 30 seconds and under leave no time for a printer on the RS-232 line.
bool IntervalAllowsPrinter(std::int16_t interval);

// The selectors of the warning box a short interval brings up (see ShowSettingWarnings).
struct IntervalWarningSelectors {
    std::int16_t interval;
    std::int16_t saving;
    std::int16_t integration;
};
std::optional<IntervalWarningSelectors> IntervalWarnings(std::int16_t interval);

// The "Auto" labels of the saving page and the RS-232 connection that an interval
// leaves shown: a sub-second interval leaves no energy, waveform or harmonic saving of
// its own, and no average, maximum or minimum; one of 30 seconds and under no waveform
// or harmonic saving, and no automatic connection.
struct AutoSaveLabels {
    bool energy;
    bool waveform;
    bool harmonics;
    bool connection;
    bool statistics;  // average, maximum and minimum, while normal measurements are saved
};
AutoSaveLabels AutoSaveLabelsFor(std::int16_t interval);

}  // namespace voltaro
