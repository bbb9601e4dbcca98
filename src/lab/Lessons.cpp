#include "lab/Lessons.h"

#include <algorithm>

#include "lab/Lab.h"
#include "text/Language.h"
#include "lab/LensText.h"
#include "lab/MediumText.h"
#include "lab/Run.h"
#include "lab/Script.h"

namespace lab {

using text::Tr;

std::span<const Lesson> Lessons() {
  static const std::vector<Lesson> kLessons{
      {"least-time-by-hand",
       {},
       {"height=-20"}},
      {"least-time-ray",
       {},
       {"height=-20"}},
      {"bundle-aberration",
       {},
       {"rays=20", "press=2"}},
      {"exact-crossings",
       {},
       {"source=-250,0", "rays=100", "press=5"}},
      {"total-reflection",
       {},
       {"source=-30,120", "height=70"}},
      {"wavefront",
       {},
       {"rays=20", "press=5", "time=30"}},
      {"lifeguard",
       {.First = {.Flat = true}, .Second = {.Flat = true}, .Thickness = 100, .Aperture = 150},
       {"height=-60"}},
      // The mirror scene's source and target start at (-240, 90) and (-240, -90):
      // the ellipse through the vertex with foci there is the whispering
      // ellipse, and a sphere of radius 150 is curved more than it.
      {"least-or-most",
       {},
       {},
       optics::MirrorDesign{}},
      {"whispering-ellipse",
       {},
       {},
       optics::MirrorDesign{.Kind = optics::MirrorKind::Elliptical}},
      {"parabolic-dish",
       {},
       {"source=-150,0", "rays=20"},
       optics::MirrorDesign{.Kind = optics::MirrorKind::Parabolic, .Focal = 150}},
      {"hot-road",
       {},
       {},
       std::nullopt,
       "mirage"},
      {"fibre",
       {},
       {"rays=15"},
       std::nullopt,
       "fibre"},
      {"circle-paths",
       {},
       {"rays=12"},
       std::nullopt,
       "circles"},
      {"sunset",
       {},
       {},
       std::nullopt,
       "evening-air"},
  };
  return kLessons;
}

std::string Lesson::title() const { return Tr(std::string("lesson.") + key + ".title"); }
std::string Lesson::task() const { return Tr(std::string("lesson.") + key + ".task"); }

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
  std::string caption = lab.mirror()   ? Tr("picture.mirror", {{"summary", SceneSummary(lab)}})
                        : lab.medium() ? Tr("picture.medium", {{"summary", SceneSummary(lab)}})
                                       : Tr("picture.lens", {{"summary", LensSummary(lab.lensDesign(), lab.lens())}});
  if (const Lesson* l = FindLesson(lab.lesson())) caption += Tr("picture.lesson", {{"title", l->title()}});
  return caption;
}

}  // namespace lab
