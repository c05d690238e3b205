#include "plot/qt/PlotPictureFile.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cctype>
#include <cstdio>

#include "app/AtomicFile.h"

namespace voltaro {

namespace {

bool endsWithInAnyCase(std::string_view text, std::string_view ending) {
    if (text.size() < ending.size()) return false;
    const std::string_view tail = text.substr(text.size() - ending.size());
    for (std::size_t k = 0; k < ending.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(tail[k])) != ending[k]) return false;
    return true;
}

QByteArray drawnPicture(const PlotPicture& picture, QSize size, PictureFormat format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QRect bounds(QPoint(0, 0), size);
    if (format == PictureFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(bounds);
        svg.setTitle(picture.title);
        QPainter painter(&svg);
        DrawPlot(painter, bounds, picture);
        return bytes;
    }
    QImage image(size, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        DrawPlot(painter, bounds, picture);
    }
    image.save(&buffer, "PNG");
    return bytes;
}

}  // namespace

std::optional<PictureFormat> PictureFormatOf(std::string_view path) {
    if (endsWithInAnyCase(path, ".png")) return PictureFormat::Png;
    if (endsWithInAnyCase(path, ".svg")) return PictureFormat::Svg;
    return std::nullopt;
}

bool WritePlotPicture(const PlotPicture& picture, QSize size, PictureFormat format, const std::string& path,
                      std::string& error) {
    const QByteArray bytes = drawnPicture(picture, size, format);
    return WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                               error);
}

OffscreenDrawing::OffscreenDrawing() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "voltaro";
    static char* argv[] = {name, nullptr};
    previousHandler_ = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<QGuiApplication>(argc, argv);
}

OffscreenDrawing::~OffscreenDrawing() {
    if (!application_) return;
    application_.reset();
    qInstallMessageHandler(previousHandler_);
}

}  // namespace voltaro
