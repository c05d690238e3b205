#pragma once

#include <string>

#include "app/SettingRecord.h"
#include "link/SerialPort.h"

namespace voltaro {

// The line text of the chosen settings, as the setup dialog's lists spell them:
// baud "," parity letter "," data bits "," stop bits ("9600,N,8,1").
std::string SettingsText(const CommPortSetting& port);

// The handshaking of a flow-control list entry. The list order and the codes differ:
// "XON/RS" (entry 2) is RTS with XON/XOFF (3), "CS/RS" (entry 3) is RTS alone (2).
int HandshakingCode(int flowIndex);

// Everything needed to open the line: the device chosen in the setup dialog (or the
// one behind COMn), the line settings and the input buffer.
SerialLineSettings LineSettings(const PcSettings& pc);

}  // namespace voltaro
