#include "app/ui/frmMainMenu.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QStyle>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "VoltaroVersion.h"
#include "app/AppPath.h"
#include "app/ErrorReporting.h"
#include "app/ui/IndexedToolBar.h"

namespace voltaro {

namespace {

constexpr int kProductName = 101;
constexpr int kFirstButtonCaption = 102;
constexpr int kAboutVersion = 108;
constexpr int kHelpFileName = 1001;
constexpr int kStartupHint = 1002;

QString catalogueText(const AppContext& ctx, int id) { return QString::fromStdString(ctx.catalogue.text(id)); }

bool openWithDesktop(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

}  // namespace

frmMainMenu::frmMainMenu(AppContext& ctx, DocumentOpener openDocument, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), openDocument_(openDocument ? std::move(openDocument) : openWithDesktop) {
    QStyle* look = style();
    toolbar_ = new IndexedToolBar(
        {
            {Setup, {}, look->standardIcon(QStyle::SP_FileDialogDetailedView)},
            {FileTransfer, {}, look->standardIcon(QStyle::SP_ArrowDown)},
            {FileConv, {}, look->standardIcon(QStyle::SP_FileDialogContentsView)},
            {FileDivide, {}, look->standardIcon(QStyle::SP_FileDialogListView)},
            {Help, {}, look->standardIcon(QStyle::SP_DialogHelpButton)},
            {Exit, {}, look->standardIcon(QStyle::SP_DialogCloseButton)},
        },
        this);
    toolbar_->setObjectName("Toolbar1");
    addToolBar(toolbar_);
    // The tool windows arrive one by one; until a window exists its button is visibly unavailable.
    for (int index : {Setup, FileTransfer, FileConv, FileDivide}) toolbar_->button(index)->setEnabled(false);
    connect(toolbar_, &IndexedToolBar::buttonClicked, this, &frmMainMenu::onToolbarButton);

    about_ = new QLabel(this);
    about_->setObjectName("lblAbout");
    about_->setAlignment(Qt::AlignCenter);
    setCentralWidget(about_);
}

void frmMainMenu::start() {
    ctx_.AppPath = GetAppPath();
    setWindowTitle(catalogueText(ctx_, kProductName));
    for (int index = Setup; index <= Exit; index += 2)
        toolbar_->button(index)->setText(catalogueText(ctx_, kFirstButtonCaption + index / 2));
    about_->setText("\n" + catalogueText(ctx_, kAboutVersion) + QString::fromLatin1(kVersionText) + "\n\n");
    show();
    ctx_.messages.notify(MessageIcon::Information, windowTitle().toStdString(), ctx_.catalogue.text(kStartupHint));
}

QString frmMainMenu::manualPath() const {
    std::filesystem::path name = ctx_.catalogue.text(kHelpFileName);
    name.replace_extension(".html");
    return QString::fromStdString(ctx_.AppPath + name.string());
}

void frmMainMenu::onToolbarButton(int index) {
    switch (index) {
        case Help:
            openManual();
            break;
        case Exit:
            close();
            QApplication::quit();
            break;
        default:
            break;
    }
}

void frmMainMenu::openManual() {
    const QString path = manualPath();
    if (!QFileInfo::exists(path)) {
        ReportSystemError(ctx_, path.toStdString() + ": " + std::strerror(ENOENT));
        return;
    }
    if (!openDocument_(path)) ReportSystemError(ctx_, path.toStdString() + ": no application could open it");
}

}  // namespace voltaro
