#include "cli/CommandLine.h"
#include "cli/Display.h"
#include "cli/WindowProgram.h"
#include "headless/Start.h"
#include "window/AppResources.h"
#include "window/KeyTable.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

// The offscreen platform reports what it cannot do for a window (size hints)
// and Qt notes a missing runtime folder; neither concerns a run without a
// display, and stderr is kept for real errors.
void quietOffscreenMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg &&
      (message.contains(QLatin1String("propagateSizeHints")) || message.contains(QLatin1String("XDG_RUNTIME_DIR")))) {
    return;
  }
  std::fputs(qPrintable(qFormatLogMessage(type, context, message) + QLatin1Char('\n')), stderr);
}

int fail(const std::string& message) {
  std::cerr << "fermat-lens: " << message << "\n";
  return 2;
}

// X11 and Wayland systems: a display is named in the environment, or not.
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
#define FERMAT_CHECKS_DISPLAY 1

// While the application object connects to the display, Qt's messages are
// held back: if the platform cannot start, which Qt ends with a fatal
// message and an abort, the user gets one line and exit status 2 instead;
// otherwise they are written out after all.
QList<QPair<QtMsgType, QString>>& heldMessages() {
  static QList<QPair<QtMsgType, QString>> held;
  return held;
}

void holdStartMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg) {
    heldMessages().append({type, qFormatLogMessage(type, context, message)});
    return;
  }
  const QByteArray display = qgetenv("WAYLAND_DISPLAY").isEmpty() ? qgetenv("DISPLAY") : qgetenv("WAYLAND_DISPLAY");
  std::fputs(
      ("fermat-lens: " + app::NoDisplayMessage("cannot connect to '" + display.toStdString() + "'") + "\n").c_str(),
      stderr);
  std::fflush(stderr);
  std::_Exit(2);
}

void releaseStartMessages() {
  qInstallMessageHandler(nullptr);
  for (const auto& [type, text] : heldMessages()) std::fputs(qPrintable(text + QLatin1Char('\n')), stderr);
  heldMessages().clear();
}
#endif

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const app::Parsed parsed = app::ParseCommandLine(args);
  if (!parsed.options) return fail(parsed.error);
  const app::Options& o = *parsed.options;
  if (o.help || o.version) {
    if (o.help) {
      std::cout << app::Usage() << "\nKeys in the window:\n" << app::KeysHelp().toStdString() << "\n";
    } else {
      std::cout << app::VersionText() << "\n";
    }
    std::cout << std::flush;
    return 0;
  }
  if (o.offscreen) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietOffscreenMessages);
  } else {
#ifdef FERMAT_CHECKS_DISPLAY
    // X11 and Wayland: with no display named, say so before Qt aborts.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!app::DisplayNamed(platform, qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"))) {
      return fail(app::NoDisplayMessage(platform.isEmpty() ? "neither DISPLAY nor WAYLAND_DISPLAY is set"
                                                           : "QT_QPA_PLATFORM is " + platform.toStdString() +
                                                                 " but its display is not set"));
    }
    qInstallMessageHandler(holdStartMessages);
#endif
  }

  QApplication application(argc, argv);
#ifdef FERMAT_CHECKS_DISPLAY
  if (!o.offscreen) releaseStartMessages();
#endif
  QApplication::setOrganizationName(QStringLiteral("fermat-lens"));
  QApplication::setApplicationName(QStringLiteral("fermat-lens"));
  QApplication::setApplicationDisplayName(QStringLiteral("Fermat"));
  QApplication::setApplicationVersion(QStringLiteral(FERMAT_LENS_VERSION));
  // The desktop matches the window to the menu entry (and its icon) by this id.
  QGuiApplication::setDesktopFileName(app::ApplicationId());
  QApplication::setWindowIcon(app::WindowIcon());
  app::LoadCaptionFont();

  app::WindowProgram program(o);
  const headless::Ending end = headless::RunSession(o, program, std::cout);
  return end.error.empty() ? end.status : fail(end.error);
}
