#include "lab/HelpTexts.h"

#include "lab/Lessons.h"
#include "text/Language.h"

namespace lab {

using text::Tr;

std::vector<KeyHelp> KeyHelpRows() {
  // The catalogue's "help.keys.NAME" rows, in the table's order; the last three
  // are the window's menu shortcuts, which the page leaves to the browser.
  struct Row {
    const char* name;
    bool window = true, page = true;
  };
  static constexpr Row kRows[] = {{"arrows"}, {"shiftArrows"}, {"otherMarker"}, {"leastTime"}, {"alongFace"}, {"buttons"},
                                  {"play"},   {"tab"},         {"graphs", true, false},
                                  {"reset", true, false},      {"quit", true, false}};
  std::vector<KeyHelp> rows;
  for (const Row& r : kRows) {
    const std::string key = std::string("help.keys.") + r.name;
    rows.push_back({Tr(key + ".keys"), Tr(key + ".what"), r.window, r.page});
  }
  return rows;
}

std::string KeysNote() { return Tr("help.keysNote"); }

std::string GuideHtml() {
  return Tr("help.guide.picture") + Tr("help.guide.buttons") +
         Tr("help.guide.beside", {{"crossingsLesson", FindLesson("exact-crossings")->title()}});
}

std::string FirstVisitText() { return Tr("help.firstVisit"); }

}  // namespace lab
