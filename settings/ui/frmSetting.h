#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <optional>

#include "app/AppContext.h"
#include "app/ui/FileChooser.h"
#include "app/ui/Manual.h"
#include "link/Link.h"
#include "link/MonotonicClock.h"
#include "link/SerialPort.h"
#include "settings/ui/SettingControls.h"

namespace voltaro {

class AnalogOutputHandlers;
class HarmonicSaveHandlers;
class IndexedToolBar;
class ProgressDialog;
class SettingHandlers;
class SettingTextBoxes;

// The dialogs the settings window asks for a setting file with.
struct SettingFileDialogs {
    FileChooser open = ChooseExistingFile;
    SaveFileChooser save = ChooseFileToSave;
};

// The settings window: one complete meter setting, CurrentSetting, on nine pages, kept
// consistent while the user edits it; setting files are opened and saved, the meter's
// setting received and sent, the meter reset, from its toolbar. Closing it keeps a valid
// setting in CurrentSetting and the Parameter file; an invalid one keeps it open.
class frmSetting : public QDialog {
    Q_OBJECT

public:
    enum ToolbarButton { Open = 1, Save = 3, Receive = 5, Send = 7, ComSetup = 9, SystemReset = 11, Help = 13 };

    // Loads the window: reads the Parameter file and shows its setting. The line to the
    // meter is made anew, on the worker thread, for every exchange.
    frmSetting(AppContext& ctx, SerialPortMaker makeSerialPort, const MonotonicClock& linkClock,
               ManualViewer showManual = ShowManual, SettingFileDialogs fileDialogs = {},
               QWidget* parent = nullptr);
    ~frmSetting() override;

    const SettingControls& controls() const { return controls_; }

    // Puts a record into the controls, and reads the controls into one (see SettingView).
    void ShowSetting(const SettingRecord& record);
    void CollectSetting(SettingRecord& record) const;

    // The toolbar's actions.
    void OpenSettingFile();
    void SaveSettingFile();
    void ReceiveSetting();
    void SendSetting();
    void RunSystemReset();

public slots:
    // Closing takes the window's setting as CurrentSetting and writes the Parameter file,
    // when the whole-setting check passes; otherwise the window stays open.
    void done(int result) override;

private:
    QString text(int id) const;
    void buildControls();
    // The window's setting, collected into a copy of CurrentSetting once the box being typed
    // in has taken its text; nothing when that box refused it (the focus stays there).
    std::optional<SettingRecord> windowSetting();
    // Caption, the Parameter file, the setting shown.
    void Init();
    void onToolbarButton(int index);

    AppContext& ctx_;
    SerialPortMaker makeSerialPort_;
    const MonotonicClock& linkClock_;
    MessageTitleScope title_;
    ManualViewer showManual_;
    SettingFileDialogs fileDialogs_;
    QString settingFile_;  // the file last opened or saved, offered again

    SettingControls controls_;
    IndexedToolBar* toolbar_ = nullptr;
    SettingHandlers* handlers_ = nullptr;
    HarmonicSaveHandlers* harmonic_ = nullptr;
    AnalogOutputHandlers* analog_ = nullptr;
    SettingTextBoxes* textBoxes_ = nullptr;
};

}  // namespace voltaro
