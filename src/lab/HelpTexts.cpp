#include "lab/HelpTexts.h"

#include "lab/Lessons.h"

namespace lab {

const std::vector<KeyHelp>& KeyHelpRows() {
  static const std::vector<KeyHelp> rows{
      {"Arrow keys", "move the active marker by 1 unit"},
      {"Shift+arrow", "move it by 10 units"},
      {"M", "make the other marker (source or entry point) the active one"},
      {"Ctrl+1 ... Ctrl+5", "click the five buttons"},
      {"Space", "play or pause the time sweep"},
      {"Tab", "reach the scroll bars; a focused bar moves with the arrow keys, Page Up, Page Down, Home and End"},
      {"Ctrl+G", "open the travel-time graphs", true, false},
      {"Ctrl+R", "reset: everything as at start-up", true, false},
      {"Ctrl+Q", "quit", true, false},
  };
  return rows;
}

const char* KeysNote() {
  return "The active marker (ringed) is the one pressed or dragged last. A focused scroll bar keeps its own arrow "
         "keys.";
}

const std::string& GuideHtml() {
  static const std::string text =
      "<h3>What the picture shows</h3>"
      "<p>Light goes from a point source through a lens made of glass in which it is twice as slow as outside. "
      "Every ray is the path of least travel time (Fermat's principle), never a law of refraction.</p>"
      "<ul>"
      "<li><b>The red dot</b> is the light source. Drag it with the mouse.</li>"
      "<li><b>The blue dot</b> is the entry point of a path you try by hand. It starts in the air left of the "
      "lens: drag it onto the lens's first (left) surface. While you drag, the path source &rarr; blue dot &rarr; "
      "target circle is drawn and its travel time shown (&ldquo;time =&rdquo;). Move it along the surface until "
      "the time is least.</li>"
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
      "start-up and keeps the lens chosen.</p>"
      "<h3>Beside the picture</h3>"
      "<ul>"
      "<li><b>The lens</b> (the Lens menu and panel in the window, the Lens button on the page): a preset, or the "
      "index n, the two radii (or a flat face), the thickness and the aperture. The scene starts afresh with it; "
      "the markers and bars stay where they are.</li>"
      "<li><b>Lessons</b>: each opens a prepared scene with one task, shown in a banner above the picture.</li>"
      "<li><b>Challenge mode</b> (Lessons menu): move the blue dot to where you think the light enters, then "
      "Reveal. The answer shows the least-time path, your guess's time (through the point of the surface your "
      "guess stands for), how much slower it is and how far away. Moving a marker or a bar starts a new round.</li>"
      "<li><b>Set-ups</b> (File menu): save what you did to a file and open it again, or copy a link that opens "
      "the same scene in the browser edition.</li>"
      "<li><b>The graphs</b> (View &rsaquo; Travel time in the window, the Graphs button on the page): the travel "
      "time along the first surface, where each ray of the bundle crosses the axis, and how equal the times are "
      "along the axis after the lens. They follow every change and draw nothing on the picture. In the graph of "
      "the crossings the line is each ray's exact crossing, found by least time alone in double precision, the "
      "red points are the construction's, and the dashed line is the paraxial image by the thick-lens formula "
      "(for a source on the axis). Near the axis the construction's points scatter by a per cent or more: there "
      "neighbouring wavelets meet at grazing angles, so the smallest error in a wavelet moves their crossing far; "
      "elsewhere they lie within about a tenth of a per cent of the line (Lessons &rsaquo; " +
      std::string(FindLesson("exact-crossings")->title()) +
      ").</li>"
      "<li><b>Export and print</b> (File menu): the picture as PNG, SVG or PDF, the graphs' data as CSV, and a "
      "printed page.</li>"
      "</ul>";
  return text;
}

const char* FirstVisitText() {
  return "New here? Drag the red dot (the light source) or the blue dot (where a path enters the lens) and watch "
         "the travel time; each of the five buttons builds rays by least time. Help \xe2\x80\xba Guide explains "
         "every part.";
}

}  // namespace lab
