#include "lab/MediumRun.h"

#include "lab/Format.h"
#include "lab/MediumText.h"

#include <cmath>

namespace lab {
namespace {

std::string kindWord(const optics::CurvedPath& p) { return p.minimum() ? "minimum" : "saddle"; }

std::string degrees(double dx, double dy) {
  return Format(std::atan2(dy, dx) * optics::kDegreesPerRadian, "0.00") + "\u00b0";
}

}  // namespace

std::string MediumHeader(const Lab& lab) { return "# medium: " + MediumText(lab.mediumDesign()) + "\n"; }

std::string MediumLabelLines(const Lab& lab) {
  const auto& r = lab.results().mediumFermat();
  if (!lab.medium() || !r) return {};
  if (r->Paths.empty()) return "Paths\tnone: " + r->Error + "\n";
  std::string out;
  for (const core::CheckedPath& c : r->Paths) {
    const optics::CurvedPath& p = c.Path;
    out += "Path\t" + kindWord(p) + "\ttime " + Format(p.time, "0.00") + ", leaving at " +
           degrees(p.directionX, p.directionY) + ", ray equation within " + SignificantText(c.RayDistance, 2) + "\n";
  }
  return out;
}

std::string PathsFile(const Lab& lab) {
  std::string out = MediumHeader(lab) + "path,point,x,y\n";
  const MediumShape* m = lab.medium();
  if (!m) return out;
  const Results& r = lab.results();
  std::vector<core::CheckedPath> paths;
  if (r.mediumBundleLast() && r.mediumBundle()) {
    for (const optics::CurvedPath& p : r.mediumBundle()->Paths) paths.push_back(core::CheckPath(m->medium, p));
  } else if (r.mediumFermat()) {
    paths = r.mediumFermat()->Paths;
  }
  for (std::size_t k = 0; k < paths.size(); ++k) {
    const optics::CurvedPath& p = paths[k].Path;
    const std::string number = std::to_string(k + 1);
    out += "# path " + number + ": " + kindWord(p) + ", time " + ShortestText(p.time) + ", ray equation within " +
           ShortestText(paths[k].RayDistance) + "\n";
    for (std::size_t i = 0; i < p.points.size(); ++i) {
      out += number + "," + std::to_string(i) + "," + ShortestText(p.points[i].x) + "," + ShortestText(p.points[i].y) +
             "\n";
    }
  }
  return out;
}

}  // namespace lab
