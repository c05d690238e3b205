#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace voltaro {

// The six serial-port fields the user picks in the communication setup dialog.
struct CommPortSetting {
    std::int16_t PcComPort = 0;   // 1..10 (COM1..COM10)
    std::int16_t PcBaud = 0;      // 0 1200, 1 2400, 2 4800, 3 9600, 4 19200, 5 38400
    std::int16_t PcDataBits = 0;  // 7 or 8
    std::int16_t PcParity = 0;    // 0 odd, 1 even, 2 none
    std::int16_t PcStopBits = 0;  // 1 or 2
    std::int16_t PcFlow = 0;      // 0 OFF/OFF, 1 XON/XON, 2 XON/RS, 3 CS/RS

    bool operator==(const CommPortSetting&) const = default;
};

// Preferences of the PC side: the serial port and the tool windows' folders and choices.
struct PcSettings {
    CommPortSetting CommPort;
    std::int16_t TransSaveData = 0;  // copy the transferred files into TransSavePath (0/1)
    std::string TransSavePath;
    std::int16_t TransExcel = 0;  // transfer text files into a spreadsheet (0/1)
    std::int16_t TransMedia = 0;  // 0 PC card, 1 internal memory
    std::string ConvInputPath;
    std::string ConvOutputPath;
    std::string DivideInputFile;
    std::string DivideOutputPath;
    std::int16_t DivideMode = 0;  // 0 pieces of lines, otherwise pieces of columns
    std::int32_t DivideRows = 0;
    std::int16_t DivideCols = 0;
    // Serial device chosen in the setup dialog ("/dev/ttyUSB0", a pseudo-terminal);
    // empty means the device of PcComPort.
    std::string PcPortName;

    bool operator==(const PcSettings&) const = default;
};

// The meter's complete setting followed by the PC-side preferences. A plain value:
// copies are deep, and a default-constructed record is all zeros and empty texts
// (what a Parameter file too short to hold a field yields for it). Factory values
// come from SetDefaultSettings. The member order is the order of the Parameter image.
struct SettingRecord {
    using Int16 = std::int16_t;

    std::string Version;
    Int16 Wiring = 0;
    Int16 Load = 0;
    Int16 Connect1P = 0;
    Int16 URange = 0;
    std::array<Int16, 4> ARange{};  // absolute A range index per current channel
    float Vt = 0;
    std::array<float, 4> Ct{};
    std::array<Int16, 4> Clamp{};
    Int16 VarMethod = 0;
    Int16 Sampling = 0;
    Int16 FixClock = 0;
    Int16 Source = 0;  // source code, not the list position
    Int16 Filter = 0;
    Int16 Average = 0;
    Int16 TotalWhDigit = 0;
    Int16 TotalWhUnit = 0;
    Int16 IntervalWhDigit = 0;
    Int16 IntervalWhUnit = 0;
    Int16 Thd = 0;
    Int16 HrmPA = 0;
    Int16 GraphOrder = 0;
    Int16 StartMethod = 0;
    std::array<Int16, 6> StartTime{};  // year, month, day, hour, minute, second
    Int16 StopMethod = 0;
    std::array<Int16, 6> StopTime{};
    std::array<Int16, 3> StopTimer{};  // hours, minutes, seconds
    Int16 Interval = 0;
    Int16 DOut = 0;
    Int16 Copy = 0;
    std::string FileName;
    Int16 SaveNormal = 0;
    Int16 SaveWh = 0;
    Int16 SaveHrm = 0;
    Int16 SaveWave = 0;
    Int16 SaveInstant = 0;
    Int16 SaveAve = 0;
    Int16 SaveMax = 0;
    Int16 SaveMin = 0;
    std::array<Int16, 4> SaveHrmLoad{};
    std::array<Int16, 8> SaveHrmCh{};    // U1, U2, U3, P, I1, I2, I3, I4
    std::array<Int16, 5> SaveHrmItem{};  // Level, Content, PA, Total, THD
    Int16 SaveHrmOrdSel = 0;
    std::array<Int16, 50> SaveHrmOrder{};  // element k is harmonic order k + 1
    Int16 Rs232Connect = 0;
    Int16 Rs232Baud = 0;
    Int16 Rs232DataLen = 0;
    Int16 Rs232Parity = 0;
    Int16 Rs232StopBit = 0;
    Int16 Rs232Flow = 0;
    Int16 Detect = 0;
    Int16 StdVolt = 0;
    Int16 Swell = 0;
    Int16 Dip = 0;
    Int16 Interruption = 0;
    Int16 Hysteresis = 0;
    Int16 Language = 0;
    Int16 Beep = 0;
    Int16 BackLight = 0;
    Int16 Contrast = 0;
    Int16 Id = 0;
    std::array<Int16, 3> SysDate{};  // year, month, day
    std::array<Int16, 3> SysTime{};  // hour, minute, second
    std::array<Int16, 4> DaKind{};
    std::array<Int16, 4> DaItem{};
    std::array<Int16, 4> DaOrder{};
    std::array<Int16, 4> DaMag{};
    std::array<Int16, 4> DaRate{};
    std::array<Int16, 2> AdRange{};

    // The PC-side preferences, which no meter command, setting file or check touches.
    PcSettings Pc;

    bool operator==(const SettingRecord&) const = default;
};

}  // namespace voltaro
