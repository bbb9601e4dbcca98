#include "app/PictureExport.h"

#include "canvas/Form.h"
#include "canvas/PicturePainter.h"

#include <QPainter>
#include <QPrinter>

namespace app {

std::string CheckExportScale(const std::string& exportFile, int scale) {
  if (scale == 0) return {};
  if (exportFile.empty()) return "--scale needs --export FILE.png";
  if (PictureFormatOf(QString::fromStdString(exportFile)) != PictureFormat::Png)
    return "--scale applies to a PNG export only, not to '" + exportFile + "'";
  return {};
}

std::string CheckExportSize(const std::string& exportFile, int scale, std::optional<QSize> size) {
  if (!size || PictureFormatOf(QString::fromStdString(exportFile)) != PictureFormat::Png) return {};
  const QString why = canvas::PictureTooLarge(*size, scale == 0 ? 1 : scale);
  return why.isEmpty() ? std::string() : "--export: " + why.toStdString();
}

canvas::PictureSource FormPicture(const canvas::Form& form) {
  return {.size = form.canvas.pixelSize(),
          .title = form.window()->windowTitle(),
          .image = [&form](int k) { return canvas::RenderPicture(form, k); },
          .paint = [&form](QPainter& p) { canvas::PaintPicture(p, form); }};
}

std::string ExportPicture(const canvas::Form& form, const QString& path, int scale) {
  return canvas::WritePictureFile(path, FormPicture(form), scale);
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
