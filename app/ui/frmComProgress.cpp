#include "app/ui/frmComProgress.h"

#include <QLabel>
#include <QStyle>

namespace voltaro {

namespace {

constexpr int kCaption = 2012;
constexpr int kPictureSize = 32;

}  // namespace

frmComProgress::frmComProgress(const AppContext& ctx, const QString& message, QWidget* owner)
    : ProgressDialog(QString::fromStdString(ctx.catalogue.text(kCaption)), message, owner) {
    setObjectName("frmComProgress");
    QLabel& Image1 = picture();
    Image1.setObjectName("Image1");
    Image1.setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(kPictureSize));
    Image1.show();
}

}  // namespace voltaro
