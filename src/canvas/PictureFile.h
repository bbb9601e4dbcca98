#pragma once

#include <QByteArray>
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
  QString description;  // a PNG's and an SVG's description (the lens when not the standard one); may be empty
  std::function<QImage(int scale)> image;
  std::function<void(QPainter&)> paint;
};

// The most pixels a PNG is made with: 16384 x 16384, 1 GiB at 4 bytes a pixel.
inline constexpr qint64 kMaxPicturePixels = qint64{16384} * 16384;

// Why a PNG of `size` logical pixels at `scale` cannot be made (more than
// kMaxPicturePixels); empty when it can.
[[nodiscard]] QString PictureTooLarge(QSize size, int scale);

// The bytes of the picture as a file in the format of `path`'s extension: PNG
// at `scale` times its pixels, SVG and PDF as vectors, the PDF page the
// picture's size (a pixel is 1/96 inch). Nothing is written to disk. Returns
// an error message, empty on success.
[[nodiscard]] std::string EncodePicture(const QString& path, const PictureSource& picture, int scale,
                                        QByteArray& bytes);

// The same, written to `path` whole or not at all (WriteWholeFile). Returns an
// error message, empty on success.
[[nodiscard]] std::string WritePictureFile(const QString& path, const PictureSource& picture, int scale = 1);

}  // namespace canvas
