#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <string>

class QPainter;

namespace canvas {

enum class PictureFormat { Png, Svg, Pdf };

// The format a file name asks for by its extension (.png, .svg, .pdf, any
// case); none for another or no extension.
[[nodiscard]] std::optional<PictureFormat> PictureFormatOf(const QString& path);

// A picture of `size` logical pixels, as anything that can be saved offers
// it: an image at a whole multiple of its pixels (PNG) and a painting onto
// any painter in logical pixels (SVG, PDF, print).
struct PictureSource {
  QSize size;
  QString title;
  std::function<QImage(int scale)> image;
  std::function<void(QPainter&)> paint;
};

// Writes the picture to `path` in the format of its extension: PNG at
// `scale` times its pixels, SVG and PDF as vectors, the PDF page the
// picture's size (a pixel is 1/96 inch). Whole or not at all. Returns an
// error message, empty on success.
[[nodiscard]] std::string WritePictureFile(const QString& path, const PictureSource& picture, int scale = 1);

}  // namespace canvas
