#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QtTest>
#include <memory>

#include "app/DefaultSettings.h"
#include "settings/ui/frmSetting.h"
#include "sim/InMemorySerialPort.h"
#include "support/FixedClock.h"
#include "support/ManualClock.h"
#include "support/RecordingMessages.h"
#include "support/TemporaryFolder.h"
#include "support/WindowControls.h"

namespace voltaro::test {

// A settings window over its own application folder, talking to a simulated meter in
// simulated time, with every box it shows recorded.
struct SettingWindowHarness {
    RecordingMessages messages;
    FixedClock wallClock{{2026, 12, 7, 9, 30, 0}};
    ManualClock linkClock;
    TemporaryFolder appFolder, card, memory;
    sim::MeterModel meter{sim::MeterFolders{card.path(), memory.path()}};
    AppContext ctx{messages, wallClock};
    std::unique_ptr<frmSetting> window;
    QString openedFile, savedFile;  // what the file dialogs answer
    QStringList documents;          // what Help handed to the desktop

    SettingWindowHarness() { qputenv("VOLTARO_APP_DIR", QByteArray::fromStdString(appFolder.path().string())); }

    // Loads and shows the window, as the main menu does.
    frmSetting& open() {
        SettingFileDialogs dialogs{
            [this](QWidget*, const QString&, const QString&, const QString&) { return openedFile; },
            [this](QWidget*, const QString&, const QString&, const QString&, const QString&) { return savedFile; }};
        window = std::make_unique<frmSetting>(
            ctx, [this] { return std::make_unique<sim::InMemorySerialPort>(meter, linkClock); }, linkClock,
            [this](const QString& path) {
                documents << path;
                return true;
            },
            dialogs);
        window->show();
        QApplication::setActiveWindow(window.get());
        return *window;
    }

    template <typename Control>
    Control* the(const char* name) const {
        return control<Control>(*window, name);
    }
    template <typename Control>
    Control* the(const QString& name) const {
        return control<Control>(*window, name.toLatin1().constData());
    }

    // Types `text` into a box and moves the focus on, as Tab would.
    void type(const char* box, const QString& text) {
        auto* edit = the<QLineEdit>(box);
        edit->setFocus(Qt::TabFocusReason);
        edit->setText(text);
        finishTyping(edit, Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }

    SettingRecord factory() const { return FactorySettings(wallClock.now(), ctx.AppPath, 1); }
};

}  // namespace voltaro::test
