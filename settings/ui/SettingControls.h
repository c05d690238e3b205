#pragma once

#include <array>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTimeEdit;

namespace voltaro {

// The settings window's controls, by the names the window's pages give them. The pages
// own the widgets; this only points at them, so that showing, collecting and the
// handlers reach a control by its name rather than by searching the window.
struct SettingControls {
    static constexpr int kCurrentChannels = 4;
    static constexpr int kAnalogOutputs = 4;
    static constexpr int kAnalogInputs = 2;
    static constexpr int kHarmonicOrders = 50;

    QTabWidget* tabSetting = nullptr;

    // General 1/2
    QComboBox* cmbWiring = nullptr;
    QLabel* lblLoad = nullptr;
    QComboBox* cmbLoad = nullptr;
    QLabel* lbl1PConnect = nullptr;
    QComboBox* cmb1PConnect = nullptr;
    QComboBox* cmbURange = nullptr;
    QLineEdit* txtVt = nullptr;
    std::array<QLabel*, kCurrentChannels> lblSetLoad{};
    std::array<QComboBox*, kCurrentChannels> cmbARange{};
    std::array<QLineEdit*, kCurrentChannels> txtCt{};
    std::array<QComboBox*, kCurrentChannels> cmbClampType{};

    // General 2/2
    QComboBox* cmbVarMethod = nullptr;
    QComboBox* cmbSampling = nullptr;
    QComboBox* cmbFixClock = nullptr;
    QComboBox* cmbFrequency = nullptr;
    QComboBox* cmbFilter = nullptr;
    QComboBox* cmbAverage = nullptr;
    QComboBox* cmbTotalWh = nullptr;
    QLabel* lblTotalWhUnit = nullptr;
    QComboBox* cmbTotalWhUnit = nullptr;
    QComboBox* cmbIntervalWh = nullptr;
    QLabel* lblIntervalWhUnit = nullptr;
    QComboBox* cmbIntervalWhUnit = nullptr;
    QComboBox* cmbThd = nullptr;
    QComboBox* cmbHrmPA = nullptr;
    QComboBox* cmbGraphOrder = nullptr;

    // Save 1/2
    QComboBox* cmbStartMethod = nullptr;
    QLabel* lblStartDate = nullptr;
    QDateEdit* dtpStartDate = nullptr;
    QTimeEdit* dtpStartTime = nullptr;
    QComboBox* cmbEndMethod = nullptr;
    QLabel* lblEndDate = nullptr;
    QDateEdit* dtpEndDate = nullptr;
    QTimeEdit* dtpEndTime = nullptr;
    QLabel* lblEndTimer = nullptr;
    QLineEdit* txtHour = nullptr;
    QLabel* lblHour = nullptr;
    QLineEdit* txtMin = nullptr;
    QLabel* lblMin = nullptr;
    QLineEdit* txtSec = nullptr;
    QLabel* lblSec = nullptr;
    QComboBox* cmbInterval = nullptr;
    QComboBox* cmbDOut = nullptr;
    QComboBox* cmbCopy = nullptr;
    QLineEdit* txtFilename = nullptr;

    // Save 2/2: the saved items, each with the labels saying whether it is saved
    // automatically or on demand.
    QCheckBox* chkSaveWh = nullptr;
    QCheckBox* chkSaveWave = nullptr;
    QCheckBox* chkSaveNormal = nullptr;
    QCheckBox* chkSaveHrm = nullptr;
    QCheckBox* chkSaveInstant = nullptr;
    QCheckBox* chkSaveAve = nullptr;
    QCheckBox* chkSaveMax = nullptr;
    QCheckBox* chkSaveMin = nullptr;
    QLabel* lblWhAuto = nullptr;
    QLabel* lblWaveAuto = nullptr;
    QLabel* lblNormAuto = nullptr;
    QLabel* lblHrmAuto = nullptr;
    QLabel* lblInstAuto = nullptr;
    QLabel* lblAveAuto = nullptr;
    QLabel* lblMaxAuto = nullptr;
    QLabel* lblMinAuto = nullptr;

    // Harmonic
    QGroupBox* fraLoad = nullptr;
    QGroupBox* fraCH3P = nullptr;
    QGroupBox* fraCH1P = nullptr;
    QGroupBox* fraItem = nullptr;
    std::array<QCheckBox*, 4> chkSaveHrmLoad{};
    std::array<QCheckBox*, 8> chkSaveHrmCh{};
    std::array<QCheckBox*, 5> chkSaveHrmScott{};
    std::array<QCheckBox*, 5> chkSaveHrmItem{};
    QComboBox* cmbSaveHrmOrdSel = nullptr;
    std::array<QCheckBox*, kHarmonicOrders> chkSaveHrmOrder{};

    // Communication
    QComboBox* cmbConnect = nullptr;
    QLabel* lblConnectAuto = nullptr;
    QComboBox* cmbBaud = nullptr;
    QComboBox* cmbDataLen = nullptr;
    QComboBox* cmbParity = nullptr;
    QComboBox* cmbStopBit = nullptr;
    QComboBox* cmbFlow = nullptr;
    QLabel* lblCaution = nullptr;

    // Voltage quality
    QComboBox* cmbDetect = nullptr;
    QLabel* lblStdVolt = nullptr;
    QComboBox* cmbStdVolt = nullptr;
    QLabel* lblDetectValue = nullptr;
    QLabel* lblSwell = nullptr;
    QLineEdit* txtSwell = nullptr;
    QLabel* lblDip = nullptr;
    QLineEdit* txtDip = nullptr;
    QLabel* lblInterruption = nullptr;
    QLineEdit* txtInterruption = nullptr;
    QLabel* lblHysteresis = nullptr;
    QLineEdit* txtHysteresis = nullptr;
    std::array<QLabel*, 4> lblPercent{};

    // Hardware
    QComboBox* cmbLanguage = nullptr;
    QComboBox* cmbBeep = nullptr;
    QComboBox* cmbBackLight = nullptr;
    QComboBox* cmbContrast = nullptr;
    QLineEdit* txtID = nullptr;
    QLabel* lblSysDate = nullptr;
    QDateEdit* dtpSysDate = nullptr;
    QTimeEdit* dtpSysTime = nullptr;
    QCheckBox* chkPCTime = nullptr;

    // Analog I/O
    std::array<QComboBox*, kAnalogOutputs> cmbDaItem{};  // the measurement kind
    std::array<QComboBox*, kAnalogOutputs> cmbDaElem{};  // the item of that kind
    std::array<QComboBox*, kAnalogOutputs> cmbDaOrd{};
    std::array<QComboBox*, kAnalogOutputs> cmbDaMag{};
    std::array<QComboBox*, kAnalogOutputs> cmbDaRate{};
    std::array<QComboBox*, kAnalogInputs> cmbAdRange{};
};

}  // namespace voltaro
