#pragma once

#include "app/SettingRecord.h"

namespace voltaro {

// Hands every stored field of the record to `visit`, in declaration order, as a
// reference: std::string&, std::int16_t&, std::int32_t&, float& or a std::array of
// those. This one list is the whole binary image; readers and writers are visitors.
template <typename Record, typename Visitor>
void ForEachStoredField(Record& r, Visitor&& visit) {
    visit(r.Version);
    visit(r.Wiring);
    visit(r.Load);
    visit(r.Connect1P);
    visit(r.URange);
    visit(r.ARange);
    visit(r.Vt);
    visit(r.Ct);
    visit(r.Clamp);
    visit(r.VarMethod);
    visit(r.Sampling);
    visit(r.FixClock);
    visit(r.Source);
    visit(r.Filter);
    visit(r.Average);
    visit(r.TotalWhDigit);
    visit(r.TotalWhUnit);
    visit(r.IntervalWhDigit);
    visit(r.IntervalWhUnit);
    visit(r.Thd);
    visit(r.HrmPA);
    visit(r.GraphOrder);
    visit(r.StartMethod);
    visit(r.StartTime);
    visit(r.StopMethod);
    visit(r.StopTime);
    visit(r.StopTimer);
    visit(r.Interval);
    visit(r.DOut);
    visit(r.Copy);
    visit(r.FileName);
    visit(r.SaveNormal);
    visit(r.SaveWh);
    visit(r.SaveHrm);
    visit(r.SaveWave);
    visit(r.SaveInstant);
    visit(r.SaveAve);
    visit(r.SaveMax);
    visit(r.SaveMin);
    visit(r.SaveHrmLoad);
    visit(r.SaveHrmCh);
    visit(r.SaveHrmItem);
    visit(r.SaveHrmOrdSel);
    visit(r.SaveHrmOrder);
    visit(r.Rs232Connect);
    visit(r.Rs232Baud);
    visit(r.Rs232DataLen);
    visit(r.Rs232Parity);
    visit(r.Rs232StopBit);
    visit(r.Rs232Flow);
    visit(r.Detect);
    visit(r.StdVolt);
    visit(r.Swell);
    visit(r.Dip);
    visit(r.Interruption);
    visit(r.Hysteresis);
    visit(r.Language);
    visit(r.Beep);
    visit(r.BackLight);
    visit(r.Contrast);
    visit(r.Id);
    visit(r.SysDate);
    visit(r.SysTime);
    visit(r.DaKind);
    visit(r.DaItem);
    visit(r.DaOrder);
    visit(r.DaMag);
    visit(r.DaRate);
    visit(r.AdRange);
    visit(r.Pc.CommPort.PcComPort);
    visit(r.Pc.CommPort.PcBaud);
    visit(r.Pc.CommPort.PcDataBits);
    visit(r.Pc.CommPort.PcParity);
    visit(r.Pc.CommPort.PcStopBits);
    visit(r.Pc.CommPort.PcFlow);
    visit(r.Pc.TransSaveData);
    visit(r.Pc.TransSavePath);
    visit(r.Pc.TransExcel);
    visit(r.Pc.TransMedia);
    visit(r.Pc.ConvInputPath);
    visit(r.Pc.ConvOutputPath);
    visit(r.Pc.DivideInputFile);
    visit(r.Pc.DivideOutputPath);
    visit(r.Pc.DivideMode);
    visit(r.Pc.DivideRows);
    visit(r.Pc.DivideCols);
    visit(r.Pc.PcPortName);
}

}  // namespace voltaro
