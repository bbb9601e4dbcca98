#include "cli/CommandLine.h"


#include "outputs/PictureExport.h"
#include "canvas/Form.h"
#include "canvas/OutputFiles.h"
#include "headless/Files.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QKeySequence>
#include <QStringList>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

#ifndef FERMAT_LENS_VERSION
#error "FERMAT_LENS_VERSION must be defined by the build (the CMake project version)"
#endif

namespace app {
namespace {

constexpr const char* kOffscreenHelp =
    "Run without a display (Qt's offscreen platform); message boxes are printed.";

using lab::ParseInt;

// Every option that needs pixels: its long name, the name of its value (none
// for a flag), its help line and how it lands in Options. `apply` gets the
// option as "--name" and its value; it returns an error, empty when all is
// well. The options both programs take are the session's table
// (headless::SessionOptions), registered from there.
struct OptionEntry {
  const char* name;
  const char* valueName;  // nullptr: a flag
  const char* help;
  bool impliesOffscreen;  // an output that needs no display
  std::string (*apply)(Options& o, const std::string& option, const std::string& value);
};

// The file name ends in one of `extensions` (any case); none: any name.
template <std::size_t N>
std::string checkExtension(const std::string& option, const std::string& path,
                           const std::array<std::string_view, N>& extensions) {
  if (N == 0) return {};
  const std::string suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower().toStdString();
  if (std::find(extensions.begin(), extensions.end(), suffix) != extensions.end()) return {};
  std::string names;
  for (std::size_t i = 0; i < N; ++i) {
    names += (i == 0 ? "." : i + 1 == N ? " or ." : ", .");
    names += extensions[i];
  }
  return option + ": the file name must end in " + names + ", got " + lab::Quoted(path);
}

constexpr std::array<std::string_view, 1> kPng{"png"};
constexpr std::array<std::string_view, 1> kPdf{"pdf"};
// As canvas::PictureFormatOf reads them.
constexpr std::array<std::string_view, 3> kPicture{"png", "svg", "pdf"};

// An output file's option, given once: the name is kept and checked, nothing
// is created.
template <std::string Options::*File, const auto& Extensions>
std::string readOutputFile(Options& o, const std::string& option, const std::string& v) {
  if (!(o.*File).empty()) return option + " is given twice";
  o.*File = v;
  // Whether it can be created or replaced, by fermat-lab's rule; nothing is created.
  if (std::string e = headless::CannotWrite(option, v); !e.empty()) return e;
  return checkExtension(option, v, Extensions);
}

std::string readBackground(Options& o, const std::string& option, const std::string& v) {
  const auto b = canvas::PictureBackgroundOf(v);
  if (!b) return option + " expects white, transparent or window, got " + lab::Quoted(v);
  o.background = *b;
  return {};
}

const OptionEntry kPixelOptions[] = {
    {"screenshot", "FILE.png", "Write the client area as a PNG image after the actions.", true,
     readOutputFile<&Options::screenshot, kPng>},
    {"export", "FILE", "Write the picture as FILE.png, FILE.svg or FILE.pdf after the actions.", true,
     readOutputFile<&Options::exportFile, kPicture>},
    {"scale", "K", "Scale of a PNG export: 1, 2 or 4 times the client area's pixels.", false,
     [](Options& o, const std::string&, const std::string& v) {
       const auto k = ParseInt(v);
       if (!k || !IsPictureScale(*k)) return "--scale expects 1, 2 or 4, got " + lab::Quoted(v);
       o.exportScale = *k;
       return std::string();
     }},
    {"print-pdf", "FILE.pdf", "Print the picture as File > Print does, to FILE.pdf (an A4 page), after the actions.",
     true, readOutputFile<&Options::printPdf, kPdf>},
    {"background", "B", "Background of --export and --print-pdf: white (default), transparent or window.", false,
     readBackground},
    {"caption", nullptr, "A line below the picture of --export and --print-pdf naming the lens and the lesson.", false,
     [](Options& o, const std::string&, const std::string&) { return o.caption = true, std::string(); }},
    {"graph-screenshot", "FILE", "Write the graph view (both tabs) as FILE.png, FILE.svg or FILE.pdf after the actions.",
     true, readOutputFile<&Options::graphScreenshot, kPicture>},
};

QCommandLineOption qtOption(const char* name, const char* valueName, const char* help) {
  return valueName ? QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(help), QString::fromLatin1(valueName))
                   : QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(help));
}

// The values of an option, in the order given; one empty value for a flag
// that is set, none for an option that is not.
QStringList valuesOf(const QCommandLineParser& qt, const char* name, bool flag) {
  const QString n = QString::fromLatin1(name);
  if (!qt.isSet(n)) return {};
  return flag ? QStringList{QString()} : qt.values(n);
}

