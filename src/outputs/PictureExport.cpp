#include "outputs/PictureExport.h"

#include "canvas/Form.h"
#include "canvas/PicturePainter.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryDir>

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

canvas::PictureSource FormPicture(const canvas::Form& form, PictureBackground background,
                                  const QString& description) {
  return {.size = form.canvas.pixelSize(),
          .title = form.window()->windowTitle(),
          .description = description,
          .image = [&form, background](int k) { return canvas::RenderPicture(form, k, true, background); },
          .paint = [&form, background](QPainter& p) { canvas::PaintPicture(p, form, true, background); }};
}

std::string ExportPicture(const canvas::Form& form, const QString& path, int scale, PictureBackground background,
                          const QString& description) {
  return canvas::WritePictureFile(path, FormPicture(form, background, description), scale);
}

void PreparePrinter(QPrinter& printer, const canvas::Form& form) {
  const QSize size = form.canvas.pixelSize();
  printer.setPageOrientation(size.width() >= size.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void PrintPicture(QPrinter& printer, const canvas::Form& form, PictureBackground background) {
  QPainter p;
  if (!p.begin(&printer)) return;
  const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
  const QSizeF picture = form.canvas.pixelSize();
  const double k = std::min(page.width() / picture.width(), page.height() / picture.height());
  p.translate((page.width() - picture.width() * k) / 2, (page.height() - picture.height() * k) / 2);
  p.scale(k, k);
  canvas::PaintPicture(p, form, true, background);
  p.end();
}

std::string PrintToPdf(const canvas::Form& form, const QString& path, PictureBackground background, QByteArray& bytes) {
  const auto failed = [&path](const QString& why) {
    return "cannot write '" + path.toStdString() + "': " + why.toStdString();
  };
  // The printer writes its file as it goes: it prints into a folder of its
  // own, and the finished page goes to the outputs written together.
  QTemporaryDir dir;
  if (!dir.isValid()) return failed(dir.errorString());
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setDocName(form.window()->windowTitle());
  PreparePrinter(printer, form);
  PrintPicture(printer, form, background);
  QFile printed(printer.outputFileName());
  if (!printed.open(QIODevice::ReadOnly)) return failed(QStringLiteral("the printer wrote no page"));
  bytes = printed.readAll();
  if (bytes.isEmpty()) return failed(QStringLiteral("the printer wrote no page"));
  return {};
}

}  // namespace app
