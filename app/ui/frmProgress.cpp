#include "app/ui/frmProgress.h"

#include <QLabel>
#include <QMovie>

namespace voltaro {

namespace {

constexpr int kCaption = 415;

}  // namespace

frmProgress::frmProgress(const AppContext& ctx, Mode mode, const QString& message, QWidget* owner)
    : ProgressDialog(QString::fromStdString(ctx.catalogue.text(kCaption)), message, owner) {
    QLabel& Animation1 = picture();
    Animation1.setObjectName("Animation1");
    // The files are animated GIFs kept under .avi names; QMovie goes by their content,
    // not by the extension.
    const std::string file = ctx.AppPath + (mode == DirectoryRead ? "findfile.avi" : "filecopy.avi");
    auto* movie = new QMovie(QString::fromStdString(file), QByteArray(), this);
    if (!movie->isValid()) {
        delete movie;
        return;
    }
    Animation1.setMovie(movie);
    Animation1.show();
    movie->start();
    connect(this, &QDialog::finished, movie, &QMovie::stop);
}

}  // namespace voltaro
