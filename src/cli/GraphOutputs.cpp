#include "cli/GraphOutputs.h"

#include "cli/CommandLine.h"
#include "window/Fermat.h"
#include "lab/Run.h"
#include "window/ViewMenu.h"
#include "canvas/OutputFiles.h"
#include "views/GraphView.h"

namespace app {

std::string WriteGraphOutputs(Fermat& w, const Options& o, canvas::OutputFiles& files) {
  if (!o.curve.empty()) {
    const std::string csv = lab::CurveFile(w.lab());
    if (std::string e = files.add(QString::fromStdString(o.curve), QByteArray::fromStdString(csv)); !e.empty())
      return e;
  }
  if (!o.bundle.empty()) {
    const std::string csv = lab::BundleFile(w.lab());
    if (std::string e = files.add(QString::fromStdString(o.bundle), QByteArray::fromStdString(csv)); !e.empty())
      return e;
  }
  if (!o.equalTime.empty()) {
    const std::string csv = lab::EqualTimeFile(w.lab(), o.equalTimeAt);
    if (std::string e = files.add(QString::fromStdString(o.equalTime), QByteArray::fromStdString(csv)); !e.empty())
      return e;
  }
  if (!o.graphScreenshot.empty()) {
    w.viewMenu().openGraphs();
    // Its own size, not what room the picture leaves on the screen below the axis.
    constexpr QSize kScreenshotView{720, 500};
    views::GraphView* view = w.viewMenu().graphView();
    view->resize(kScreenshotView);
    const QString path = QString::fromStdString(o.graphScreenshot);
    QByteArray bytes;
    if (const QString e = view->encodeBoth(path, bytes); !e.isEmpty()) return e.toStdString();
    if (std::string e = files.add(path, bytes); !e.empty()) return e;
  }
  return {};
}

}  // namespace app
