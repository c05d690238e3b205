#include "link/ui/frmComSetting.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "link/PortNames.h"

namespace voltaro {

namespace {

constexpr int kCaption = 301;
constexpr int kOkButton = 330;
constexpr int kCancelButton = 331;

// One list: its label, the texts of its entries (consecutive ids) and the field it
// sets. Entry k stores firstValue + k.
struct ChoiceList {
    const char* name;
    const char* labelName;
    int labelText;
    int firstEntryText;
    int entries;
    std::int16_t CommPortSetting::*field;
    int firstValue;
};

constexpr std::size_t kPortList = 0;
constexpr std::array<ChoiceList, 6> kLists{{
    {"cmbComPort", "lblComPort", 302, 303, kLastComPort - kFirstComPort + 1, &CommPortSetting::PcComPort,
     kFirstComPort},
    {"cmbBaudRate", "lblBaudRate", 313, 314, 6, &CommPortSetting::PcBaud, 0},
    {"cmbDataLength", "lblDataLength", 320, 321, 2, &CommPortSetting::PcDataBits, 7},
    {"cmbParity", "lblParity", 323, 324, 3, &CommPortSetting::PcParity, 0},
    {"cmbStopBit", "lblStopBit", 327, 328, 2, &CommPortSetting::PcStopBits, 1},
    {"cmbFlow", "lblFlow", 332, 333, 4, &CommPortSetting::PcFlow, 0},
}};

bool behindComEntry(const std::string& device) {
    for (int n = kFirstComPort; n <= kLastComPort; ++n)
        if (device == DeviceForComPort(n)) return true;
    return false;
}

}  // namespace

frmComSetting::frmComSetting(AppContext& ctx, PortLister listPorts, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("frmComSetting");
    setWindowTitle(text(kCaption));

    auto* Frame1 = new QGroupBox(this);
    Frame1->setObjectName("Frame1");
    auto* grid = new QGridLayout(Frame1);
    for (const ChoiceList& choices : kLists) {
        auto* list = new QComboBox(Frame1);
        list->setObjectName(choices.name);
        for (int entry = 0; entry < choices.entries; ++entry) list->addItem(text(choices.firstEntryText + entry));
        auto* label = new QLabel(text(choices.labelText), Frame1);
        label->setObjectName(choices.labelName);
        label->setBuddy(list);
        const int row = static_cast<int>(lists_.size());
        grid->addWidget(label, row, 0);
        grid->addWidget(list, row, 1);
        lists_.push_back(list);
    }
    fillPortList(listPorts());

    auto* btnOK = new QPushButton(text(kOkButton), this);
    btnOK->setObjectName("btnOK");
    btnOK->setDefault(true);
    auto* btnCancel = new QPushButton(text(kCancelButton), this);
    btnCancel->setObjectName("btnCancel");
    connect(btnOK, &QPushButton::clicked, this, [this] {
        store();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);

    select();
}

QString frmComSetting::text(int id) const { return QString::fromStdString(ctx_.catalogue.text(id)); }

void frmComSetting::fillPortList(const std::vector<std::string>& devices) {
    QComboBox* ports = lists_[kPortList];
    // A typed device path is used as it is, and Enter must not add it to the list.
    ports->setEditable(true);
    ports->setInsertPolicy(QComboBox::NoInsert);
    // A device that a COMn entry stands for is offered once, as that entry.
    for (const std::string& device : devices)
        if (!behindComEntry(device)) ports->addItem(QString::fromStdString(device));
}

void frmComSetting::select() {
    const PcSettings& pc = ctx_.CurrentSetting.Pc;
    for (std::size_t i = 0; i < kLists.size(); ++i) {
        const ChoiceList& choices = kLists[i];
        // The Parameter file hands over checked values; the clamp only keeps a list
        // from showing no entry at all.
        const int entry = pc.CommPort.*choices.field - choices.firstValue;
        lists_[i]->setCurrentIndex(std::clamp(entry, 0, choices.entries - 1));
    }
    if (pc.PcPortName.empty()) return;
    QComboBox* ports = lists_[kPortList];
    const QString device = QString::fromStdString(pc.PcPortName);
    const int listed = ports->findText(device);
    if (listed >= 0)
        ports->setCurrentIndex(listed);
    else
        ports->setEditText(device);
}

void frmComSetting::store() {
    CommPortSetting chosen = ctx_.CurrentSetting.Pc.CommPort;
    for (std::size_t i = 0; i < kLists.size(); ++i)
        if (i != kPortList)
            chosen.*kLists[i].field = static_cast<std::int16_t>(kLists[i].firstValue + lists_[i]->currentIndex());

    // A COMn entry picks its port number; any other text names a device, and an empty
    // box leaves the port number as it was.
    const ChoiceList& portChoices = kLists[kPortList];
    const QString typed = lists_[kPortList]->currentText().trimmed();
    const int entry = lists_[kPortList]->findText(typed, Qt::MatchFixedString);
    std::string device;
    if (entry >= 0 && entry < portChoices.entries)
        chosen.PcComPort = static_cast<std::int16_t>(portChoices.firstValue + entry);
    else
        device = typed.toStdString();

    ctx_.CurrentSetting.Pc.CommPort = chosen;
    ctx_.CurrentSetting.Pc.PcPortName = device;
}

}  // namespace voltaro
