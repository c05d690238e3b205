#pragma once

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <vector>

#include "app/DefaultSettings.h"
#include "app/ui/IndexedToolBar.h"
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
    std::vector<std::string> commands;  // every line the meter received
    AppContext ctx{messages, wallClock};
    std::unique_ptr<frmSetting> window;
    QString openedFile, savedFile;  // what the file dialogs answer
    struct DialogCall {
        QString caption, filter, start, suffix;
    };
    std::vector<DialogCall> dialogs;  // every file dialog the window asked for
    QStringList manualSections;       // what Help asked the manual for

    SettingWindowHarness() {
        qputenv("VOLTARO_APP_DIR", QByteArray::fromStdString(appFolder.path().string()));
        watchMeter();
    }

    // A meter that departs from a healthy one as `faults` say.
    void replaceMeter(const sim::MeterFaults& faults) {
        meter = sim::MeterModel(sim::MeterFolders{card.path(), memory.path()}, faults);
        watchMeter();
    }
    // Sets an item of the meter as the user would on its panel.
    void setOnMeter(const std::string& command) { meter.receive(command + "\r\n", linkClock.now()); }
    bool meterReceived(const std::string& line) const {
        return std::find(commands.begin(), commands.end(), line) != commands.end();
    }

    // Loads and shows the window, as the main menu does.
    frmSetting& open() {
        SettingFileDialogs fileDialogs{
            [this](QWidget*, const QString& caption, const QString& filter, const QString& start) {
                dialogs.push_back({caption, filter, start, {}});
                return openedFile;
            },
            [this](QWidget*, const QString& caption, const QString& filter, const QString& start,
                   const QString& suffix) {
                dialogs.push_back({caption, filter, start, suffix});
                return savedFile;
            }};
        window = std::make_unique<frmSetting>(
            ctx, [this] { return std::make_unique<sim::InMemorySerialPort>(meter, linkClock); }, linkClock,
            [this](AppContext&, QWidget*, std::string_view section) {
                manualSections << QString::fromUtf8(section.data(), qsizetype(section.size()));
            },
            fileDialogs);
        window->show();
        QApplication::setActiveWindow(window.get());
        return *window;
    }

    void watchMeter() {
        meter.setCommandObserver([this](std::string_view line) { commands.emplace_back(line); });
    }

    template <typename Control>
    Control* the(const char* name) const {
        return control<Control>(*window, name);
    }
    template <typename Control>
    Control* the(const QString& name) const {
        return control<Control>(*window, name.toLatin1().constData());
    }

    // Types `text` into a box and moves the focus on to the next control, as Tab does.
    void type(const char* box, const QString& text) {
        auto* edit = the<QLineEdit>(box);
        edit->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        edit->setText(text);
        edit->nextInFocusChain()->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }

    // The texts of the boxes shown, in order.
    QStringList texts() const {
        QStringList shown;
        for (const std::string& text : messages.texts()) shown << QString::fromStdString(text);
        return shown;
    }

    // Clicks a button of the window's toolbar.
    void click(frmSetting::ToolbarButton button) {
        control<IndexedToolBar>(*window, "Toolbar1")->button(button)->trigger();
    }

    SettingRecord factory() const { return FactorySettings(wallClock.now(), ctx.AppPath, 1); }
};

}  // namespace voltaro::test
