#include "graphs/CurveTexts.h"

#include <array>
#include <cmath>
#include <cstdint>

#include <fmt/format.h>

#include "text/Language.h"

namespace graphs {

const CurveGraphTexts& CurveTexts() {
  // Worded anew when the language changes; the pointers stay good until then.
  static std::array<std::string, 6> store;
  static CurveGraphTexts texts{};
  static std::uint64_t revision = ~std::uint64_t{0};
  if (revision != text::LanguageRevision()) {
    revision = text::LanguageRevision();
    constexpr const char* kKeys[] = {"graph.curve.least", "graph.curve.through",     "graph.curve.height",
                                     "graph.curve.title", "graph.curve.mirrorTitle", "graph.curve.mediumTitle"};
    for (std::size_t i = 0; i < store.size(); ++i) store[i] = text::Tr(kKeys[i]);
    texts = {store[0].c_str(), store[1].c_str(), store[2].c_str(),
             store[3].c_str(), store[4].c_str(), store[5].c_str()};
  }
  return texts;
}

const char* CurveTitle(const CurveData& d) {
  return d.throughPoint ? CurveTexts().mediumTitle : d.alongMirror ? CurveTexts().mirrorTitle : CurveTexts().title;
}

std::string LeastTimeLine(const CurveData& d) {
  if (d.samples.empty()) return {};
  if (!d.least || !std::isfinite(d.least->y) || !std::isfinite(d.least->time)) {
    return text::Tr("graph.curve.notFound");
  }
  return text::Tr("graph.curve.leastLine", {{"least", CurveTexts().least},
                                            {"time", text::LocalNumber(fmt::format("{:.2f}", d.least->time))},
                                            {"height", text::LocalNumber(fmt::format("{:.2f}", d.least->y))}});
}

}  // namespace graphs
