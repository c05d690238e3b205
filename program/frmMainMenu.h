#pragma once

#include <QMainWindow>

#include "app/AppContext.h"
#include "app/ui/DesktopDocument.h"
#include "app/ui/Manual.h"
#include "link/MonotonicClock.h"
#include "link/SerialPort.h"

class QLabel;

namespace voltaro {

class IndexedToolBar;

// The main window: the toolbar that opens the tool windows, the manual, or ends the program.
class frmMainMenu : public QMainWindow {
    Q_OBJECT

public:
    enum ToolbarButton { Setup = 1, FileTransfer = 3, FileConv = 5, FileDivide = 7, Help = 9, Exit = 11 };

    // The windows that talk to the meter make their lines with `makeSerialPort` and count
    // their time-outs on `linkClock`. Every window shows the manual with `showManual`; the
    // file transfer window opens its workbooks with `openWorkbook`.
    frmMainMenu(AppContext& ctx, SerialPortMaker makeSerialPort, const MonotonicClock& linkClock,
                ManualViewer showManual = ShowManual, DocumentOpener openWorkbook = OpenWithDesktop,
                QWidget* parent = nullptr);

    // Fills the window, shows it and greets the user with the start-up hint. Its boxes, and
    // the boxes of no window in particular, carry the program's name.
    void start();

    IndexedToolBar* Toolbar1() const { return toolbar_; }
    QLabel* lblAbout() const { return about_; }

public slots:
    void onToolbarButton(int index);

private:
    AppContext& ctx_;
    SerialPortMaker makeSerialPort_;
    const MonotonicClock& linkClock_;
    ManualViewer showManual_;
    DocumentOpener openWorkbook_;
    IndexedToolBar* toolbar_ = nullptr;
    QLabel* about_ = nullptr;
};

}  // namespace voltaro
