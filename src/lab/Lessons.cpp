#include "lab/Lessons.h"

#include <algorithm>

#include "lab/Lab.h"
#include "lab/LensText.h"
#include "lab/MediumText.h"
#include "lab/Run.h"
#include "lab/Script.h"

namespace lab {

std::span<const Lesson> Lessons() {
  static const std::vector<Lesson> kLessons{
      {"least-time-by-hand", "Least time by hand",
       "The blue entry point starts in the air left of the lens: drag it onto the lens's left face, then along "
       "it, until the time shown while you drag (\"time =\") is as small as you can make it.",
       {},
       {"height=-20"}},
      {"least-time-ray", "The least-time ray",
       "Press \"position by Fermat\": the fastest path bends at the lens, and sin i / sin r comes out as the index n.",
       {},
       {"height=-20"}},
      {"bundle-aberration", "The bundle and aberration",
       "Press \"continuation of bundle after lens\": do the rays from the edge of the lens cross the axis where "
       "those near the axis do?",
       {},
       {"rays=20", "press=2"}},
      {"exact-crossings", "The construction against least time",
       "Open the graphs: the line is where each ray crosses the axis by least time, the red points where the "
       "wavelet construction puts them; near the axis neighbouring wavelets meet at grazing angles, so the "
       "Single-precision times move the construction's crossings by a per cent or more there (more rays, more "
       "scatter), while elsewhere its points lie within about a tenth of a per cent of the line.",
       {},
       {"source=-250,0", "rays=100", "press=5"}},
      {"total-reflection", "Total reflection",
       "Press \"conitinuation of ray after lens\": this ray meets the second face beyond the critical angle and "
       "cannot leave the glass. Lower the target point until it can.",
       {},
       {"source=-30,120", "height=70"}},
      {"wavefront", "The wavefront after the lens",
       "Drag the time slider: every point of the wavefront was reached at the same time; where does it shrink to "
       "a point?",
       {},
       {"rays=20", "press=5", "time=30"}},
      {"lifeguard", "The lifeguard problem",
       "The slab is the sea: find where the lifeguard, twice as fast on the sand, should enter the water, then "
       "press \"position by Fermat\".",
       {.First = {.Flat = true}, .Second = {.Flat = true}, .Thickness = 100, .Aperture = 150},
       {"height=-60"}},
      // The mirror scene's source and target start at (-240, 90) and (-240, -90):
      // the ellipse through the vertex with foci there is the whispering
      // ellipse, and a sphere of radius 150 is curved more than it.
      {"least-or-most", "Least or most?",
       "Press \"position by Fermat\" on this flat mirror, then take the whispering ellipse and the mirror curved "
       "more than it from the Mirror menu and press it again on each: is the real path's time the least, the same "
       "everywhere, or the most?",
       {},
       {},
       optics::MirrorDesign{}},
      {"whispering-ellipse", "The whispering ellipse",
       "The source and the target stand at the ellipse's foci. Press \"position by Fermat\" and see every path "
       "by the mirror take the same time; then drag the target off its focus and press it again.",
       {},
       {},
       optics::MirrorDesign{.Kind = optics::MirrorKind::Elliptical}},
      {"parabolic-dish", "The parabolic dish",
       "The source stands at the dish's focus. Press \"BUNDLE OF RAYS\" and see every reflected ray leave parallel "
       "to the axis; then drag the source off the focus and press it again.",
       {},
       {"source=-150,0", "rays=20"},
       optics::MirrorDesign{.Kind = optics::MirrorKind::Parabolic, .Focal = 150}},
      {"hot-road", "The hot road",
       "The eye on the right sees the point on the left twice. Press \"position by Fermat\": beside the least-time "
       "path a second one dips towards the hot road, where light runs faster, and arrives from below: the image "
       "under the road. Which of the two is a minimum of the time?",
       {},
       {},
       std::nullopt,
       "mirage"},
      {"fibre", "The fibre",
       "The index is highest on the fibre's axis. Press \"BUNDLE OF RAYS\" and see the paths held near the axis; "
       "then press \"position by Fermat\": three paths reach one point, and only one of them is a minimum.",
       {},
       {"rays=15"},
       std::nullopt,
       "fibre"},
      {"circle-paths", "The circle paths",
       "Here n = c / (y - y0). Press \"BUNDLE OF RAYS\": every least-time path is an arc of a circle, and all "
       "their centres lie on one line, y = -200, just below the picture.",
       {},
       {"rays=12"},
       std::nullopt,
       "circles"},
      {"sunset", "The sunset",
       "The air is denser low down. The sun on the left stands below the straight line from the eye on the right. "
       "Press \"position by Fermat\": the light bends towards the denser air and reaches the eye from above the "
       "sun, which is still seen after it has set.",
       {},
       {},
       std::nullopt,
       "evening-air"},
  };
  return kLessons;
}

const Lesson* FindLesson(std::string_view key) {
  const auto lessons = Lessons();
  const auto found = std::find_if(lessons.begin(), lessons.end(), [&](const Lesson& l) { return key == l.key; });
  return found == lessons.end() ? nullptr : &*found;
}

std::string UnknownLesson(std::string_view key) {
  std::string keys;
  for (const Lesson& l : Lessons()) keys += std::string(keys.empty() ? "" : ", ") + l.key;
  return "unknown lesson " + Quoted(key) + " (one of " + keys + ")";
}

std::string OpenLesson(Lab& lab, const Lesson& lesson) {
  if (lab.busy()) return "a message is open";
  std::vector<Action> actions;
  for (const char* word : lesson.actions) {
    if (std::string e = ParseAction(word, actions); !e.empty()) return e;  // the table's own fault
  }
  lab.stopPlay();
  if (std::string e = lab.setLens(lesson.lens); !e.empty()) return e;
  if (std::string e = lab.setMirror(lesson.mirror); !e.empty()) return e;
  if (lesson.medium) {
    const MediumPreset* p = FindMediumPreset(lesson.medium);
    if (!p) return std::string("no medium ") + lesson.medium;  // the table's own fault
    if (std::string e = lab.setMedium(p->design); !e.empty()) return e;
  }
  lab.reset();  // markers and bars where a start-up puts them, the lens kept
  lab.setLesson(lesson.key);
  for (const Action& a : actions) RunAction(lab, a, nullptr);
  return {};
}

std::string PictureCaption(const Lab& lab) {
  std::string caption = lab.mirror()   ? "Mirror: " + SceneSummary(lab)
                        : lab.medium() ? "Medium: " + SceneSummary(lab)
                                       : "Lens: " + LensSummary(lab.lensDesign(), lab.lens());
  if (const Lesson* l = FindLesson(lab.lesson())) {
    caption += "; lesson: ";
    caption += l->title;
  }
  return caption;
}

}  // namespace lab
