#pragma once

#include "optics/Mirror.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lab {

// The Mirror panel as both views show it: the kind, then the numbers that
// kind has, each a field. The window's panel and the page's read this one
// table and change the mirror through EditMirror, so a typed value gives the
// same mirror in each.

// The kinds in the panel's order, as --mirror spells them, with their names.
struct MirrorKindEntry {
  optics::MirrorKind kind;
  const char* word;  // flat, concave, ...
  const char* name;  // as the panel's list shows it (a catalogue key)
};
[[nodiscard]] std::span<const MirrorKindEntry> MirrorKinds() noexcept;
[[nodiscard]] const char* MirrorKindWord(optics::MirrorKind kind) noexcept;

struct MirrorPanelRow {
  const char* key;    // r, f, f1x, f1y, f2x, f2y, aperture
  const char* label;  // the field's label (a catalogue key)
  const char* hint;   // (a catalogue key)
  double low, high;   // the values the field may take
  double step;
};

// The rows a mirror of that kind has, in order; every kind ends with the aperture.
[[nodiscard]] std::vector<MirrorPanelRow> MirrorPanelRows(optics::MirrorKind kind);

// What a field shows for the mirror in force (the aperture: the one the
// mirror has, a sphere's radius where that is smaller than the default).
[[nodiscard]] double MirrorFieldValue(const optics::MirrorDesign& design, const optics::Mirror& mirror,
                                      std::string_view key);
// And as the field writes it, in both views: 12 significant digits, so that
// a computed aperture shows as 180, not 179.99999999999997.
[[nodiscard]] std::string MirrorFieldText(const optics::MirrorDesign& design, const optics::Mirror& mirror,
                                          std::string_view key);

// The mirror with one field typed anew, or of another kind (its numbers
// kept); refused with one line ("type a number for r", the reason the mirror
// cannot exist) and no mirror.
struct MirrorEdit {
  std::optional<optics::MirrorDesign> design;
  std::string error;
};
[[nodiscard]] MirrorEdit EditMirror(const optics::MirrorDesign& design, std::string_view key, std::string_view typed);
[[nodiscard]] MirrorEdit MirrorOfKind(const optics::MirrorDesign& design, std::string_view word);

}  // namespace lab
