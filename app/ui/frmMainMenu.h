#pragma once

#include <QMainWindow>
#include <functional>

#include "app/AppContext.h"

class QLabel;

namespace voltaro {

class IndexedToolBar;

// The main window: the toolbar that opens the tool windows, the manual, or ends the program.
class frmMainMenu : public QMainWindow {
    Q_OBJECT

public:
    // Opens a local file with the desktop's default application; false when it could not.
    using DocumentOpener = std::function<bool(const QString& path)>;

    enum ToolbarButton { Setup = 1, FileTransfer = 3, FileConv = 5, FileDivide = 7, Help = 9, Exit = 11 };

    explicit frmMainMenu(AppContext& ctx, DocumentOpener openDocument = {}, QWidget* parent = nullptr);

    // Fills the window, shows it and greets the user with the start-up hint.
    void start();

    IndexedToolBar* Toolbar1() const { return toolbar_; }
    QLabel* lblAbout() const { return about_; }

    // The manual's path: the help file named in the catalogue, as HTML, in the application folder.
    QString manualPath() const;

public slots:
    void onToolbarButton(int index);

private:
    void openManual();

    AppContext& ctx_;
    DocumentOpener openDocument_;
    IndexedToolBar* toolbar_ = nullptr;
    QLabel* about_ = nullptr;
};

}  // namespace voltaro
