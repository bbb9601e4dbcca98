#include "canvas/PictureFile.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
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

bool writeSvg(const PictureSource& picture, QSaveFile& file) {
  QSvgGenerator svg;
  svg.setOutputDevice(&file);
  svg.setSize(picture.size);
  svg.setViewBox(QRect(QPoint(0, 0), picture.size));
  svg.setResolution(kPixelsPerInch);
  svg.setTitle(picture.title);
  return paintOnto(svg, picture);
}

bool writePdf(const PictureSource& picture, QSaveFile& file) {
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

std::string WritePictureFile(const QString& path, const PictureSource& picture, int scale) {
  const std::optional<PictureFormat> format = PictureFormatOf(path);
  if (!format) return failed(path, QStringLiteral("the name must end in .png, .svg or .pdf"));
  if (scale != 1 && scale != 2 && scale != 4) return failed(path, QStringLiteral("the scale must be 1, 2 or 4"));
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return failed(path, file.errorString());
  bool written = false;
  switch (*format) {
    case PictureFormat::Png: written = picture.image(scale).save(&file, "PNG"); break;
    case PictureFormat::Svg: written = writeSvg(picture, file); break;
    case PictureFormat::Pdf: written = writePdf(picture, file); break;
  }
  if (!written) {
    file.cancelWriting();
    return failed(path, file.errorString());
  }
  if (!file.commit()) return failed(path, file.errorString());
  return {};
}

}  // namespace canvas
