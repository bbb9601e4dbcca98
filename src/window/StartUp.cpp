#include "window/StartUp.h"

#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace app {
namespace {

// How long to wait for the first expose before building on the size the
// window has then (a window that starts minimised or on a hidden workspace
// is never exposed).
constexpr int kExposeWaitMs = 5000;
constexpr QSize kProvisionalClient{200, 150};

// Builds the scene when the window it watches is first exposed; the expose
// event itself goes on to paint the finished scene.
class SceneOnFirstExpose final : public QObject {
 public:
  SceneOnFirstExpose(Fermat& window, QEventLoop& loop) : window_(window), loop_(loop) {}

  void build() {
    if (built_) return;
    built_ = true;
    const QWidget* central = window_.centralWidget();
    window_.setClientSize(central ? central->size() : window_.size());
    window_.buildScene();
    loop_.quit();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) build();
    return false;
  }

 private:
  Fermat& window_;
  QEventLoop& loop_;
  bool built_ = false;
};

}  // namespace

std::unique_ptr<Fermat> MainMaximised() {
  const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
  // The form's size here is provisional: it is replaced before anything is
  // drawn. It starts small so that it never overflows the central area below
  // the menu bar, which would leave the scroll area's bars showing.
  auto window = std::make_unique<Fermat>(kProvisionalClient);
  window->setGeometry(available);
  (void)window->winId();  // creates the native window, so that its events can be watched
  QEventLoop loop;
  SceneOnFirstExpose builder(*window, loop);
  window->windowHandle()->installEventFilter(&builder);
  window->showMaximized();
  QTimer::singleShot(kExposeWaitMs, &loop, &QEventLoop::quit);
  loop.exec();
  builder.build();
  window->windowHandle()->removeEventFilter(&builder);
  return window;
}

}  // namespace app
