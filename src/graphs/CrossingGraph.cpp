#include "graphs/CrossingGraph.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "text/Language.h"

namespace graphs {

const CrossingGraphTexts& CrossingTexts() {
  static text::WordTable<4> words(
      {"graph.crossing.title", "graph.crossing.exact", "graph.crossing.construction", "graph.crossing.paraxial"});
  static CrossingGraphTexts texts{};
  if (words.refresh()) texts = {words[0], words[1], words[2], words[3]};
  return texts;
}

std::string CrossingSummary(const std::vector<BundleRayRow>& rows, std::optional<double> paraxialX) {
  if (rows.empty()) return {};
  std::size_t exact = 0, constructed = 0;
  bool continued = false;
  for (const BundleRayRow& r : rows) {
    exact += r.exactAxisX.has_value();
    constructed += AxisCrossing(r).has_value();
    continued = continued || r.continuation.drawn;
  }
  std::string line = text::TrCount("graph.crossing.summary", rows.size(), {{"exact", std::to_string(exact)}});
  line += continued ? text::Tr("graph.crossing.byConstruction", {{"constructed", std::to_string(constructed)}})
                    : text::Tr("graph.crossing.comesWithContinuation");
  if (paraxialX && std::isfinite(*paraxialX))
    line += text::Tr("graph.crossing.paraxialAt", {{"x", text::LocalFixed(*paraxialX, 2)}});
  return line;
}

}  // namespace graphs
