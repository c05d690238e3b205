#include "link/CommPortSettings.h"

#include <array>

#include "link/PortNames.h"

namespace voltaro {

namespace {

constexpr std::array<int, 6> kBaudRates{1200, 2400, 4800, 9600, 19200, 38400};
constexpr std::array<char, 3> kParityLetters{'O', 'E', 'N'};
constexpr std::array<int, 4> kHandshaking{0, 1, 3, 2};
constexpr std::size_t kInputBufferBytes = 4096;

template <typename T, std::size_t N>
T entryOr(const std::array<T, N>& table, int index, T fallback) {
    return index >= 0 && index < static_cast<int>(N) ? table[static_cast<std::size_t>(index)] : fallback;
}

}  // namespace

int HandshakingCode(int flowIndex) { return entryOr(kHandshaking, flowIndex, 0); }

std::string SettingsText(const CommPortSetting& port) {
    return std::to_string(entryOr(kBaudRates, port.PcBaud, 9600)) + ',' +
           entryOr(kParityLetters, port.PcParity, 'N') + ',' + std::to_string(port.PcDataBits) + ',' +
           std::to_string(port.PcStopBits);
}

SerialLineSettings LineSettings(const PcSettings& pc) {
    const CommPortSetting& port = pc.CommPort;
    SerialLineSettings line;
    line.device = pc.PcPortName.empty() ? DeviceForComPort(port.PcComPort) : pc.PcPortName;
    line.baud = entryOr(kBaudRates, port.PcBaud, 9600);
    line.parity = entryOr(kParityLetters, port.PcParity, 'N');
    line.dataBits = port.PcDataBits;
    line.stopBits = port.PcStopBits;
    line.handshaking = HandshakingCode(port.PcFlow);
    line.inputBufferBytes = kInputBufferBytes;
    return line;
}

}  // namespace voltaro
