#include "Sessions.h"

#include "window/Fermat.h"

#include <QKeySequence>

#include <random>

namespace testing_support {
namespace {
using app::Action;
using Kind = Action::Kind;

Action point(Kind k, float x, float y) {
  return Action{.kind = k, .x = x, .y = y};
}
Action value(Kind k, int v) {
  return Action{.kind = k, .value = v};
}

int key(const char* text) {
  return QKeySequence::fromString(QString::fromLatin1(text))[0].toCombined();
}
}  // namespace

std::vector<Action> RandomSession(std::uint32_t seed, int length) {
  std::mt19937 rng(seed);
  auto uniform = [&](double lo, double hi) {
    return static_cast<float>(std::uniform_real_distribution<>(lo, hi)(rng));
  };
  auto integer = [&](int lo, int hi) { return std::uniform_int_distribution<>(lo, hi)(rng); };
  // Places worth landing on, besides anywhere at all.
  auto somewhere = [&]() -> std::pair<float, float> {
    switch (integer(0, 7)) {
      case 0: return {uniform(-2000, 2000), uniform(-2000, 2000)};  // far off the frame
      case 1: return {uniform(-15, 15), uniform(-72, 72)};          // on or in the lens
      case 2: return {-15.0f, 0.0f};                                // the first surface's vertex
      case 3: return {uniform(-400, -20), 0.0f};                    // on the axis, left of the lens
      case 4: return {uniform(-60, 0), uniform(-120, 120)};         // close to the lens, off the axis
      default: return {uniform(-330, 330), uniform(-200, 200)};     // inside the frame
    }
  };
  static const int keys[] = {key("Left"),        key("Right"),    key("Up"),         key("Down"),   key("Shift+Left"),
                             key("Shift+Right"), key("Shift+Up"), key("Shift+Down"), key("Ctrl+1"), key("Ctrl+2"),
                             key("Ctrl+3"),      key("Ctrl+4"),   key("Ctrl+5")};
  std::vector<Action> out;
  while (static_cast<int>(out.size()) < length) {
    const auto [x, y] = somewhere();
    switch (integer(0, 17)) {
      case 0: out.push_back(point(Kind::Source, x, y)); break;
      case 1: out.push_back(point(Kind::Entry, x, y)); break;
      case 2: out.push_back(point(Kind::MouseDown, x, y)); break;
      case 3: out.push_back(point(Kind::MouseMove, x, y)); break;
      case 4: out.push_back(point(Kind::MouseUp, x, y)); break;
      case 5: out.push_back(value(Kind::Height, integer(-99, 99))); break;
      case 6: out.push_back(value(Kind::Rays, integer(2, 100))); break;
      case 7: out.push_back(value(Kind::Time, integer(5, 100))); break;
      case 8: out.push_back(value(Kind::DragHeight, integer(-99, 99))); break;
      case 9:  // the time thumb costs a continuation per move: half as often
        out.push_back(integer(0, 1) == 0 ? value(Kind::DragRays, integer(2, 100))
                                         : value(Kind::DragTime, integer(5, 100)));
        break;
      case 11:
      case 12: out.push_back(value(Kind::Key, keys[integer(0, std::size(keys) - 1)])); break;
      case 13:
        if (integer(0, 7) == 0) {  // a short sweep, by Play or by Space
          out.push_back(value(Kind::Time, integer(93, 99)));
          out.push_back(integer(0, 1) == 0 ? Action{.kind = Kind::Play} : value(Kind::Key, key("Space")));
          break;
        }
        [[fallthrough]];
      default: out.push_back(value(Kind::Press, integer(1, 5))); break;
    }
  }
  return out;
}

std::vector<Action> AsUserInput(app::Fermat& w, const Action& a) {
  if (a.kind != Kind::Source && a.kind != Kind::Entry) return {a};
  const lab::ShapeCentre c = lab::CentreOf(w.lab().controls().marker(a.kind == Kind::Source ? lab::Marker::Source : lab::Marker::Entry));
  std::vector<Action> out{point(Kind::MouseDown, c.x, c.y)};
  constexpr int kMoves = 3;
  for (int i = 1; i <= kMoves; ++i) {
    const float t = static_cast<float>(i) / kMoves;
    out.push_back(point(Kind::MouseMove, c.x + (a.x - c.x) * t, c.y + (a.y - c.y) * t));
  }
  out.push_back(point(Kind::MouseUp, a.x, a.y));
  return out;
}

}  // namespace testing_support
