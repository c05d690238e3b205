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
        case MessageIcon::None: return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

// Widgets live on the window thread; a worker hands the box over and waits for the answer.
template <typename Show>
auto onWindowThread(Show show) {
    QCoreApplication* application = QCoreApplication::instance();
    if (QThread::currentThread() == application->thread()) return show();
    decltype(show()) answer{};
    QMetaObject::invokeMethod(
        application, [&] { answer = show(); }, Qt::BlockingQueuedConnection);
    return answer;
}

QWidget* boxOwner() {
    QWidget* owner = QApplication::activeModalWidget();
    return owner != nullptr ? owner : QApplication::activeWindow();
}

}  // namespace

void QtMessages::notify(MessageIcon icon, const std::string& title, const std::string& text) {
    onWindowThread([&] {
        QMessageBox box(boxIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                        QMessageBox::Ok, boxOwner());
        return box.exec();
    });
}

bool QtMessages::askOkCancel(const std::string& title, const std::string& text) {
    return onWindowThread([&] {
        QMessageBox box(QMessageBox::Question, QString::fromStdString(title), QString::fromStdString(text),
                        QMessageBox::Ok | QMessageBox::Cancel, boxOwner());
        return box.exec() == QMessageBox::Ok;
    });
}

Answer QtMessages::askYesNoCancel(const std::string& title, const std::string& text) {
    return onWindowThread([&] {
        QMessageBox box(QMessageBox::Warning, QString::fromStdString(title), QString::fromStdString(text),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, boxOwner());
        switch (box.exec()) {
            case QMessageBox::Yes: return Answer::Yes;
            case QMessageBox::No: return Answer::No;
            default: return Answer::Cancel;
        }
    });
}

}  // namespace voltaro
