#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>

#include "app/AppContext.h"
#include "app/ui/DesktopDocument.h"
#include "app/ui/FolderChooser.h"
#include "app/ui/Manual.h"
#include "link/Link.h"
#include "link/MonotonicClock.h"
#include "link/SerialPort.h"
#include "transfer/MeterDirectory.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace voltaro {

class MeterFileListView;
class frmProgress;

// The file transfer window: choose the meter's medium (PC card or internal memory), list
// its files, select some and copy them into a folder of this computer and/or a workbook
// in that folder, which opens when the run is done. Opening the window reads the directory
// of the medium used last time.
class frmFileTrans : public QDialog {
    Q_OBJECT

public:
    enum ToolbarButton { ComSetup = 1, Help = 3 };

    // Loads the window: reads the Parameter file and shows the saved choices. The line to
    // the meter is made anew, on the worker thread, for every exchange. `openWorkbook` opens
    // a finished workbook.
    frmFileTrans(AppContext& ctx, SerialPortMaker makeSerialPort, const MonotonicClock& linkClock,
                 ManualViewer showManual = ShowManual, DocumentOpener openWorkbook = OpenWithDesktop,
                 FolderChooser chooseFolder = ChooseExistingFolder, QWidget* parent = nullptr);

    // The folder's controls serve the copies and the workbook alike; a transfer needs a
    // target, a folder and a selected file.
    void EnabledProc();
    // Lists the files of the copy folder again.
    void RefreshFolderList();

public slots:
    // Closing the window, however it happens, keeps its choices in the Parameter file.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    // Caption and box title, the Parameter file, the saved choices, the copy folder's list.
    void Init();
    QString text(int id) const;
    MeterMedium selectedMedium() const;
    void announceAndReadDirectory();
    void readDirectory();
    void mediumSelected(MeterMedium medium);
    void transferFiles();
    // Enter keeps the folder as typed; leaving the box adds the trailing separator first.
    void savePathEntered(bool leavingTheBox);
    void browseFolder();
    void onToolbarButton(int index);

    AppContext& ctx_;
    SerialPortMaker makeSerialPort_;
    const MonotonicClock& linkClock_;
    MessageTitleScope title_;
    ManualViewer showManual_;
    DocumentOpener openWorkbook_;
    FolderChooser chooseFolder_;

    QRadioButton* optSelCard_ = nullptr;
    QRadioButton* optSelMemory_ = nullptr;
    QPushButton* btnNewInfo_ = nullptr;
    MeterFileListView* ListView1_ = nullptr;
    QPushButton* btnTransStart_ = nullptr;
    QCheckBox* chkSaveData_ = nullptr;
    QLineEdit* txtSavePath_ = nullptr;
    QPushButton* btnBrowse_ = nullptr;
    QListWidget* filOutputFile_ = nullptr;
    QCheckBox* chkTransExcel_ = nullptr;

    MeterMedium listedMedium_ = MeterMedium::Card;  // the medium whose files the list shows
    bool openingReadStarted_ = false;                // the directory is read once per opening
};

}  // namespace voltaro
