#include "program/frmMainMenu.h"

#include <QApplication>
#include <QLabel>
#include <QStyle>

#include "VoltaroVersion.h"
#include "app/AppPath.h"
#include "app/ManualSections.h"
#include "app/ui/FileChooser.h"
#include "app/ui/FolderChooser.h"
#include "app/ui/IndexedToolBar.h"
#include "convert/ui/frmFileConv.h"
#include "divide/ui/frmFileDivide.h"
#include "settings/ui/frmSetting.h"
#include "transfer/ui/frmFileTrans.h"

namespace voltaro {

namespace {

constexpr int kProductName = 101;
constexpr int kFirstButtonCaption = 102;
constexpr int kAboutVersion = 108;
constexpr int kStartupHint = 1002;

QString catalogueText(const AppContext& ctx, int id) { return QString::fromStdString(ctx.catalogue.text(id)); }

}  // namespace

frmMainMenu::frmMainMenu(AppContext& ctx, SerialPortMaker makeSerialPort, const MonotonicClock& linkClock,
                         ManualViewer showManual, DocumentOpener openWorkbook, QWidget* parent)
    : QMainWindow(parent),
      ctx_(ctx),
      makeSerialPort_(std::move(makeSerialPort)),
      linkClock_(linkClock),
      showManual_(std::move(showManual)),
      openWorkbook_(std::move(openWorkbook)) {
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
    connect(toolbar_, &IndexedToolBar::buttonClicked, this, &frmMainMenu::onToolbarButton);

    about_ = new QLabel(this);
    about_->setObjectName("lblAbout");
    about_->setAlignment(Qt::AlignCenter);
    setCentralWidget(about_);
}

void frmMainMenu::start() {
    ctx_.AppPath = GetAppPath();
    setWindowTitle(catalogueText(ctx_, kProductName));
    ctx_.MsgTitle = windowTitle().toStdString();
    for (int index = Setup; index <= Exit; index += 2)
        toolbar_->button(index)->setText(catalogueText(ctx_, kFirstButtonCaption + index / 2));
    about_->setText("\n" + catalogueText(ctx_, kAboutVersion) + QString::fromLatin1(kVersionText) + "\n\n");
    show();
    ctx_.messages.notify(MessageIcon::Information, ctx_.MsgTitle, ctx_.catalogue.text(kStartupHint));
}

void frmMainMenu::onToolbarButton(int index) {
    switch (index) {
        case Setup: {
            frmSetting window(ctx_, makeSerialPort_, linkClock_, showManual_, {}, this);
            window.exec();
            break;
        }
        case FileTransfer: {
            frmFileTrans window(ctx_, makeSerialPort_, linkClock_, showManual_, openWorkbook_, ChooseExistingFolder,
                                this);
            window.exec();
            break;
        }
        case FileConv: {
            frmFileConv window(ctx_, showManual_, ChooseExistingFolder, this);
            window.exec();
            break;
        }
        case FileDivide: {
            frmFileDivide window(ctx_, showManual_, ChooseExistingFolder, ChooseExistingFile, this);
            window.exec();
            break;
        }
        case Help:
            showManual_(ctx_, this, manual_section::Start);
            break;
        case Exit:
            close();
            QApplication::quit();
            break;
        default:
            break;
    }
}

}  // namespace voltaro
