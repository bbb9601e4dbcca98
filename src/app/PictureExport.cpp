#include "app/PictureExport.h"

#include "canvas/Form.h"
#include "canvas/PicturePainter.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace app {
namespace {

// Logical pixels are 1/96 inch, as on a screen at 100 %.
constexpr int kPixelsPerInch = 96;

std::string failed(const QString& path, const QString& why) {
  return "cannot write '" + path.toStdString() + "': " + why.toStdString();
}

bool writeSvg(const canvas::Form& form, QSaveFile& file) {
  const QSize size = form.canvas.pixelSize();
  QSvgGenerator svg;
  svg.setOutputDevice(&file);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setResolution(kPixelsPerInch);
  svg.setTitle(form.window()->windowTitle());
  QPainter p;
  if (!p.begin(&svg)) return false;
  canvas::PaintPicture(p, form);
  return p.end();
}

bool writePdf(const canvas::Form& form, QSaveFile& file) {
  const QSize size = form.canvas.pixelSize();
  QPdfWriter pdf(&file);
  pdf.setResolution(kPixelsPerInch);
  // The page is the picture: its size in points (72 an inch), no margins.
  pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / kPixelsPerInch, QPageSize::Point, QString(),
                            QPageSize::ExactMatch));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  pdf.setTitle(form.window()->windowTitle());
  pdf.setCreator(QStringLiteral("fermat-lens"));
  QPainter p;
  if (!p.begin(&pdf)) return false;
  canvas::PaintPicture(p, form);
  return p.end();
}

}  // namespace

std::optional<PictureFormat> PictureFormatOf(const QString& path) {
  const QString ext = QFileInfo(path).suffix().toLower();
  if (ext == QLatin1String("png")) return PictureFormat::Png;
  if (ext == QLatin1String("svg")) return PictureFormat::Svg;
  if (ext == QLatin1String("pdf")) return PictureFormat::Pdf;
  return std::nullopt;
}

std::string CheckExportFile(const std::string& path) {
  if (PictureFormatOf(QString::fromStdString(path))) return {};
  return "--export: the file name must end in .png, .svg or .pdf, got '" + path + "'";
}

std::string CheckExportScale(const std::string& exportFile, int scale) {
  if (scale == 0) return {};
  if (exportFile.empty()) return "--scale needs --export FILE.png";
  if (PictureFormatOf(QString::fromStdString(exportFile)) != PictureFormat::Png)
    return "--scale applies to a PNG export only, not to '" + exportFile + "'";
  return {};
}

std::string ExportPicture(const canvas::Form& form, const QString& path, int scale) {
  const std::optional<PictureFormat> format = PictureFormatOf(path);
  if (!format) return failed(path, QStringLiteral("the name must end in .png, .svg or .pdf"));
  if (!IsPictureScale(scale)) return failed(path, QStringLiteral("the scale must be 1, 2 or 4"));
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return failed(path, file.errorString());
  bool written = false;
  switch (*format) {
    case PictureFormat::Png: written = canvas::RenderPicture(form, scale).save(&file, "PNG"); break;
    case PictureFormat::Svg: written = writeSvg(form, file); break;
    case PictureFormat::Pdf: written = writePdf(form, file); break;
  }
  if (!written) {
    file.cancelWriting();
    return failed(path, file.errorString());
  }
  if (!file.commit()) return failed(path, file.errorString());
  return {};
}

void PrintPicture(QPrinter& printer, const canvas::Form& form) {
  QPainter p;
  if (!p.begin(&printer)) return;
  const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
  const QSizeF picture = form.canvas.pixelSize();
  const double k = std::min(page.width() / picture.width(), page.height() / picture.height());
  p.translate((page.width() - picture.width() * k) / 2, (page.height() - picture.height() * k) / 2);
  p.scale(k, k);
  canvas::PaintPicture(p, form);
  p.end();
}

}  // namespace app
