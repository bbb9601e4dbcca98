#pragma once

#include "optics/Medium.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lab {

// A medium as the command line, the set-ups and the share links spell it:
// "PROFILE,KEY=V,..." with PROFILE uniform (n), hot-road (n0, g: n = n0 + g y),
// fibre (n0, a: n^2 = n0^2 (1 - (a y)^2)), half-plane (c, y0: n = c / (y - y0)),
// luneburg (r) or layers (y=Y1:Y2:.., n=N1:N2:..; the indices bottom first,
// one more than the heights), or a preset's key (mirage, cold-sea, ...) with
// keys after it changing it. "none" is the lens scene. Keys a profile has no
// use for are refused. Returns a one-line error, leaving `into` as it was,
// or empty when good; ReadMedium also refuses a medium that cannot exist.
[[nodiscard]] std::string ParseMedium(std::string_view text, std::optional<optics::MediumDesign>& into);
[[nodiscard]] std::string ReadMedium(std::string_view text, std::optional<optics::MediumDesign>& into);

// The spelling ParseMedium reads back to the same medium, each number in its
// shortest exact digits ("hot-road,n0=1.2,g=0.004"; "none").
[[nodiscard]] std::string MediumText(const std::optional<optics::MediumDesign>& design);

// The profile's word in MediumText ("hot-road").
[[nodiscard]] const char* MediumProfileWord(optics::MediumProfile p) noexcept;

// One line for people: the preset's name when it is one, then the formula
// with its numbers ("The mirage over a hot road: n = 1.2 + 0.004 y").
[[nodiscard]] std::string MediumSummary(const optics::MediumDesign& design);

// The media the menus, the page and the lessons offer, with where the
// source and the target stand when one is taken from the lens or mirror
// scene (world units): placed so that each shows what it is for.
struct MediumPreset {
  const char* key;  // its name: lab::MediumPresetName
  optics::MediumDesign design;
  double sourceX, sourceY, targetX, targetY;
};
[[nodiscard]] std::span<const MediumPreset> MediumPresets() noexcept;
// A preset's name as the menu shows it, in the language in force.
[[nodiscard]] std::string MediumPresetName(const MediumPreset& preset);
// The preset by its key, or the one that is this medium; null when there is none.
[[nodiscard]] const MediumPreset* FindMediumPreset(std::string_view key) noexcept;
[[nodiscard]] const MediumPreset* PresetOf(const optics::MediumDesign& design) noexcept;

// The help line of --medium and of the medium action.
inline constexpr const char* kMediumHelp =
    "A medium whose index changes from place to place, in place of the lens: PROFILE,KEY=V,... with PROFILE "
    "uniform (n), hot-road (n0, g: n = n0 + g y), fibre (n0, a: n^2 = n0^2 (1 - (a y)^2)), half-plane (c, y0: "
    "n = c / (y - y0) above y0), luneburg (r: n = sqrt(2 - (r'/r)^2) within r of the origin) or layers "
    "(y=Y1:Y2:.., n=N1:N2:.., the indices bottom first), or a preset (mirage, cold-sea, evening-air, fibre, circles, "
    "luneburg, layers, water); none is the lens again.";

}  // namespace lab
