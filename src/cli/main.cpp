#include "cli/Actions.h"
#include "window/AppResources.h"
#include "cli/CommandLine.h"
#include "cli/Display.h"
#include "window/Fermat.h"
#include "cli/GraphOutputs.h"
#include "window/KeyTable.h"
#include "window/LiveLab.h"
#include "outputs/PictureExport.h"
#include "window/StartUp.h"
#include "canvas/OutputFiles.h"
#include "lab/Lessons.h"
#include "lab/Run.h"
#include "lab/SetupRun.h"

#include <QApplication>
#include <QBuffer>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

constexpr QSize kOffscreenSize{1280, 800};

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

// Headless runs have no window stack: showing the graphs' tool window asks
// the offscreen platform to raise it, which it can only refuse aloud. That
// one line is not the user's business; everything else passes through.
QtMessageHandler qtDefaultHandler = nullptr;
void quietHeadless(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message == QLatin1String("This plugin does not support raise()")) return;
  if (qtDefaultHandler) qtDefaultHandler(type, context, message);
}

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
  QApplication::setApplicationName(QStringLiteral("fermat-lens"));
  QApplication::setApplicationDisplayName(QStringLiteral("Fermat"));
  QApplication::setApplicationVersion(QStringLiteral(FERMAT_LENS_VERSION));
  // The desktop matches the window to the menu entry (and its icon) by this id.
  QGuiApplication::setDesktopFileName(app::ApplicationId());
  QApplication::setWindowIcon(app::WindowIcon());
  app::LoadCaptionFont();

  std::unique_ptr<app::Fermat> window;
  if (o.offscreen || o.size) {
    window = app::Main(o.size.value_or(kOffscreenSize), !o.trace.empty());
    if (o.offscreen) {
      // No one to press OK: the message is written out and counts as dismissed.
      window->form().setMessageHandler(
          [](const QString& text) { std::cout << "MsgBox\t" << text.toStdString() << std::endl; });
    }
    window->show();
  } else {
    window = app::MainMaximised();
  }
  if (o.offscreen) qtDefaultHandler = qInstallMessageHandler(quietHeadless);
  if (o.lens) window->setLens(*o.lens);  // checked when the command line was read
  if (o.setup) {
    if (const std::string e = window->openSetup(*o.setup); !e.empty()) return fail("--open: " + e);
  }
  if (!o.lesson.empty()) {
    if (const std::string e = window->openLesson(*lab::FindLesson(o.lesson)); !e.empty()) return fail("--lesson: " + e);
  }
  if (o.classic) window->live().setLive(false);
  if (o.challenge) window->startChallenge();

  for (const app::Action& a : o.actions) app::RunAction(*window, a);

  if (!o.offscreen) return QApplication::exec();

  if (o.printLabels) std::cout << app::LabelLines(*window) << std::flush;
  if (o.challenge) {
    std::cout << "Challenge\t" << lab::ChallengeText(*window->revealChallenge()) << "\n" << std::flush;
  }
  // Every output is made and written to a temporary first; only when all are
  // complete do they replace their targets, so a failure leaves none behind.
  canvas::OutputFiles files;
  const QString caption = o.caption ? QString::fromStdString(lab::PictureCaption(window->lab())) : QString();
  if (!o.screenshot.empty()) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!window->form().snapshot().save(&buffer, "PNG")) return fail("cannot encode the screenshot");
    if (const std::string e = files.add(QString::fromStdString(o.screenshot), png); !e.empty()) return fail(e);
  }
  if (!o.exportFile.empty()) {
    const QString path = QString::fromStdString(o.exportFile);
    QByteArray bytes;
    const std::string e = canvas::EncodePicture(
        path, app::FormPicture(window->form(), o.background, window->lensNote(), caption), o.exportScale == 0 ? 1 : o.exportScale,
        bytes);
    if (!e.empty()) return fail(e);
    if (const std::string w = files.add(path, bytes); !w.empty()) return fail(w);
  }
  if (!o.printPdf.empty()) {
    const QString path = QString::fromStdString(o.printPdf);
    QByteArray bytes;
    if (const std::string e = app::PrintToPdf(window->form(), path, o.background, bytes, caption); !e.empty()) {
      return fail(e);
    }
    if (const std::string w = files.add(path, bytes); !w.empty()) return fail(w);
  }
  if (!o.trace.empty()) {
    const std::string trace = app::TraceText(*window);
    if (const std::string e = files.add(QString::fromStdString(o.trace), QByteArray::fromStdString(trace)); !e.empty())
      return fail(e);
  }
  if (const std::string e = app::WriteGraphOutputs(*window, o, files); !e.empty()) return fail(e);
  if (!o.save.empty()) {
    const std::string json = lab::SetupJson(lab::CurrentSetup(window->lab()));
    if (const std::string e = files.add(QString::fromStdString(o.save), QByteArray::fromStdString(json)); !e.empty())
      return fail(e);
  }
  if (const std::string e = files.commit(); !e.empty()) return fail(e);
  return 0;
}