// The parser with every option of the table, --help and --version.
struct Parser {
  QCommandLineParser qt;
  Parser() {
    qt.setApplicationDescription(
        QStringLiteral("Fermat's principle with a biconvex lens: every ray is built by least travel time."));
    qt.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Qt's own help option would also offer --help-all with the options of
    // QApplication, which this program does not take.
    QStringList help{QStringLiteral("h"), QStringLiteral("help")};
#ifdef Q_OS_WIN
    help.prepend(QStringLiteral("?"));
#endif
    qt.addOption(QCommandLineOption(help, QStringLiteral("Show this help and exit.")));
    qt.addVersionOption();
    qt.addOption(qtOption("offscreen", nullptr, kOffscreenHelp));
    for (const headless::SessionOption& s : headless::SessionOptions()) qt.addOption(qtOption(s.name, s.valueName, s.help));
    for (const OptionEntry& s : kPixelOptions) qt.addOption(qtOption(s.name, s.valueName, s.help));
    qt.addPositionalArgument(QStringLiteral("ACTION"), QStringLiteral("Actions, see below."),
                             QStringLiteral("[ACTION ...]"));
  }
};

// The option as the user typed it, for an unknown option's message.
std::string spelledOption(const std::vector<std::string>& args, const QString& name) {
  for (const std::string& a : args) {
    const std::string_view s(a);
    const auto dashes = s.find_first_not_of('-');
    if (dashes == 0 || dashes == std::string_view::npos) continue;
    if (s.substr(dashes, s.find('=') == std::string_view::npos ? s.npos : s.find('=') - dashes) == name.toStdString()) {
      return a;
    }
  }
  return "--" + name.toStdString();
}

}  // namespace

Parsed ParseCommandLine(const std::vector<std::string>& args) {
  auto fail = [](std::string msg) { return Parsed{std::nullopt, std::move(msg)}; };
  Parser parser;
  QStringList list{QStringLiteral("fermat-lens")};
  for (const std::string& a : args) list << QString::fromStdString(a);
  if (!parser.qt.parse(list)) {
    const QStringList unknown = parser.qt.unknownOptionNames();
    if (!unknown.isEmpty()) return fail("unknown option " + lab::Quoted(spelledOption(args, unknown.front())));
    // "Missing value after '--size'." and the like: one line naming the option.
    QString text = parser.qt.errorText().simplified();
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    if (!text.isEmpty()) text[0] = text[0].toLower();
    return fail(text.toStdString());
  }
  Options o;
  o.help = parser.qt.isSet(QStringLiteral("help"));
  o.version = parser.qt.isSet(QStringLiteral("version"));
  o.offscreen = parser.qt.isSet(QStringLiteral("offscreen"));
  std::vector<headless::GivenOption> given;
  for (const headless::SessionOption& s : headless::SessionOptions()) {
    for (const QString& v : valuesOf(parser.qt, s.name, !s.valueName)) given.push_back({&s, v.toStdString()});
    if (s.output && parser.qt.isSet(QString::fromLatin1(s.name))) o.offscreen = true;
  }
  std::vector<std::string> actions;
  for (const QString& a : parser.qt.positionalArguments()) actions.push_back(a.toStdString());
  if (std::string e = headless::ReadSession(given, actions, o); !e.empty()) return fail(e);
  for (const OptionEntry& s : kPixelOptions) {
    const std::string option = "--" + std::string(s.name);
    for (const QString& v : valuesOf(parser.qt, s.name, !s.valueName)) {
      if (const std::string e = s.apply(o, option, v.toStdString()); !e.empty()) return fail(e);
      if (s.impliesOffscreen) o.offscreen = true;
    }
  }
  if (const std::string e = CheckExportScale(o.exportFile, o.exportScale); !e.empty()) return fail(e);
  const std::optional<QSize> size = o.size ? std::optional(QSize(o.size->first, o.size->second)) : std::nullopt;
  if (const std::string e = CheckExportSize(o.exportFile, o.exportScale, size); !e.empty()) return fail(e);
  if (o.caption && o.exportFile.empty() && o.printPdf.empty()) return fail("--caption needs --export or --print-pdf");
  const std::vector<headless::NamedOutput> pixelOutputs{{"--screenshot", o.screenshot},
                                                        {"--export", o.exportFile},
                                                        {"--graph-screenshot", o.graphScreenshot},
                                                        {"--print-pdf", o.printPdf}};
  if (std::string e = headless::CheckSession(o, pixelOutputs); !e.empty()) return fail(e);
  return {o, {}};
}

std::string Usage() {
  Parser parser;
  QString text = parser.qt.helpText();
  // Without an application object Qt cannot know the program's name.
  text.replace(QStringLiteral("<executable_name>"), QStringLiteral("fermat-lens"));
  text += QStringLiteral("\nActions (run in order after start-up, through the same event procedures as a user):\n");
  for (const lab::ActionHelp& s : lab::ActionHelpRows()) {
    text += QStringLiteral("  %1  %2\n").arg(QString::fromLatin1(s.syntax), -14).arg(QString::fromUtf8(s.help));
  }
  text += QStringLiteral(
      "\nEvery output (--print-labels, the files) implies --offscreen. Without a display a message box is\n"
      "printed as a line \"MsgBox<TAB>text\". Bad input gives a one-line error and exit status 2.\n");
  return text.toStdString();
}

std::string VersionText() {
  return std::string("fermat-lens ") + FERMAT_LENS_VERSION;
}

}  // namespace app
