#include "cli/WindowProgram.h"

#include "cli/Actions.h"
#include "cli/GraphOutputs.h"
#include "headless/Files.h"
#include "lab/Lessons.h"
#include "outputs/PictureExport.h"
#include "text/Language.h"
#include "text/Translations.h"
#include "window/Fermat.h"
#include "window/LiveLab.h"
#include "window/StartUp.h"

#include <QSettings>
#include <QApplication>
#include <QBuffer>

#include <iostream>

namespace app {
namespace {

constexpr QSize kOffscreenSize{1280, 800};

// Headless runs have no window stack: showing the graphs' tool window asks
// the offscreen platform to raise it, which it can only refuse aloud. That
// one line is not the user's business; everything else passes through.
QtMessageHandler qtDefaultHandler = nullptr;
void quietHeadless(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message == QLatin1String("This plugin does not support raise()")) return;
  if (qtDefaultHandler) qtDefaultHandler(type, context, message);
}

}  // namespace

WindowProgram::WindowProgram(const Options& options) : o_(options) {}
WindowProgram::~WindowProgram() = default;

lab::Lab& WindowProgram::build(const headless::Session& s) {
  // A window on a screen starts in the language last chosen from its menu,
  // unless --lang says otherwise; offscreen runs are the scripts' and tests',
  // which say what they want.
  const bool remembers = !o_.offscreen;
  if (remembers && s.lang.empty()) {
    const QString saved = QSettings().value(QStringLiteral("language")).toString();
    text::AddBuiltInTranslations();
    if (!saved.isEmpty()) (void)text::UseLanguage(saved.toStdString());  // one since removed: the original
  }
  if (o_.offscreen || s.size) {
    const QSize size = s.size ? QSize(s.size->first, s.size->second) : kOffscreenSize;
    window_ = Main(size, !s.trace.empty());
    if (o_.offscreen) {
      // No one to press OK: the message is written out and counts as dismissed.
      window_->form().setMessageHandler(
          [](const QString& text) { std::cout << "MsgBox\t" << text.toStdString() << std::endl; });
    }
    window_->show();
  } else {
    window_ = MainMaximised();
  }
  if (o_.offscreen) qtDefaultHandler = qInstallMessageHandler(quietHeadless);
  if (remembers) {
    window_->languageChosen = [](const std::string& code) {
      QSettings().setValue(QStringLiteral("language"), QString::fromStdString(code));
    };
  }
  return window_->lab();
}

std::string WindowProgram::setLens(const optics::LensDesign& design) { return window_->setLens(design); }
std::string WindowProgram::setMirror(const optics::MirrorDesign& design) { return window_->setMirror(design); }
std::string WindowProgram::setMedium(const optics::MediumDesign& design) { return window_->setMedium(design); }
std::string WindowProgram::openSetup(const lab::Setup& setup) { return window_->openSetup(setup); }
std::string WindowProgram::openLesson(const lab::Lesson& lesson) { return window_->openLesson(lesson); }
void WindowProgram::setLive(bool on) { window_->live().setLive(on); }
void WindowProgram::startChallenge() { window_->startChallenge(); }
void WindowProgram::run(const lab::Action& action) { RunAction(*window_, action); }

std::optional<int> WindowProgram::handOver() {
  if (o_.offscreen) return std::nullopt;
  return QApplication::exec();
}

const std::optional<lab::ChallengeReveal>& WindowProgram::revealChallenge() { return window_->revealChallenge(); }

std::string WindowProgram::addOutputs(headless::OutputFiles& files) {
  const QString caption = o_.caption ? QString::fromStdString(lab::PictureCaption(window_->lab())) : QString();
  auto add = [&files](const std::string& path, const QByteArray& bytes) { return files.add(path, bytes.toStdString()); };
  if (!o_.screenshot.empty()) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!window_->form().snapshot().save(&buffer, "PNG")) return "cannot encode the screenshot";
    if (std::string e = add(o_.screenshot, png); !e.empty()) return e;
  }
  if (!o_.exportFile.empty()) {
    QByteArray bytes;
    const std::string e = canvas::EncodePicture(
        QString::fromStdString(o_.exportFile),
        FormPicture(window_->form(), o_.background, window_->lensNote(), caption),
        o_.exportScale == 0 ? 1 : o_.exportScale, bytes);
    if (!e.empty()) return e;
    if (std::string w = add(o_.exportFile, bytes); !w.empty()) return w;
  }
  if (!o_.printPdf.empty()) {
    QByteArray bytes;
    const std::string e = PrintToPdf(window_->form(), QString::fromStdString(o_.printPdf), o_.background, bytes, caption);
    if (!e.empty()) return e;
    if (std::string w = add(o_.printPdf, bytes); !w.empty()) return w;
  }
  if (!o_.graphScreenshot.empty()) {
    QByteArray bytes;
    if (std::string e = GraphScreenshot(*window_, QString::fromStdString(o_.graphScreenshot), bytes); !e.empty())
      return e;
    if (std::string w = add(o_.graphScreenshot, bytes); !w.empty()) return w;
  }
  return {};
}

}  // namespace app
