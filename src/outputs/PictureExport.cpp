#include "outputs/PictureExport.h"

#include "canvas/Form.h"
#include "canvas/PicturePainter.h"

#include <QFile>
#include <QImage>
#include <QFontMetrics>
#include <QFont>
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

namespace {

// The caption's strip under the picture, in the picture's pixels.
constexpr int kCaptionHeight = 22;

// The caption in its strip, left-aligned, on white (a worksheet's paper)
// whatever the picture's background.
void paintCaption(QPainter& p, QSize picture, const QString& caption) {
  const QRectF strip(0, picture.height(), picture.width(), kCaptionHeight);
  p.fillRect(strip, Qt::white);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(12);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(strip.adjusted(6, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
             QFontMetrics(font).elidedText(caption, Qt::ElideRight, picture.width() - 12));
}

}  // namespace

canvas::PictureSource FormPicture(const canvas::Form& form, PictureBackground background, const QString& description,
                                  const QString& caption) {
  const QSize picture = form.canvas.pixelSize();
  if (caption.isEmpty()) {
    return {.size = picture,
            .title = form.window()->windowTitle(),
            .description = description,
            .image = [&form, background](int k) { return canvas::RenderPicture(form, k, true, background); },
            .paint = [&form, background](QPainter& p) { canvas::PaintPicture(p, form, true, background); }};
  }
  // With a caption the picture grows by its strip below; the drawing itself
  // is the same, pixel for pixel.
  return {.size = QSize(picture.width(), picture.height() + kCaptionHeight),
          .title = form.window()->windowTitle(),
          .description = description,
          .image =
              [&form, background, picture, caption](int k) {
                QImage drawn = canvas::RenderPicture(form, k, true, background);
                drawn.setDevicePixelRatio(1);  // copied pixel for pixel, not scaled to its logical size
                QImage whole(picture.width() * k, (picture.height() + kCaptionHeight) * k, drawn.format());
                whole.fill(Qt::white);
                QPainter p(&whole);
                p.drawImage(0, 0, drawn);
                p.scale(k, k);
                paintCaption(p, picture, caption);
                return whole;
              },
          .paint =
              [&form, background, picture, caption](QPainter& p) {
                canvas::PaintPicture(p, form, true, background);
                paintCaption(p, picture, caption);
              }};
}

std::string ExportPicture(const canvas::Form& form, const QString& path, int scale, PictureBackground background,
                          const QString& description, const QString& caption) {
  return canvas::WritePictureFile(path, FormPicture(form, background, description, caption), scale);
}

void PreparePrinter(QPrinter& printer, const canvas::Form& form) {
  const QSize size = form.canvas.pixelSize();
  printer.setPageOrientation(size.width() >= size.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
  // The printed document's title, as an export's.
  printer.setDocName(form.window()->windowTitle());
}

void PrintPicture(QPrinter& printer, const canvas::Form& form, PictureBackground background, const QString& caption) {
  QPainter p;
  if (!p.begin(&printer)) return;
  const canvas::PictureSource source = FormPicture(form, background, {}, caption);
  const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
  const QSizeF picture = source.size;
  const double k = std::min(page.width() / picture.width(), page.height() / picture.height());
  p.translate((page.width() - picture.width() * k) / 2, (page.height() - picture.height() * k) / 2);
  p.scale(k, k);
  source.paint(p);
  p.end();
}

std::string PrintToPdf(const canvas::Form& form, const QString& path, PictureBackground background, QByteArray& bytes,
                       const QString& caption) {
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
  PreparePrinter(printer, form);
  PrintPicture(printer, form, background, caption);
  QFile printed(printer.outputFileName());
  if (!printed.open(QIODevice::ReadOnly)) return failed(QStringLiteral("the printer wrote no page"));
  bytes = printed.readAll();
  if (bytes.isEmpty()) return failed(QStringLiteral("the printer wrote no page"));
  return {};
}

}  // namespace app
