#include "app/ui/QtMessages.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

namespace voltaro {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Stop: return QMessageBox::Critical;
        case MessageIcon::Exclamation: return QMessageBox::Warning;
        case MessageIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtMessages::notify(MessageIcon icon, const std::string& title, const std::string& text) {
    QCoreApplication* application = QCoreApplication::instance();
    if (QThread::currentThread() != application->thread()) {
        // Widgets live on the window thread; the worker waits here until the box is closed.
        QMetaObject::invokeMethod(
            application, [&] { notify(icon, title, text); }, Qt::BlockingQueuedConnection);
        return;
    }
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr) owner = QApplication::activeWindow();
    QMessageBox box(boxIcon(icon), QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok,
                    owner);
    box.exec();
}

}  // namespace voltaro
