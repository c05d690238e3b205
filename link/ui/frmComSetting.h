#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "link/qt/QtSerialPort.h"

class QComboBox;

namespace voltaro {

// The communication setup dialog: the six serial-port choices of CurrentSetting, each a
// list. The port list offers COM1..COM10, the serial devices the system reports, and
// takes a typed device path. OK stores all six at once; Cancel stores nothing.
class frmComSetting : public QDialog {
    Q_OBJECT

public:
    // The devices offered besides COM1..COM10.
    using PortLister = std::function<std::vector<std::string>()>;

    explicit frmComSetting(AppContext& ctx, PortLister listPorts = SystemSerialPorts, QWidget* parent = nullptr);

private:
    QString text(int id) const;
    void fillPortList(const std::vector<std::string>& devices);
    void select();
    void store();

    AppContext& ctx_;
    std::vector<QComboBox*> lists_;  // in the order of the fields
};

}  // namespace voltaro
