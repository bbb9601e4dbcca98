#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/Inputs.h"
#include "lab/Placement.h"
#include "numeric/Colour.h"

namespace lab {

class Lab;

// What "Reveal" shows in challenge mode: the least-time entry point for the
// markers and the target height as they stand, its time, the student's guess
// (the point of the first face nearest the entry marker) with its time, how many times the entry point was moved
// since the challenge began, and how far the guess was.
struct ChallengeReveal {
  bool found = false;  // the least-time search converged; the least-time fields are 0 otherwise
  double sourceX = 0, sourceY = 0, targetX = 0, targetY = 0;
  double leastX = 0, leastY = 0, leastTime = 0;
  double guessX = 0, guessY = 0, guessTime = 0;
  int tries = 0;
  double timeGap = 0;   // guessTime - leastTime
  double distance = 0;  // from the guess to the least-time point, world units
  // In a graded medium the paths are curves: the guessed path (through the
  // guess by least-time legs) and the least-time path, source to target.
  // Empty: straight lines by the points, as a lens or a mirror has them.
  std::vector<core::Point> guessPath, leastPath;
};

// The least-time point for the markers and the target as they stand, against
// the point the entry marker stands for (tries left 0): the answer Reveal
// shows, and what the descriptions for screen readers compare.
[[nodiscard]] ChallengeReveal LeastTimeAnswer(const Lab& lab);

// How many per cent longer the guess's path takes than the least time; none
// when the search found no least-time point or a time is not a number.
[[nodiscard]] std::optional<double> PercentSlower(const ChallengeReveal& r) noexcept;

// The result a course platform records for a reveal: whether the guess found
// the least-time point, and a score out of 100 for how far it was. Found:
// within kChallengeHitWithin world units (two steps of the [ and ] keys, a
// pixel or two of a drag at the usual scale), which scores 100; farther, the
// score falls in proportion to the distance and is 0 from
// kChallengeNoScoreFrom units on (about the lens's half height). None when
// the search found no least-time point or the distance is not a number.
inline constexpr double kChallengeHitWithin = 2;
inline constexpr double kChallengeNoScoreFrom = 50;
struct ChallengeScore {
  bool hit = false;
  int score = 0;  // 0..100
};
[[nodiscard]] std::optional<ChallengeScore> ScoreOf(const ChallengeReveal& r) noexcept;

// The answer as every view draws it over the picture, never into it: points
// in world units; widths, dashes, radii, text sizes and offsets in pixels of
// the client area; colours packed as numeric::Colour. Paths are drawn first,
// then the dots, each with its text beside it.
struct ChallengePath {
  std::vector<core::Point> points;
  numeric::Colour colour = 0;
  double width = 1;
  std::vector<double> dash;  // on, off, ... pixels; empty: solid
};
struct ChallengeDot {
  core::Point at;
  numeric::Colour fill = 0, outline = 0;
  double radius = 0, outlineWidth = 1;
  std::string text;
  // The text's left end lies textDx right of the dot; its bottom textDy above
  // the dot's centre (textAbove), or its top textDy below it.
  bool textAbove = true;
  // The text's colour; 0 (no colour: every drawn colour is opaque) for the fill's.
  numeric::Colour textInk = 0;
};
// A world rectangle filled at an opacity from 0 to 1 (an overlay's shading).
struct ChallengeCell {
  core::Point from, to;
  numeric::Colour fill = 0;
  double opacity = 1;
};
struct ChallengeDrawing {
  std::vector<ChallengeCell> cells;  // drawn before everything else
  std::vector<ChallengePath> paths;
  std::vector<ChallengeDot> dots;
  double textSize = 12;  // pixels
  double textDx = 8, textDy = 6;
};

// The least-time path: a colour the lab's picture never uses, so that the
// answer cannot be taken for part of the construction. The guess in the
// entry marker's blue.
inline constexpr numeric::Colour kChallengeLeastColour = numeric::Rgb(255, 122, 0);
inline constexpr numeric::Colour kChallengeGuessColour = numeric::kBlue;

// What a revealed answer shows: the path through the guess (dashed) and its
// dot; when the search found the least-time point, its path and dot too.
// The higher dot's text goes above it and the lower one's below, so the two
// never lie on top of each other however close the points are.
[[nodiscard]] ChallengeDrawing ChallengeAnswerDrawing(const ChallengeReveal& r);

// The guess-then-reveal game beside the program: the student moves the entry
// point to where they think the light enters; nothing of the answer is
// computed or shown until reveal(). Off by default.
class Challenge {
 public:
  // Begins (or begins again): tries are counted from now, the answer hidden.
  void start(const Lab& lab);
  void stop() noexcept;
  [[nodiscard]] bool on() const noexcept { return on_; }
  [[nodiscard]] int tries(const Lab& lab) const noexcept;
  // The answer for the scene as it stands now; kept until the next start or
  // stop. Empty when the challenge is off.
  const std::optional<ChallengeReveal>& reveal(const Lab& lab);
  [[nodiscard]] const std::optional<ChallengeReveal>& revealed() const noexcept { return revealed_; }
  // The best of every answer revealed since the lab began (rounds, stops
  // and starts included), as a course platform records the session: the
  // highest score, found once any guess found the point. None before an
  // answer with a score.
  [[nodiscard]] const std::optional<ChallengeScore>& best() const noexcept { return best_; }
 private:
  // The lab calls this after every input, and nothing else does: an answer
  // holds for the scene it was given for, so once a marker or a bar has
  // moved a new round begins (the answer gone), its tries counted from that
  // input (`movesBefore`: the entry moves before it).
  friend class Lab;
  void follow(const Lab& lab, int movesBefore);

  bool on_ = false;
  int startMoves_ = 0;
  std::optional<ChallengeReveal> revealed_;
  std::optional<Placement> revealedAt_;  // where the markers and bars stood at the reveal
  std::optional<ChallengeScore> best_;
};

}  // namespace lab
