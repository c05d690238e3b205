#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "support/DataFileBytes.h"  // kWaveHeaderLines, the waveform file's header lines

namespace voltaro::test {

// Data files as the conversion and the meter write them, row by row, for the viewer's tests.

// The setting lines of a converted instantaneous file; the CT line ends in CR CR LF.
inline const std::string kInstHeaderLines =
    "MODEL,ZR915,T351\r\nVERSION,1.23\r\nID,042\r\nLOAD,1\r\nWIRING,1P2W\r\nVAR_METHOD,OFF\r\n"
    "FREQUENCY,50Hz\r\nSAMPLING,PLL\r\nSOURCE,U1\r\nINTERVAL,1WAVE\r\nU_RANGE,150V\r\n"
    "A_RANGE,50A,50A,50A,50A\r\nVT,1.00\r\nCT,1.00,1.00,1.00,1.00\r\r\n";

// The title row of a converted file: the conversion leaves the third column's title empty.
inline const std::string kInstTitles = "DATE,TIME,,U1_INST(V),I1_INST(A)_1,PF_INST_1";

// Lines joined with CR LF after each.
inline std::string Rows(const std::vector<std::string>& rows) {
    std::string text;
    for (const std::string& row : rows) text += row + "\r\n";
    return text;
}

// A converted instantaneous file with these data rows.
inline std::string InstFile(const std::vector<std::string>& rows) {
    return kInstHeaderLines + kInstTitles + "\r\n" + Rows(rows);
}

// A waveform row: the channel, the moment and `samples` samples first, first + step, ...
inline std::string WaveRow(const std::string& channel, const std::string& moment, int samples, double first,
                           double step = 0) {
    std::string row = channel + "," + moment;
    char text[32];
    for (int k = 0; k < samples; ++k) {
        std::snprintf(text, sizeof text, ",%.6E", first + k * step);
        row += text;
    }
    return row;
}

}  // namespace voltaro::test
