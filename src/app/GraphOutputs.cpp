#include "app/GraphOutputs.h"

#include "app/CommandLine.h"
#include "app/Fermat.h"
#include "app/SceneGraphs.h"
#include "app/ViewMenu.h"
#include "graphs/Csv.h"
#include "views/GraphView.h"


namespace app {

std::string WriteGraphOutputs(Fermat& w, const Options& o) {
  if (!o.curve.empty()) {
    const std::string csv = graphs::CurveCsv(CurrentCurve(w.model(), w.scene().lens()));
    if (std::string e = WriteFileAtomically(o.curve, csv); !e.empty()) return e;
  }
  if (!o.bundle.empty()) {
    const std::string csv = graphs::BundleCsv(CurrentBundle(w.model(), w.scene().lens()));
    if (std::string e = WriteFileAtomically(o.bundle, csv); !e.empty()) return e;
  }
  if (!o.graphScreenshot.empty()) {
    w.viewMenu().openGraphs();
    const QString e = w.viewMenu().graphView()->exportBoth(QString::fromStdString(o.graphScreenshot));
    if (!e.isEmpty()) return e.toStdString();
  }
  return {};
}

}  // namespace app
