#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "optics/LensDesign.h"

namespace lab {

// A finite double in the C locale's spelling, nothing around it (how --lens
// and the Lens panel's fields read a number).
[[nodiscard]] std::optional<double> ParseLensNumber(std::string_view s);

// A lens as the command line and the share links spell it: "KEY=VALUE,..."
// with the keys n, r1, r2 (a number or "flat"), thickness, aperture (a number
// or "auto": where the faces meet) and preset (a LensPresets key, applied
// first wherever it stands). Missing keys keep `into`'s values. Returns a
// one-line error, leaving `into` as it was, or empty when good.
[[nodiscard]] std::string ParseLens(std::string_view text, optics::LensDesign& into);

// A lens from the standard one with the keys of `text`, refused (one line)
// when it cannot exist: the reading of --lens and of the lens action.
[[nodiscard]] std::string ReadLens(std::string_view text, optics::LensDesign& into);

// The help line of --lens.
inline constexpr const char* kLensHelp =
    "The lens: KEY=V,... with n (1.05 to 4: light n times slower in the glass), r1 and r2 (radius of the first "
    "and second face, negative for a hollow face, or flat), thickness (on the axis), aperture (half height, or "
    "auto), preset (standard, crown, water, diamond, plano-convex, biconcave, meniscus, slab). Keys left out keep "
    "the standard lens's values.";

// The spelling ParseLens reads back to the same lens: every key but preset,
// each number in its shortest exact digits ("n=1.5,r1=180,r2=flat,...").
[[nodiscard]] std::string LensText(const optics::LensDesign& design);

// One line for people, for the window's title, the page and the files'
// headers: the preset's name when it is one, then the numbers of the lens in
// force ("Crown glass (n = 1.5): n = 1.5, r1 = 180, r2 = 180, thickness 30,
// aperture 71.94").
// A preset's name as the menu shows it, in the language in force.
[[nodiscard]] std::string LensPresetName(const optics::LensPreset& preset);
[[nodiscard]] std::string LensSummary(const optics::LensDesign& design, const optics::Lens& lens);

}  // namespace lab
