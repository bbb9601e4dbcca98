#pragma once

#include "optics/Mirror.h"

#include <optional>
#include <string>
#include <string_view>

namespace lab {

// A mirror as the command line, the set-ups and the share links spell it:
// "KIND,KEY=V,..." where KIND is a preset key (flat, concave, convex,
// parabolic, elliptical, tangent-ellipse; or preset=KEY), then r (a sphere's
// radius), f (a parabola's focal length), f1=X,Y and f2=X,Y (an ellipse's
// foci) and aperture (half height). "none" is the lens scene, no mirror.
// Keys a kind has no use for are refused. Returns a one-line error, leaving
// `into` as it was, or empty when good; the mirror may still be one that
// cannot exist (ReadMirror checks that too).
[[nodiscard]] std::string ParseMirror(std::string_view text, std::optional<optics::MirrorDesign>& into);

// ParseMirror, then refused (one line) when the mirror cannot exist.
[[nodiscard]] std::string ReadMirror(std::string_view text, std::optional<optics::MirrorDesign>& into);

// The spelling ParseMirror reads back to the same mirror, each number in its
// shortest exact digits ("concave,r=300", "elliptical,f1=-240,90,f2=-240,-90";
// "none" for the lens scene).
[[nodiscard]] std::string MirrorText(const std::optional<optics::MirrorDesign>& design);

// One line for people: the preset's name when it is one, then the numbers
// ("Concave mirror (r = 300): concave, r = 300, aperture 180").
// A preset's name as the menu shows it, in the language in force.
[[nodiscard]] std::string MirrorPresetName(const optics::MirrorPreset& preset);
[[nodiscard]] std::string MirrorSummary(const optics::MirrorDesign& design, const optics::Mirror& mirror);

// The help line of --mirror and of the mirror action.
inline constexpr const char* kMirrorHelp =
    "A mirror in place of the lens: KIND,KEY=V,... with KIND flat, concave, convex, parabolic, elliptical or "
    "tangent-ellipse, then r (radius: a concave sphere's centre at (-r, 0), a convex one's at (r, 0)), f (a "
    "parabola's focal length: focus at (-f, 0)), f1=X,Y and f2=X,Y (an ellipse's foci), aperture (half height). "
    "The vertex stands at the origin facing the source; none is the lens again.";

}  // namespace lab
