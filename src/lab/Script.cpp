// The scripted actions: their table (key, syntax, help line, reader, how
// the value is written back), read and written through it.
#include "lab/Script.h"

#include "lab/Controls.h"
#include "lab/LensText.h"
#include "lab/MediumText.h"
#include "lab/MirrorText.h"

#include <algorithm>
#include <iterator>

namespace lab {
namespace {

std::string readPoint(std::string_view value, Action& a) {
  const auto comma = value.find(',');
  const auto x = comma == std::string_view::npos ? std::nullopt : ParseCoordinate(value.substr(0, comma));
  const auto y = comma == std::string_view::npos ? std::nullopt : ParseCoordinate(value.substr(comma + 1));
  if (!x || !y) return "expected two finite numbers X,Y";
  a.x = *x;
  a.y = *y;
  return {};
}

std::string readBar(std::string_view value, Action& a, BarRange range) {
  const auto v = ParseInt(value);
  if (!v) return "expected a whole number";
  if (!range.contains(*v)) {
    return "value out of range " + std::to_string(std::min(range.min, range.max)) + ".." +
           std::to_string(std::max(range.min, range.max));
  }
  a.value = *v;
  return {};
}

template <const BarRange& Range>
std::string readBarIn(std::string_view v, Action& a) {
  return readBar(v, a, Range);
}

std::string readButton(std::string_view v, Action& a) {
  const auto k = ParseInt(v);
  if (!k || *k < 1 || *k > 5) return "expected a button number 1..5";
  a.value = *k;
  return {};
}

std::string readKey(std::string_view v, Action& a) {
  const std::optional<int> combination = ParseKey(v);
  if (!combination) return "expected one key such as Right, Shift+Left, Ctrl+3 or Space";
  a.value = *combination;
  return {};
}

// The lens from the standard one with the keys given; one that cannot exist is refused here.
std::string readLens(std::string_view v, Action& a) { return ReadLens(v, a.lens); }

// The mirror as --mirror gives it; one that cannot exist is refused here.
std::string readMirror(std::string_view v, Action& a) { return ReadMirror(v, a.mirror); }
// The medium as --medium gives it.
std::string readMedium(std::string_view v, Action& a) { return ReadMedium(v, a.medium); }

std::string readBeam(std::string_view v, Action& a) {
  if (v != "parallel" && v != "point") return "expected parallel or point";
  a.value = v == "parallel" ? 1 : 0;
  return {};
}

std::string readMarker(std::string_view v, Action& a) {
  if (v != "source" && v != "entry") return "expected source or entry";
  a.value = v == "entry" ? 1 : 0;
  return {};
}

// Every action: the key before '=', how its value reads (an error without the
// argument, which ParseAction appends; empty when good), how it is written
// back, and its help line. One entry per kind.
struct ActionEntry {
  Action::Kind kind;
  const char* key;
  const char* syntax;
  const char* help;
  std::string (*read)(std::string_view value, Action& a);  // null: the action takes no value
  enum class Text { Number, Point, Key, Lens, Marker, Mirror, Medium, Beam, None } text;      // how the value is written back
};

using T = ActionEntry::Text;
using K = Action::Kind;
const ActionEntry kActions[] = {
    {K::Source, "source", "source=X,Y", "drag the source to world point (X, Y)", readPoint, T::Point},
    {K::Entry, "entry", "entry=X,Y", "drag the entry point to (X, Y)", readPoint, T::Point},
    {K::Height, "height", "height=V", "set the target height (-99..99)", readBarIn<kThesiyRange>, T::Number},
    {K::Rays, "rays", "rays=N", "set the number of rays (2..100)", readBarIn<kRaysRange>, T::Number},
    {K::Time, "time", "time=V", "set the time after the lens (5..100)", readBarIn<kTimeRange>, T::Number},
    {K::Press, "press", "press=K", "click button K (1..5)", readButton, T::Number},
    {K::MouseDown, "down", "down=X,Y", "one mouse press on the canvas at (X, Y)", readPoint, T::Point},
    {K::MouseMove, "move", "move=X,Y", "one mouse move on the canvas to (X, Y)", readPoint, T::Point},
    {K::MouseUp, "up", "up=X,Y", "one mouse release on the canvas at (X, Y)", readPoint, T::Point},
    {K::DragHeight, "drag-height", "drag-height=V", "drag the height bar's thumb to V, live", readBarIn<kThesiyRange>,
     T::Number},
    {K::DragRays, "drag-rays", "drag-rays=N", "drag the ray-count bar's thumb to N, live", readBarIn<kRaysRange>,
     T::Number},
    {K::DragTime, "drag-time", "drag-time=V", "drag the time bar's thumb to V, live", readBarIn<kTimeRange>,
     T::Number},
    {K::Key, "key", "key=SEQ", "press a key as Qt spells it: Right, Shift+Left, Ctrl+3, Space", readKey, T::Key},
    {K::Play, "play", "play", "run the time sweep to its end", nullptr, T::None},
    {K::Reset, "reset", "reset", "put everything back as at start-up (File > Reset)", nullptr, T::None},
    {K::Active, "active", "active=M", "make marker M (source or entry) the one the arrow keys move", readMarker,
     T::Marker},
    {K::Lens, "lens", "lens=KEY=V,...", "take another lens, as --lens gives it (e.g. lens=preset=crown)", readLens,
     T::Lens},
    {K::Mirror, "mirror", "mirror=KIND,KEY=V,...",
     "take a mirror in place of the lens, as --mirror gives it (mirror=none: the lens again)", readMirror, T::Mirror},
    {K::Target, "target", "target=X,Y", "drag the mirror or medium scene's target to (X, Y)", readPoint, T::Point},
    {K::Beam, "beam", "beam=B", "the mirror scene's bundles from a parallel beam (parallel) or the source (point)",
     readBeam, T::Beam},
    {K::Medium, "medium", "medium=PROFILE,KEY=V,...",
     "take a graded medium in place of the lens, as --medium gives it (medium=none: the lens again)", readMedium,
     T::Medium},
};

}  // namespace

std::string ParseAction(std::string_view arg, std::vector<Action>& into) {
  const auto eq = arg.find('=');
  const std::string_view key = arg.substr(0, eq);
  const auto* entry =
      std::find_if(std::begin(kActions), std::end(kActions), [&](const ActionEntry& s) { return s.key == key; });
  if (entry == std::end(kActions)) {
    return (eq == std::string_view::npos ? "unknown argument " : "unknown action ") + Quoted(arg);
  }
  Action a;
  a.kind = entry->kind;
  if (!entry->read) {
    if (eq != std::string_view::npos) return std::string(entry->key) + " takes no value: " + Quoted(arg);
  } else if (eq == std::string_view::npos) {
    return "unknown argument " + Quoted(arg);
  } else if (const std::string e = entry->read(arg.substr(eq + 1), a); !e.empty()) {
    return e + " in " + Quoted(arg);
  }
  into.push_back(a);
  return {};
}

std::vector<ActionHelp> ActionHelpRows() {
  std::vector<ActionHelp> rows;
  for (const ActionEntry& s : kActions) rows.push_back({s.syntax, s.help});
  return rows;
}

std::string ActionText(const Action& a) {
  const auto* entry =
      std::find_if(std::begin(kActions), std::end(kActions), [&](const ActionEntry& s) { return s.kind == a.kind; });
  const std::string text = std::string(entry->key) + "=";
  switch (entry->text) {
    case T::None: return entry->key;
    case T::Key: return text + KeyText(a.value);
    case T::Lens: return text + LensText(a.lens);
    case T::Mirror: return text + MirrorText(a.mirror);
    case T::Medium: return text + MediumText(a.medium);
    case T::Beam: return text + (a.value == 1 ? "parallel" : "point");
    case T::Marker: return text + (a.value == 1 ? "entry" : "source");
    case T::Point: return text + CoordinateText(a.x) + "," + CoordinateText(a.y);
    case T::Number: break;
  }
  return text + std::to_string(a.value);
}

}  // namespace lab
