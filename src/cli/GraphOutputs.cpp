#include "cli/GraphOutputs.h"

#include "window/Fermat.h"
#include "window/ViewMenu.h"
#include "views/GraphView.h"

namespace app {

std::string GraphScreenshot(Fermat& w, const QString& path, QByteArray& bytes) {
  w.viewMenu().openGraphs();
  // Its own size, not what room the picture leaves on the screen below the axis.
  constexpr QSize kScreenshotView{720, 500};
  views::GraphView* view = w.viewMenu().graphView();
  view->resize(kScreenshotView);
  if (const QString e = view->encodeBoth(path, bytes); !e.isEmpty()) return e.toStdString();
  return {};
}

}  // namespace app
