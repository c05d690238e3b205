#include "link/ui/frmComSetting.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "app/ui/BackgroundRun.h"
#include "app/ui/PlainButton.h"
#include "app/ui/frmComProgress.h"

namespace voltaro {

namespace {

constexpr int kCaption = 301;
constexpr int kOkButton = 330;
constexpr int kCancelButton = 331;
constexpr int kFindMeterButton = 337;
constexpr int kFoundMetersLabel = 338;
constexpr int kSearchingMessage = 339;

// The port field shows a stable name under /dev/serial/by-id whole, an FTDI adapter's for one.
constexpr int kPortFieldCharacters = 56;
constexpr int kFoundMetersRows = 4;

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

QString qtext(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

frmComSetting::frmComSetting(AppContext& ctx, PortLister listPorts, QWidget* parent)
    : frmComSetting(ctx, std::move(listPorts), SerialScanLines(), parent) {}

frmComSetting::frmComSetting(AppContext& ctx, PortLister listPorts, ScanLines scanLines, QWidget* parent)
    : QDialog(parent), ctx_(ctx), listPorts_(std::move(listPorts)), scanLines_(std::move(scanLines)) {
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
    fillPortList(listPorts_());

    found_ = new QListWidget(Frame1);
    found_->setObjectName("lstFoundMeters");
    found_->setFixedHeight(found_->fontMetrics().lineSpacing() * kFoundMetersRows + 2 * found_->frameWidth() + 4);
    auto* lblFoundMeters = new QLabel(text(kFoundMetersLabel), Frame1);
    lblFoundMeters->setObjectName("lblFoundMeters");
    lblFoundMeters->setBuddy(found_);
    const int foundRow = static_cast<int>(lists_.size());
    grid->addWidget(lblFoundMeters, foundRow, 0, Qt::AlignTop);
    grid->addWidget(found_, foundRow, 1);
    connect(found_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item != nullptr) showPort(item->data(Qt::UserRole).toString().toStdString());
    });

    auto* btnOK = new QPushButton(text(kOkButton), this);
    btnOK->setObjectName("btnOK");
    btnOK->setDefault(true);
    auto* btnCancel = new QPushButton(text(kCancelButton), this);
    btnCancel->setObjectName("btnCancel");
    QPushButton* btnFindMeter = NewPlainButton("btnFindMeter", text(kFindMeterButton), this);
    connect(btnOK, &QPushButton::clicked, this, [this] {
        store();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnFindMeter, &QPushButton::clicked, this, &frmComSetting::findMeter);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addStretch();
    buttons->addWidget(btnFindMeter);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);

    select();
}

QString frmComSetting::text(int id) const { return qtext(ctx_.catalogue.text(id)); }

void frmComSetting::fillPortList(const std::vector<ReportedPort>& ports) {
    QComboBox* list = lists_[kPortList];
    // A typed device path is used as it is, and Enter must not add it to the list.
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setMinimumContentsLength(kPortFieldCharacters);
    // A device that a COMn entry stands for is offered once, as that entry. The others are
    // listed by what they are and stored as their device.
    for (const ReportedPort& port : ports)
        if (!behindComEntry(port.device)) list->addItem(qtext(ReadablePortName(port)), qtext(port.device));
}

// Shows `device` in the port field: as its entry when the list has one, else as typed text.
void frmComSetting::showPort(const std::string& device) {
    QComboBox* ports = lists_[kPortList];
    const int listed = ports->findData(qtext(device));
    if (listed >= 0) {
        ports->setCurrentIndex(listed);
        ports->setEditText(ports->itemText(listed));
    } else {
        ports->setEditText(qtext(device));
    }
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
    if (!pc.PcPortName.empty()) showPort(pc.PcPortName);
}

CommPortSetting frmComSetting::chosenLine() const {
    CommPortSetting chosen = ctx_.CurrentSetting.Pc.CommPort;
    for (std::size_t i = 0; i < kLists.size(); ++i)
        if (i != kPortList)
            chosen.*kLists[i].field = static_cast<std::int16_t>(kLists[i].firstValue + lists_[i]->currentIndex());
    return chosen;
}

void frmComSetting::findMeter() {
    // The speed and format on show, whether or not they will be kept.
    PcSettings pc = ctx_.CurrentSetting.Pc;
    pc.CommPort = chosenLine();
    const std::vector<std::string> devices = DevicesOf(listPorts_());
    std::vector<FoundMeter> meters;
    frmComProgress progress(ctx_, text(kSearchingMessage), this);
    RunInBackground(progress, [&] { meters = FindMeters(ctx_, pc, devices, scanLines_); });

    found_->clear();
    for (const FoundMeter& meter : meters) {
        auto* entry = new QListWidgetItem(qtext(FoundMeterLine(meter)), found_);
        entry->setData(Qt::UserRole, qtext(meter.device));
    }
    // The first one goes into the port field at once; picking another takes that one.
    if (!meters.empty()) found_->setCurrentRow(0);
}

void frmComSetting::store() {
    CommPortSetting chosen = chosenLine();

    // A COMn entry picks its port number, a reported port's entry its device, any other text
    // names a device; an empty box leaves the port number as it was.
    const ChoiceList& portChoices = kLists[kPortList];
    const QComboBox* ports = lists_[kPortList];
    const QString typed = ports->currentText().trimmed();
    const int entry = ports->findText(typed, Qt::MatchFixedString);
    std::string device;
    if (entry >= 0 && entry < portChoices.entries)
        chosen.PcComPort = static_cast<std::int16_t>(portChoices.firstValue + entry);
    else if (entry >= 0)
        device = ports->itemData(entry).toString().toStdString();
    else
        device = typed.toStdString();

    ctx_.CurrentSetting.Pc.CommPort = chosen;
    ctx_.CurrentSetting.Pc.PcPortName = device;
}

}  // namespace voltaro
