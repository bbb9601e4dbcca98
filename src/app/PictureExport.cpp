#include "app/PictureExport.h"

#include "canvas/Form.h"
#include "canvas/PicturePainter.h"

#include <QPainter>
#include <QPrinter>

namespace app {

std::string CheckPictureFile(const std::string& option, const std::string& path) {
  if (PictureFormatOf(QString::fromStdString(path))) return {};
  return option + ": the file name must end in .png, .svg or .pdf, got '" + path + "'";
}

std::string CheckExportScale(const std::string& exportFile, int scale) {
  if (scale == 0) return {};
  if (exportFile.empty()) return "--scale needs --export FILE.png";
  if (PictureFormatOf(QString::fromStdString(exportFile)) != PictureFormat::Png)
    return "--scale applies to a PNG export only, not to '" + exportFile + "'";
  return {};
}

std::string ExportPicture(const canvas::Form& form, const QString& path, int scale) {
  const canvas::PictureSource picture{
      .size = form.canvas.pixelSize(),
      .title = form.window()->windowTitle(),
      .image = [&form](int k) { return canvas::RenderPicture(form, k); },
      .paint = [&form](QPainter& p) { canvas::PaintPicture(p, form); }};
  return canvas::WritePictureFile(path, picture, scale);
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
