#include "window/HelpTexts.h"

#include "window/KeyTable.h"

#include "lab/HelpTexts.h"

#ifndef FERMAT_LENS_VERSION
#error "FERMAT_LENS_VERSION must be defined by the build (the CMake project version)"
#endif
#ifndef FERMAT_LENS_HOMEPAGE
#error "FERMAT_LENS_HOMEPAGE must be defined by the build (the CMake project's homepage)"
#endif

namespace app {

QString GuideText() {
  return QString::fromStdString(lab::GuideHtml());
}

QString AboutText() {
  const QString url = QStringLiteral(FERMAT_LENS_HOMEPAGE);
  return QStringLiteral(
             "<h3>fermat-lens %1</h3>"
             "<p>Rays through a biconvex lens, built by the principle of least time.</p>"
             "<p>Licence: MIT. The built-in DejaVu Sans font is under its own free licence.</p>"
             "<p>Source: <a href=\"%2\">%2</a></p>")
      .arg(QStringLiteral(FERMAT_LENS_VERSION), url);
}

QString KeysTable() {
  QString rows;
  for (const KeyRow& r : KeyRows())
    rows += QStringLiteral("<tr><td style=\"padding-right:16px\"><b>%1</b></td><td>%2</td></tr>")
                .arg(r.keys.toHtmlEscaped(), r.what.toHtmlEscaped());
  return QStringLiteral("<table cellspacing=\"4\">") + rows + QStringLiteral("</table><p>") +
         KeysNote().toHtmlEscaped() + QStringLiteral("</p>");
}

}  // namespace app
