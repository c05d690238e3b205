#pragma once

#include <QSize>
#include <QtGlobal>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "plot/qt/PlotPainter.h"

class QGuiApplication;

namespace voltaro {

enum class PictureFormat { Png, Svg };

// The format a picture file's name asks for: ".png" or ".svg", in any case.
std::optional<PictureFormat> PictureFormatOf(std::string_view path);

// Draws the picture at `size` pixels as a PNG or SVG file at `path`, written whole or not at all
// (WriteFileAtomically); false with the system's text in `error`.
bool WritePlotPicture(const PlotPicture& picture, QSize size, PictureFormat format, const std::string& path,
                      std::string& error);

// Text is drawn through a QGuiApplication, which a command does not have and which wants a
// display: while this lives, a program without an application runs one on the offscreen
// platform, which draws into pictures alone. Qt's own notes about its platform (a missing
// runtime folder, say) are kept off the error stream meanwhile, which carries the command's
// messages alone.
class OffscreenDrawing {
public:
    OffscreenDrawing();
    ~OffscreenDrawing();
    OffscreenDrawing(const OffscreenDrawing&) = delete;
    OffscreenDrawing& operator=(const OffscreenDrawing&) = delete;

private:
    std::unique_ptr<QGuiApplication> application_;
    QtMessageHandler previousHandler_ = nullptr;
};

}  // namespace voltaro
