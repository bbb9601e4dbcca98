#pragma once

#include <string>
#include <vector>

#include "text/Catalogue.h"

namespace text {

// What keeps a translation from standing in for the original everywhere,
// one line a fault ("missing: caption.time", "placeholders differ:
// lesson.fibre.task"), none when it is complete:
// - its meta names its language, its own name, its direction and decimal
//   separator, and who wrote it;
// - every text of the original is there, a counted one in every plural
//   category the language needs (and no other), and nothing else;
// - each keeps its source's {{placeholders}}, its HTML tags in order, and a
//   menu text's one "&" access key; none is empty.
[[nodiscard]] std::vector<std::string> CheckTranslation(const Catalogue& original, const Catalogue& translation);

// Reads a catalogue file's text and checks it against the original built
// into the program; the reading's refusal is the one fault when it cannot be read.
[[nodiscard]] std::vector<std::string> CheckCatalogueText(std::string_view json);

}  // namespace text
