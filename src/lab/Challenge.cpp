#include "lab/Challenge.h"

#include "lab/Lab.h"
#include "optics/Geometry.h"
#include "optics/LeastTime.h"

namespace lab {

void Challenge::start(const Lab& lab) {
  on_ = true;
  startMoves_ = lab.entryMoves();
  revealed_.reset();
}

void Challenge::stop() noexcept {
  on_ = false;
  revealed_.reset();
}

int Challenge::tries(const Lab& lab) const noexcept { return on_ ? lab.entryMoves() - startMoves_ : 0; }

const std::optional<ChallengeReveal>& Challenge::reveal(const Lab& lab) {
  if (!on_) return revealed_;
  const ShapeCentre s = CentreOf(lab.controls().kyklos), g = CentreOf(lab.controls().shmeio);
  const core::Point t = TargetPoint(lab.controls().thesiy.value, lab.scene());
  const optics::Lens& lens = lab.scene().lens();
  ChallengeReveal r{.sourceX = s.x, .sourceY = s.y, .targetX = t.x, .targetY = t.y, .guessX = g.x, .guessY = g.y};
  // The same walk "position by Fermat" takes, so both show the same point.
  const optics::LeastTimeWalk w = optics::LeastTimeSearch(s.x, s.y, t.x, t.y, lens);
  // The guess's time as the label shows it after a drag: air, then glass.
  r.guessTime = optics::PathTime(s.x, s.y, g.x, g.y, t.x, t.y, lens.SpeedOutside, lens.SpeedInside);
  r.tries = tries(lab);
  if (w.Converged) {
    r.found = true;
    r.leastX = w.X;
    r.leastY = w.Y;
    r.leastTime = w.Time;
    r.timeGap = r.guessTime - w.Time;
    r.distance = optics::Distance(g.x, g.y, w.X, w.Y);
  }
  revealed_ = r;
  return revealed_;
}

}  // namespace lab
