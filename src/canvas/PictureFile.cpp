#include "canvas/PictureFile.h"

#include "canvas/OutputFiles.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace canvas {
namespace {

// Logical pixels are 1/96 inch, as on a screen at 100 %.
constexpr int kPixelsPerInch = 96;

std::string failed(const QString& path, const QString& why) {
  return "cannot write '" + path.toStdString() + "': " + why.toStdString();
}

bool paintOnto(QPaintDevice& device, const PictureSource& picture) {
  QPainter p;
  if (!p.begin(&device)) return false;
  picture.paint(p);
  return p.end();
}

bool writeSvg(const PictureSource& picture, QIODevice& file) {
  QSvgGenerator svg;
  svg.setOutputDevice(&file);
  svg.setSize(picture.size);
  svg.setViewBox(QRect(QPoint(0, 0), picture.size));
  svg.setResolution(kPixelsPerInch);
  svg.setTitle(picture.title);
  if (!picture.description.isEmpty()) svg.setDescription(picture.description);
  return paintOnto(svg, picture);
}

bool writePdf(const PictureSource& picture, QIODevice& file) {
  QPdfWriter pdf(&file);
  pdf.setResolution(kPixelsPerInch);
  // The page is the picture: its size in points (72 an inch), no margins.
  pdf.setPageSize(QPageSize(QSizeF(picture.size) * 72.0 / kPixelsPerInch, QPageSize::Point, QString(),
                            QPageSize::ExactMatch));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  pdf.setTitle(picture.title);
  pdf.setCreator(QStringLiteral("fermat-lens"));
  return paintOnto(pdf, picture);
}

}  // namespace

std::optional<PictureFormat> PictureFormatOf(const QString& path) {
  const QString ext = QFileInfo(path).suffix().toLower();
  if (ext == QLatin1String("png")) return PictureFormat::Png;
  if (ext == QLatin1String("svg")) return PictureFormat::Svg;
  if (ext == QLatin1String("pdf")) return PictureFormat::Pdf;
  return std::nullopt;
}

QString PictureTooLarge(QSize size, int scale) {
  const qint64 width = qint64{size.width()} * scale, height = qint64{size.height()} * scale;
  if (width * height <= kMaxPicturePixels) return {};
  return QStringLiteral("a PNG of %1x%2 pixels is too large to make (at most 16384x16384 pixels in all)")
      .arg(width)
      .arg(height);
}

std::string EncodePicture(const QString& path, const PictureSource& picture, int scale, QByteArray& bytes) {
  const std::optional<PictureFormat> format = PictureFormatOf(path);
  if (!format) return failed(path, QStringLiteral("the name must end in .png, .svg or .pdf"));
  if (scale != 1 && scale != 2 && scale != 4) return failed(path, QStringLiteral("the scale must be 1, 2 or 4"));
  bytes.clear();
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  bool written = false;
  switch (*format) {
    case PictureFormat::Png: {
      // Checked before the image exists: a failed allocation would only show
      // as a stream of painter warnings.
      if (const QString why = PictureTooLarge(picture.size, scale); !why.isEmpty()) return failed(path, why);
      QImage image = picture.image(scale);
      if (image.isNull()) return failed(path, QStringLiteral("not enough memory for the image"));
      if (!picture.description.isEmpty()) image.setText(QStringLiteral("Description"), picture.description);
      written = image.save(&buffer, "PNG");
      break;
    }
    case PictureFormat::Svg: written = writeSvg(picture, buffer); break;
    case PictureFormat::Pdf: written = writePdf(picture, buffer); break;
  }
  if (!written) return failed(path, QStringLiteral("the picture could not be encoded"));
  return {};
}

std::string WritePictureFile(const QString& path, const PictureSource& picture, int scale) {
  QByteArray bytes;
  if (std::string e = EncodePicture(path, picture, scale, bytes); !e.empty()) return e;
  return WriteWholeFile(path, bytes);
}

}  // namespace canvas
