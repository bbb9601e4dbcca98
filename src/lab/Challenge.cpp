#include "lab/Challenge.h"
#include "text/Language.h"

#include "core/MediumFermat.h"
#include "core/MirrorFermat.h"

#include "lab/Lab.h"
#include "optics/Faces.h"
#include "optics/Geometry.h"
#include "optics/LeastTime.h"

#include <algorithm>
#include <cmath>

namespace lab {

void Challenge::start(const Lab& lab) {
  on_ = true;
  startMoves_ = lab.entryMoves();
  revealed_.reset();
  revealedAt_.reset();
}

void Challenge::follow(const Lab& lab, int movesBefore) {
  if (!(on_ && revealedAt_ && *revealedAt_ != lab.placement())) return;
  start(lab);
  startMoves_ = movesBefore;
}

void Challenge::stop() noexcept {
  on_ = false;
  revealed_.reset();
  revealedAt_.reset();
}

int Challenge::tries(const Lab& lab) const noexcept { return on_ ? lab.entryMoves() - startMoves_ : 0; }

ChallengeDrawing ChallengeAnswerDrawing(const ChallengeReveal& r) {
  ChallengeDrawing d;
  const core::Point source{r.sourceX, r.sourceY}, target{r.targetX, r.targetY}, guess{r.guessX, r.guessY};
  d.paths.push_back({r.guessPath.empty() ? std::vector<core::Point>{source, guess, target} : r.guessPath,
                     kChallengeGuessColour, 1.5, {6, 4}});
  ChallengeDot guessDot{.at = guess, .fill = kChallengeGuessColour, .outline = numeric::kBlack, .radius = 5,
                        .text = text::Tr("challenge.yourGuess")};
  if (!r.found) {
    d.dots.push_back(guessDot);
    return d;
  }
  const core::Point least{r.leastX, r.leastY};
  d.paths.push_back({r.leastPath.empty() ? std::vector<core::Point>{source, least, target} : r.leastPath,
                     kChallengeLeastColour, 3, {}});
  // World y grows upwards.
  const bool guessHigher = r.guessY >= r.leastY;
  guessDot.textAbove = guessHigher;
  d.dots.push_back(guessDot);
  d.dots.push_back({.at = least, .fill = kChallengeLeastColour, .outline = numeric::kBlack, .radius = 5,
                    .text = text::Tr("challenge.leastTime"), .textAbove = !guessHigher});
  return d;
}

namespace {

ChallengeReveal mediumAnswer(const Lab& lab, const MediumShape& shape) {
  // The guess is the point the student thinks the light passes: the blue
  // marker. The answer is where the least-time path crosses the vertical
  // line through it (or, for a path that does not reach that line, its
  // point nearest the guess).
  const ShapeCentre s = CentreOf(lab.controls().kyklos), marker = CentreOf(lab.controls().shmeio);
  const core::Point t = lab.target();
  ChallengeReveal r{.sourceX = s.x, .sourceY = s.y, .targetX = t.x, .targetY = t.y, .guessX = marker.x,
                    .guessY = marker.y};
  const core::ViaPath via = core::PathThrough(shape.medium, {s.x, s.y}, {marker.x, marker.y}, t);
  r.guessPath = via.Points;
  r.guessTime = via.Time.value_or(NAN);
  const optics::CurvedSearch found = optics::FindCurvedPaths(shape.medium, {s.x, s.y}, {t.x, t.y});
  if (found.paths.empty()) return r;
  const optics::CurvedPath& p = found.paths.front();
  for (const optics::PlanePoint& q : p.points) r.leastPath.push_back({q.x, q.y});
  double best = INFINITY;
  for (std::size_t i = 1; i < p.points.size(); ++i) {
    const optics::PlanePoint a = p.points[i - 1], b = p.points[i];
    if ((a.x - marker.x) * (b.x - marker.x) <= 0 && a.x != b.x) {
      const double f = (marker.x - a.x) / (b.x - a.x);
      r.leastX = marker.x;
      r.leastY = a.y + f * (b.y - a.y);
      best = 0;
      break;
    }
    if (const double d = optics::Distance(b.x, b.y, marker.x, marker.y); d < best) {
      best = d;
      r.leastX = b.x;
      r.leastY = b.y;
    }
  }
  r.found = true;
  r.leastTime = p.time;
  r.timeGap = std::isfinite(r.guessTime) ? r.guessTime - r.leastTime : NAN;
  r.distance = optics::Distance(r.guessX, r.guessY, r.leastX, r.leastY);
  return r;
}

}  // namespace

std::optional<double> PercentSlower(const ChallengeReveal& r) noexcept {
  if (!r.found || !std::isfinite(r.guessTime) || !std::isfinite(r.leastTime) || !(r.leastTime > 0)) return std::nullopt;
  return 100 * (r.guessTime - r.leastTime) / r.leastTime;
}

std::optional<ChallengeScore> ScoreOf(const ChallengeReveal& r) noexcept {
  if (!r.found || !std::isfinite(r.distance) || r.distance < 0) return std::nullopt;
  if (r.distance <= kChallengeHitWithin) return ChallengeScore{true, 100};
  const double left = 1 - std::min(r.distance, kChallengeNoScoreFrom) / kChallengeNoScoreFrom;
  return ChallengeScore{false, static_cast<int>(std::lround(100 * left))};
}

ChallengeReveal LeastTimeAnswer(const Lab& lab) {
  const ShapeCentre s = CentreOf(lab.controls().kyklos), marker = CentreOf(lab.controls().shmeio);
  if (const MediumShape* shape = lab.medium()) return mediumAnswer(lab, *shape);
  if (const MirrorShape* shape = lab.mirror()) {
    // The guess is a reflection point: the mirror's point nearest the
    // marker; the answer the least-time path of "position by Fermat".
    const optics::Mirror& m = shape->mirror;
    const core::Point t = lab.target();
    const optics::MirrorPoint g = m.at(core::NearestParameter(m, marker.x, marker.y));
    const double v = lab.scene().SpeedOutside;
    ChallengeReveal r{.sourceX = s.x, .sourceY = s.y, .targetX = t.x, .targetY = t.y, .guessX = g.X, .guessY = g.Y};
    r.guessTime = (optics::Distance(s.x, s.y, g.X, g.Y) + optics::Distance(g.X, g.Y, t.x, t.y)) / v;
    const optics::StationaryResult st = optics::StationaryPoints(m, s.x, s.y, t.x, t.y, v);
    for (const optics::StationaryPoint& p : st.Points) {
      if (r.found && p.Time >= r.leastTime) continue;
      r.found = true;
      r.leastX = p.X;
      r.leastY = p.Y;
      r.leastTime = p.Time;
    }
    if (r.found) {
      r.timeGap = r.guessTime - r.leastTime;
      r.distance = optics::Distance(g.X, g.Y, r.leastX, r.leastY);
    }
    return r;
  }
  const core::Point t = TargetPoint(lab.controls().thesiy.value, lab.scene());
  const optics::Lens& lens = lab.scene().lens();
  // The guess is where light would enter: the point of the first face (or
  // its extension) nearest the marker, along the radius through it. The
  // marker itself may stand anywhere, and a path through a point off the
  // face is no path of light.
  const optics::FacePoint g =
      optics::PointOf(lens.First, optics::ParameterOf(lens.First, marker.x, marker.y, lens.Pi));
  ChallengeReveal r{.sourceX = s.x, .sourceY = s.y, .targetX = t.x, .targetY = t.y, .guessX = g.X, .guessY = g.Y};
  // The same walk "position by Fermat" takes, so both show the same point.
  const optics::LeastTimeWalk w = optics::LeastTimeSearch(s.x, s.y, t.x, t.y, lens);
  // Air, then glass, as for every path.
  r.guessTime = optics::PathTime(s.x, s.y, g.X, g.Y, t.x, t.y, lens.SpeedOutside, lens.SpeedInside);
  if (w.Converged) {
    r.found = true;
    r.leastX = w.X;
    r.leastY = w.Y;
    r.leastTime = w.Time;
    r.timeGap = r.guessTime - w.Time;
    r.distance = optics::Distance(g.X, g.Y, w.X, w.Y);
  }
  return r;
}

const std::optional<ChallengeReveal>& Challenge::reveal(const Lab& lab) {
  if (!on_) return revealed_;
  ChallengeReveal r = LeastTimeAnswer(lab);
  r.tries = tries(lab);
  if (const std::optional<ChallengeScore> s = ScoreOf(r)) {
    best_ = best_ ? ChallengeScore{best_->hit || s->hit, std::max(best_->score, s->score)} : *s;
  }
  revealed_ = std::move(r);
  revealedAt_ = lab.placement();
  return revealed_;
}

}  // namespace lab
