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
    // Its own size, not what room the picture leaves on the screen below the axis.
    constexpr QSize kScreenshotView{720, 500};
    views::GraphView* view = w.viewMenu().graphView();
    view->resize(kScreenshotView);
    const QString e = view->exportBoth(QString::fromStdString(o.graphScreenshot));
    if (!e.isEmpty()) return e.toStdString();
  }
  return {};
}

}  // namespace app
