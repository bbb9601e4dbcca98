#include "window/HelpTexts.h"

#include "window/KeyTable.h"

#ifndef FERMAT_LENS_VERSION
#error "FERMAT_LENS_VERSION must be defined by the build (the CMake project version)"
#endif
#ifndef FERMAT_LENS_HOMEPAGE
#error "FERMAT_LENS_HOMEPAGE must be defined by the build (the CMake project's homepage)"
#endif

namespace app {

QString GuideText() {
  return QStringLiteral(
      "<h3>What the window shows</h3>"
      "<p>Light goes from a point source through a lens made of glass in which it is twice as slow as outside. "
      "Every ray is the path of least travel time (Fermat's principle), never a law of refraction.</p>"
      "<ul>"
      "<li><b>The red dot</b> is the light source. Drag it with the mouse.</li>"
      "<li><b>The blue dot</b> is the entry point on the lens's first surface. Drag it: the path source &rarr; "
      "blue dot &rarr; target circle is drawn and its travel time shown (&ldquo;time =&rdquo;). Move it until the "
      "time is least.</li>"
      "<li><b>The small circle</b> just right of the lens is the target point on the second surface. The scroll "
      "bar on the right sets its height, shown as <b>&psi;</b> (top left).</li>"
      "<li><b>&ldquo;points&rdquo;</b> is the number of rays of a bundle; the scroll bar on the left sets it.</li>"
      "<li><b>The two small circles on the axis</b> are the centres of curvature of the lens's two surfaces.</li>"
      "<li>The olive area is the glass; the red line is the optical axis.</li>"
      "</ul>"
      "<h3>The buttons</h3>"
      "<ul>"
      "<li><b>position by Fermat</b>: finds the least-time path to the target point, moves the blue dot there and "
      "shows the angles of incidence and refraction, their sine ratio n (the refractive index) and the time "
      "(&ldquo;&chi;&rho;&oacute;&nu;&omicron;&sigmaf;&rdquo;).</li>"
      "<li><b>BUNDLE OF RAYS</b>: draws the given number of least-time rays from the source through the lens.</li>"
      "<li><b>SHOW FIRST CIRLCES AFTER LENS</b>: the bundle with the wavelets (small circles) just after the lens; "
      "red dots mark rays that are totally reflected.</li>"
      "<li><b>conitinuation of ray after lens</b>: continues the ray through the target point beyond the lens by "
      "wavelets and checks n against the ratio of the speeds.</li>"
      "<li><b>continuation of bundle after lens</b>: continues the whole bundle to the edge of the window, where "
      "the red rays cross the axis, and draws the wavefront. The bar at the bottom (&ldquo;t=&rdquo;) moves the "
      "wavefront on in time; &#9654; plays it.</li>"
      "</ul>"
      "<p>Drawings add up until a marker is dropped or a bar moves. File &rsaquo; Reset puts everything back as at "
      "start-up. View &rsaquo; Travel time (Ctrl+G) shows the graphs of the travel time.</p>");
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
