#include "app/ui/QtMessages.h"

#include <QApplication>
#include <QMessageBox>

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
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr) owner = QApplication::activeWindow();
    QMessageBox box(boxIcon(icon), QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok,
                    owner);
    box.exec();
}

}  // namespace voltaro
