#include "graphs/CurveTexts.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "text/Language.h"

namespace graphs {

const CurveGraphTexts& CurveTexts() {
  static text::WordTable<6> words({"graph.curve.least", "graph.curve.through", "graph.curve.height",
                                   "graph.curve.title", "graph.curve.mirrorTitle", "graph.curve.mediumTitle"});
  static CurveGraphTexts texts{};
  if (words.refresh()) texts = {words[0], words[1], words[2], words[3], words[4], words[5]};
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
                                            {"time", text::LocalFixed(d.least->time, 2)},
                                            {"height", text::LocalFixed(d.least->y, 2)}});
}

std::string StationaryKindWord(optics::StationaryKind kind) {
  return text::Tr(std::string("stationary.") + optics::StationaryKindName(kind));
}

}  // namespace graphs
