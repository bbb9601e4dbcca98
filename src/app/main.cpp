#include "app/Actions.h"
#include "app/CommandLine.h"
#include "app/Fermat.h"
#include "app/KeyboardControl.h"
#include "app/LiveLab.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QScreen>

#include <cstdio>
#include <iostream>

namespace {

constexpr QSize kOffscreenSize{1280, 800};

// The client area a maximised window gets on this screen, measured on an
// empty window with a menu bar like the program's (the client area lies below
// it): the window manager decides it only once the window is shown.
QSize maximisedClientSize() {
  QMainWindow probe;
  probe.menuBar()->addMenu(QStringLiteral("&View"));
  probe.setCentralWidget(new QWidget);
  probe.showMaximized();
  QElapsedTimer timer;
  timer.start();
  QSize last;
  qint64 stableSince = 0;
  while (timer.elapsed() < 1500) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    const QSize now = probe.centralWidget()->size();
    if (now != last) {
      last = now;
      stableSince = timer.elapsed();
    } else if (probe.isVisible() && timer.elapsed() - stableSince > 200) {
      break;
    }
  }
  // Without a window manager nothing maximises the window: then the whole
  // available screen is the client area, as for a window sized to the screen.
  const QSize screen = probe.screen()->availableGeometry().size() - QSize(0, probe.menuBar()->sizeHint().height());
  if (last.width() < screen.width() / 2 || last.height() < screen.height() / 2) return screen;
  return last;
}

// The offscreen platform reports what it cannot do for a window (size hints)
// and Qt notes a missing runtime folder; neither concerns a run without a
// display, and stderr is kept for real errors.
void quietOffscreenMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && (message.contains(QLatin1String("propagateSizeHints")) ||
                               message.contains(QLatin1String("XDG_RUNTIME_DIR")))) {
    return;
  }
  std::fputs(qPrintable(qFormatLogMessage(type, context, message) + QLatin1Char('\n')), stderr);
}

int fail(const std::string& message) {
  std::cerr << "fermat-lens: " << message << "\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const app::Parsed parsed = app::ParseCommandLine(args);
  if (!parsed.options) return fail(parsed.error);
  const app::Options& o = *parsed.options;
  if (o.help) {
    std::cout << app::Usage() << "keys in the window:\n" << app::KeysHelp().toStdString() << "\n";
    return 0;
  }
  if (o.offscreen) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietOffscreenMessages);
  }

  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("fermat-lens"));
  QApplication::setApplicationDisplayName(QStringLiteral("Fermat"));

  const QSize size = o.size ? *o.size : (o.offscreen ? kOffscreenSize : maximisedClientSize());
  std::unique_ptr<app::Fermat> window = app::Main(size, !o.trace.empty());
  if (o.classic) window->live().setLive(false);
  if (o.offscreen) {
    // No one to press OK: the message is written out and counts as dismissed.
    window->form().setMessageHandler([](const QString& text) {
      std::cout << "MsgBox\t" << text.toStdString() << std::endl;
    });
    window->show();
  } else if (o.size) {
    window->show();
  } else {
    window->showMaximized();
  }

  for (const app::Action& a : o.actions) app::RunAction(*window, a);

  if (!o.offscreen) return QApplication::exec();

  if (o.printLabels) std::cout << app::LabelLines(*window) << std::flush;
  if (!o.screenshot.empty()) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!window->form().snapshot().save(&buffer, "PNG")) return fail("cannot encode the screenshot");
    if (const std::string e = app::WriteFileAtomically(o.screenshot, png.toStdString()); !e.empty()) return fail(e);
  }
  if (!o.trace.empty()) {
    if (const std::string e = app::WriteFileAtomically(o.trace, app::TraceText(*window)); !e.empty()) return fail(e);
  }
  return 0;
}
