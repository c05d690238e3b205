#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "link/MeterScan.h"
#include "link/PortNames.h"
#include "link/qt/QtSerialPort.h"

class QComboBox;
class QListWidget;

namespace voltaro {

// The communication setup dialog: the six serial-port choices of CurrentSetting, each a
// list. The port list offers COM1..COM10 and the serial ports the system reports, these by a
// readable name, and takes a typed device path. "Find meter" asks the reported ports for a
// ZR915 at the speed and format chosen in the dialog and lists the meters that answered; the
// one picked there goes into the port field. OK stores all six at once (a reported port or a
// found meter as its device); Cancel stores nothing.
class frmComSetting : public QDialog {
    Q_OBJECT

public:
    // The ports offered besides COM1..COM10, and asked by Find meter.
    using PortLister = std::function<std::vector<ReportedPort>()>;

    explicit frmComSetting(AppContext& ctx, PortLister listPorts = SystemSerialPorts, QWidget* parent = nullptr);
    // With the lines Find meter asks the ports over.
    frmComSetting(AppContext& ctx, PortLister listPorts, ScanLines scanLines, QWidget* parent = nullptr);

private:
    QString text(int id) const;
    void fillPortList(const std::vector<ReportedPort>& ports);
    void showPort(const std::string& device);
    CommPortSetting chosenLine() const;
    void findMeter();
    void select();
    void store();

    AppContext& ctx_;
    PortLister listPorts_;
    ScanLines scanLines_;
    std::vector<QComboBox*> lists_;  // in the order of the fields
    QListWidget* found_ = nullptr;
};

}  // namespace voltaro
