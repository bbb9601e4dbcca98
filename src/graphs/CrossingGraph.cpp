#include "graphs/CrossingGraph.h"

#include <array>
#include <cmath>
#include <cstdint>

#include <fmt/format.h>

#include "text/Language.h"

namespace graphs {

const CrossingGraphTexts& CrossingTexts() {
  // Worded anew when the language changes; the pointers stay good until then.
  static std::array<std::string, 4> store;
  static CrossingGraphTexts texts{};
  static std::uint64_t revision = ~std::uint64_t{0};
  if (revision != text::LanguageRevision()) {
    revision = text::LanguageRevision();
    constexpr const char* kKeys[] = {"graph.crossing.title", "graph.crossing.exact", "graph.crossing.construction",
                                     "graph.crossing.paraxial"};
    for (std::size_t i = 0; i < store.size(); ++i) store[i] = text::Tr(kKeys[i]);
    texts = {store[0].c_str(), store[1].c_str(), store[2].c_str(), store[3].c_str()};
  }
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
    line += text::Tr("graph.crossing.paraxialAt", {{"x", text::LocalNumber(fmt::format("{:.2f}", *paraxialX))}});
  return line;
}

}  // namespace graphs
