#include "app/ui/frmProgress.h"

#include <QBuffer>
#include <QLabel>
#include <QMovie>

#include "app/InputFile.h"
#include "app/ProgramFiles.h"

namespace voltaro {

namespace {

constexpr int kCaption = 415;
constexpr std::size_t kLargestAnimationBytes = 16 << 20;

}  // namespace

frmProgress::frmProgress(const AppContext& ctx, Mode mode, const QString& message, QWidget* owner)
    : ProgressDialog(QString::fromStdString(ctx.catalogue.text(kCaption)), message, owner) {
    QLabel& Animation1 = picture();
    Animation1.setObjectName("Animation1");
    // The files are animated GIFs kept under .avi names; QMovie goes by their content,
    // not by the extension.
    // Read here, as every outside file is: a FIFO in its place must not hold the window up.
    const ProgramFile file =
        FindProgramFile(ctx.ExecutableDir, mode == DirectoryRead ? "findfile.avi" : "filecopy.avi");
    std::string bytes;
    std::string ignored;
    if (!file.found || !ReadSmallRegularFile(file.path, kLargestAnimationBytes, bytes, ignored)) return;
    auto* frames = new QBuffer(this);
    frames->setData(QByteArray::fromStdString(bytes));
    frames->open(QIODevice::ReadOnly);
    auto* movie = new QMovie(frames, QByteArray(), this);
    if (!movie->isValid()) {
        delete movie;
        delete frames;
        return;
    }
    Animation1.setMovie(movie);
    Animation1.show();
    movie->start();
    connect(this, &QDialog::finished, movie, &QMovie::stop);
}

}  // namespace voltaro
