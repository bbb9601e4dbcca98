#pragma once

#include "canvas/PictureBackground.h"
#include "canvas/PictureFile.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>

class QPrinter;

namespace canvas {
class Form;
}

namespace app {

using canvas::PictureBackground;
using canvas::PictureFormat;
using canvas::PictureFormatOf;

// PNG pictures are made at these multiples of the client area's pixels.
[[nodiscard]] constexpr bool IsPictureScale(int k) noexcept {
  return k == 1 || k == 2 || k == 4;
}

// Command-line checks, one-line errors (empty when fine): a scale (0 for
// none given) that only a PNG export takes, and a PNG export small enough to
// make at the client area `size` (none: the default size, always small enough).
[[nodiscard]] std::string CheckExportScale(const std::string& exportFile, int scale);
[[nodiscard]] std::string CheckExportSize(const std::string& exportFile, int scale, std::optional<QSize> size);

// The picture of the form (the drawing, the markers and the labels; no
// buttons or scroll bars) at the client area's size; `description` goes
// into the file where the format keeps one (the lens in force). A `caption`
// (for a worksheet: the lens and the lesson) is written in a strip below
// the picture, which grows by it; none by default.
[[nodiscard]] canvas::PictureSource FormPicture(const canvas::Form& form,
                                                PictureBackground background = PictureBackground::White,
                                                const QString& description = {}, const QString& caption = {});

// Writes the picture of the form to `path` in the format of its extension: PNG at
// `scale` times the client area's pixels, SVG and PDF as vectors, the PDF page
// the picture's size. The file is written whole or not at all. Returns an
// error message, empty on success. Pictures that leave the program are on
// white unless asked otherwise.
[[nodiscard]] std::string ExportPicture(const canvas::Form& form, const QString& path, int scale = 1,
                                        PictureBackground background = PictureBackground::White,
                                        const QString& description = {}, const QString& caption = {});

// Gives the printer what File > Print gives it before its dialog: the page
// turned as the picture is.
void PreparePrinter(QPrinter& printer, const canvas::Form& form);

// Prints the picture on one page of the printer, as large as fits, centred.
void PrintPicture(QPrinter& printer, const canvas::Form& form, PictureBackground background = PictureBackground::White,
                  const QString& caption = {});

// Prints as File > Print does, through the printer's own PDF output
// (QPrinter::PdfFormat, A4), and gives the page's bytes for `path`, which is
// written with the other outputs. Returns an error message, empty on success.
[[nodiscard]] std::string PrintToPdf(const canvas::Form& form, const QString& path, PictureBackground background,
                                     QByteArray& bytes, const QString& caption = {});

}  // namespace app
