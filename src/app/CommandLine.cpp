#include "app/CommandLine.h"

#include "app/PictureExport.h"
#include "canvas/Form.h"
#include "canvas/OutputFiles.h"

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

constexpr int kMinWidth = 200, kMinHeight = 150, kMaxSide = 16384;

// Built by appending: "'" + std::string(s) makes g++ 12 at -O3 raise a false
// -Wrestrict (GCC bug 105329).
std::string inQuotes(std::string_view s) {
  std::string out(1, '\'');
  out.append(s);
  out += '\'';
  return out;
}

std::optional<int> parseInt(std::string_view s) {
  int v = 0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc{} || ptr != s.data() + s.size() || s.empty()) return std::nullopt;
  return v;
}

// A finite number that a Single can hold. QString::toDouble reads the C
// locale's spelling (decimal point) whatever the user's locale, on every
// toolchain; it would skip surrounding blanks, which an argument must not carry.
std::optional<float> parseCoordinate(std::string_view s) {
  if (s.empty() || std::any_of(s.begin(), s.end(), [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); })) {
    return std::nullopt;
  }
  bool ok = false;
  const double v = QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())).toDouble(&ok);
  if (!ok || !std::isfinite(v) || std::abs(v) > 3.0e38) return std::nullopt;
  return static_cast<float>(v);
}

// The shortest decimal text that reads back (through parseCoordinate) as v.
std::string coordinateText(float v) {
  QString text;
  for (int digits = 1; digits <= 9; ++digits) {
    text = QString::number(static_cast<double>(v), 'g', digits);
    if (parseCoordinate(text.toStdString()) == v) break;
  }
  return text.toStdString();
}

// The file can be created or replaced: its folder exists and is writable, and
// the path is not a folder, a FIFO, a device or an existing read-only file.
// Nothing is created.
std::string checkWritable(const std::string& option, const std::string& path) {
  if (path.empty()) return option + " needs a file name";
  const QFileInfo file(QString::fromStdString(path));
  if (const QString why = canvas::NotARegularFile(file.filePath()); !why.isEmpty()) {
    return option + ": " + why.toStdString() + ": " + inQuotes(path);
  }
  const QFileInfo dir(file.absolutePath());
  if (!dir.isDir()) return option + ": no such folder for " + inQuotes(path);
  if (!dir.isWritable()) return option + ": folder not writable for " + inQuotes(path);
  if (file.exists() && !file.isWritable()) return option + ": file not writable: " + inQuotes(path);
  return {};
}

std::string readSize(Options& o, const std::string& option, const std::string& v) {
  const auto x = v.find('x');
  const auto w = x == std::string::npos ? std::nullopt : parseInt(std::string_view(v).substr(0, x));
  const auto h = x == std::string::npos ? std::nullopt : parseInt(std::string_view(v).substr(x + 1));
  if (!w || !h) return option + " expects WxH in pixels, got " + inQuotes(v);
  if (*w < kMinWidth || *h < kMinHeight || *w > kMaxSide || *h > kMaxSide) {
    return option + " must be from 200x150 to 16384x16384, got " + inQuotes(v);
  }
  o.size = QSize(*w, *h);
  return {};
}

// Every option: its long name, the name of its value (none for a flag), its
// help line and how it lands in Options. `apply` gets the option as typed
// ("--size") and its value; it returns an error, empty when all is well.
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
  return option + ": the file name must end in " + names + ", got " + inQuotes(path);
}

constexpr std::array<std::string_view, 0> kAnyName{};
constexpr std::array<std::string_view, 1> kPng{"png"};
constexpr std::array<std::string_view, 1> kCsv{"csv"};
constexpr std::array<std::string_view, 1> kPdf{"pdf"};
// As canvas::PictureFormatOf reads them.
constexpr std::array<std::string_view, 3> kPicture{"png", "svg", "pdf"};

// An output file's option, given once: the name is kept and checked, nothing
// is created.
template <std::string Options::*File, const auto& Extensions>
std::string readOutputFile(Options& o, const std::string& option, const std::string& v) {
  if (!(o.*File).empty()) return option + " is given twice";
  o.*File = v;
  if (std::string e = checkWritable(option, v); !e.empty()) return e;
  return checkExtension(option, v, Extensions);
}

// Where the file lands: QSaveFile follows a link to its target.
QString landingPath(const std::string& path) {
  const QFileInfo file(QString::fromStdString(path));
  if (file.exists()) return file.canonicalFilePath();
  if (file.isSymLink()) return QFileInfo(file.symLinkTarget()).absoluteFilePath();
  const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
  return (folder.isEmpty() ? file.absolutePath() : folder) + QLatin1Char('/') + file.fileName();
}

// No two outputs write one file: the second would silently replace the first.
std::string checkDistinctOutputs(const Options& o) {
  const std::pair<const char*, const std::string*> outputs[] = {
      {"--screenshot", &o.screenshot}, {"--trace", &o.trace},       {"--curve", &o.curve},
      {"--bundle", &o.bundle},         {"--export", &o.exportFile}, {"--graph-screenshot", &o.graphScreenshot},
      {"--print-pdf", &o.printPdf}};
  std::vector<std::pair<QString, const char*>> seen;
  for (const auto& [option, path] : outputs) {
    if (path->empty()) continue;
    const QString landing = landingPath(*path);
    for (const auto& [other, otherOption] : seen) {
      if (other == landing) {
        return std::string(otherOption) + " and " + option + " name the same file " + inQuotes(*path);
      }
    }
    seen.emplace_back(landing, option);
  }
  return {};
}

std::string readBackground(Options& o, const std::string& option, const std::string& v) {
  const auto b = canvas::PictureBackgroundOf(v);
  if (!b) return option + " expects white, transparent or window, got " + inQuotes(v);
  o.background = *b;
  return {};
}

const OptionEntry kOptions[] = {
    {"offscreen", nullptr, "Run without a display (Qt's offscreen platform); message boxes are printed.", false,
     [](Options& o, const std::string&, const std::string&) { return o.offscreen = true, std::string(); }},
    {"size", "WxH", "Client area in pixels, 200x150 to 16384x16384 (default: the maximised window).", false, readSize},
    {"classic", nullptr, "Nothing is redrawn while a marker or a scroll bar's thumb is dragged.", false,
     [](Options& o, const std::string&, const std::string&) { return o.classic = true, std::string(); }},
    {"print-labels", nullptr, "Print the six labels after the actions.", true,
     [](Options& o, const std::string&, const std::string&) { return o.printLabels = true, std::string(); }},
    {"screenshot", "FILE.png", "Write the client area as a PNG image after the actions.", true,
     readOutputFile<&Options::screenshot, kPng>},
    {"trace", "FILE", "Write every drawing operation as a line of JSON.", true,
     readOutputFile<&Options::trace, kAnyName>},
    {"curve", "FILE.csv", "Write the travel-time curve of the first surface as CSV after the actions.", true,
     readOutputFile<&Options::curve, kCsv>},
    {"bundle", "FILE.csv", "Write one CSV row per ray of the last bundle after the actions.", true,
     readOutputFile<&Options::bundle, kCsv>},
    {"export", "FILE", "Write the picture as FILE.png, FILE.svg or FILE.pdf after the actions.", true,
     readOutputFile<&Options::exportFile, kPicture>},
    {"scale", "K", "Scale of a PNG export: 1, 2 or 4 times the client area's pixels.", false,
     [](Options& o, const std::string&, const std::string& v) {
       const auto k = parseInt(v);
       if (!k || !IsPictureScale(*k)) return "--scale expects 1, 2 or 4, got " + inQuotes(v);
       o.exportScale = *k;
       return std::string();
     }},
    {"print-pdf", "FILE.pdf", "Print the picture as File > Print does, to FILE.pdf (an A4 page), after the actions.",
     true, readOutputFile<&Options::printPdf, kPdf>},
    {"background", "B", "Background of --export and --print-pdf: white (default), transparent or window.", false,
     readBackground},
    {"graph-screenshot", "FILE", "Write the graph view (both tabs) as FILE.png, FILE.svg or FILE.pdf after the actions.",
     true, readOutputFile<&Options::graphScreenshot, kPicture>},
};

std::string readPoint(std::string_view value, Action& a) {
  const auto comma = value.find(',');
  const auto x = comma == std::string_view::npos ? std::nullopt : parseCoordinate(value.substr(0, comma));
  const auto y = comma == std::string_view::npos ? std::nullopt : parseCoordinate(value.substr(comma + 1));
  if (!x || !y) return "expected two finite numbers X,Y";
  a.x = *x;
  a.y = *y;
  return {};
}

std::string readBar(std::string_view value, Action& a, canvas::BarRange range) {
  const auto v = parseInt(value);
  if (!v) return "expected a whole number";
  if (!range.contains(*v)) {
    return "value out of range " + std::to_string(std::min(range.min, range.max)) + ".." +
           std::to_string(std::max(range.min, range.max));
  }
  a.value = *v;
  return {};
}

// Every action: the key before '=', how its value reads (an error without the
// argument, which the caller appends; empty when good), how it is written
// back, and its help line.
struct ActionEntry {
  Action::Kind kind;
  const char* key;
  const char* syntax;
  const char* help;
  std::string (*read)(std::string_view value, Action& a);  // null: the action takes no value
  enum class Text { Number, Point, Key, None } text;      // how the value is written back
};

template <const canvas::BarRange& Range>
std::string readBarIn(std::string_view v, Action& a) {
  return readBar(v, a, Range);
}

std::string readKey(std::string_view v, Action& a) {
  const std::optional<int> combination = ParseKey(v);
  if (!combination) return "expected one key such as Right, Shift+Left, Ctrl+3 or Space";
  a.value = *combination;
  return {};
}

const ActionEntry kActions[] = {
    {Action::Kind::Source, "source", "source=X,Y", "drag the source to world point (X, Y)", readPoint, ActionEntry::Text::Point},
    {Action::Kind::Entry, "entry", "entry=X,Y", "drag the entry point to (X, Y)", readPoint, ActionEntry::Text::Point},
    {Action::Kind::Height, "height", "height=V", "set the target height (-99..99)",
     readBarIn<canvas::kThesiyRange>, ActionEntry::Text::Number},
    {Action::Kind::Rays, "rays", "rays=N", "set the number of rays (2..100)",
     readBarIn<canvas::kRaysRange>, ActionEntry::Text::Number},
    {Action::Kind::Time, "time", "time=V", "set the time after the lens (5..100)",
     readBarIn<canvas::kTimeRange>, ActionEntry::Text::Number},
    {Action::Kind::Press, "press", "press=K", "click button K (1..5)",
     [](std::string_view v, Action& a) {
       const auto k = parseInt(v);
       if (!k || *k < 1 || *k > 5) return std::string("expected a button number 1..5");
       a.value = *k;
       return std::string();
     },
     ActionEntry::Text::Number},
    {Action::Kind::MouseDown, "down", "down=X,Y", "one mouse press on the canvas at (X, Y)", readPoint, ActionEntry::Text::Point},
    {Action::Kind::MouseMove, "move", "move=X,Y", "one mouse move on the canvas to (X, Y)", readPoint, ActionEntry::Text::Point},
    {Action::Kind::MouseUp, "up", "up=X,Y", "one mouse release on the canvas at (X, Y)", readPoint, ActionEntry::Text::Point},
    {Action::Kind::DragHeight, "drag-height", "drag-height=V", "drag the height bar's thumb to V, live",
     readBarIn<canvas::kThesiyRange>, ActionEntry::Text::Number},
    {Action::Kind::DragRays, "drag-rays", "drag-rays=N", "drag the ray-count bar's thumb to N, live",
     readBarIn<canvas::kRaysRange>, ActionEntry::Text::Number},
    {Action::Kind::DragTime, "drag-time", "drag-time=V", "drag the time bar's thumb to V, live",
     readBarIn<canvas::kTimeRange>, ActionEntry::Text::Number},
    {Action::Kind::Key, "key", "key=SEQ", "press a key as Qt spells it: Right, Shift+Left, Ctrl+3, Space", readKey,
     ActionEntry::Text::Key},
    {Action::Kind::Play, "play", "play", "run the time sweep to its end", nullptr, ActionEntry::Text::None},
    {Action::Kind::Reset, "reset", "reset", "put everything back as at start-up (File > Reset)", nullptr,
     ActionEntry::Text::None},
};

std::string parseAction(std::string_view arg, Options& o) {
  const auto eq = arg.find('=');
  const std::string_view key = arg.substr(0, eq);
  const auto* entry =
      std::find_if(std::begin(kActions), std::end(kActions), [&](const ActionEntry& s) { return s.key == key; });
  if (entry == std::end(kActions)) {
    return (eq == std::string_view::npos ? "unknown argument " : "unknown action ") + inQuotes(arg);
  }
  Action a;
  a.kind = entry->kind;
  if (!entry->read) {
    if (eq != std::string_view::npos) return std::string(entry->key) + " takes no value: " + inQuotes(arg);
  } else if (eq == std::string_view::npos) {
    return "unknown argument " + inQuotes(arg);
  } else if (const std::string e = entry->read(arg.substr(eq + 1), a); !e.empty()) {
    return e + " in " + inQuotes(arg);
  }
  o.actions.push_back(a);
  return {};
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
    for (const OptionEntry& s : kOptions) {
      qt.addOption(s.valueName ? QCommandLineOption(QString::fromLatin1(s.name), QString::fromUtf8(s.help),
                                                    QString::fromLatin1(s.valueName))
                               : QCommandLineOption(QString::fromLatin1(s.name), QString::fromUtf8(s.help)));
    }
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
    if (!unknown.isEmpty()) return fail("unknown option " + inQuotes(spelledOption(args, unknown.front())));
    // "Missing value after '--size'." and the like: one line naming the option.
    QString text = parser.qt.errorText().simplified();
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    if (!text.isEmpty()) text[0] = text[0].toLower();
    return fail(text.toStdString());
  }
  Options o;
  o.help = parser.qt.isSet(QStringLiteral("help"));
  o.version = parser.qt.isSet(QStringLiteral("version"));
  for (const OptionEntry& s : kOptions) {
    const QString name = QString::fromLatin1(s.name);
    if (!parser.qt.isSet(name)) continue;
    const std::string option = "--" + std::string(s.name);
    const QStringList values = s.valueName ? parser.qt.values(name) : QStringList{QString()};
    for (const QString& v : values) {
      if (const std::string e = s.apply(o, option, v.toStdString()); !e.empty()) return fail(e);
    }
    if (s.impliesOffscreen) o.offscreen = true;
  }
  for (const QString& a : parser.qt.positionalArguments()) {
    if (const std::string e = parseAction(a.toStdString(), o); !e.empty()) return fail(e);
  }
  if (const std::string e = CheckExportScale(o.exportFile, o.exportScale); !e.empty()) return fail(e);
  if (const std::string e = CheckExportSize(o.exportFile, o.exportScale, o.size); !e.empty()) return fail(e);
  if (const std::string e = checkDistinctOutputs(o); !e.empty()) return fail(e);
  return {o, {}};
}

std::string Usage() {
  Parser parser;
  QString text = parser.qt.helpText();
  // Without an application object Qt cannot know the program's name.
  text.replace(QStringLiteral("<executable_name>"), QStringLiteral("fermat-lens"));
  text += QStringLiteral("\nActions (run in order after start-up, through the same event procedures as a user):\n");
  for (const ActionEntry& s : kActions) {
    text += QStringLiteral("  %1  %2\n").arg(QString::fromLatin1(s.syntax), -14).arg(QString::fromUtf8(s.help));
  }
  text += QStringLiteral(
      "\nEvery output (--print-labels, the files) implies --offscreen. Without a display a message box is\n"
      "printed as a line \"MsgBox<TAB>text\". Bad input gives a one-line error and exit status 2.\n");
  return text.toStdString();
}

std::optional<int> ParseKey(std::string_view text) {
  const QString spelled = QString::fromUtf8(text.data(), qsizetype(text.size()));
  const QKeySequence seq = QKeySequence::fromString(spelled, QKeySequence::PortableText);
  if (seq.count() != 1 || seq[0].key() == Qt::Key_unknown || seq[0].key() == 0) return std::nullopt;
  // Only what reads back the same: no trailing commas or second keys hidden in it.
  if (seq.toString(QKeySequence::PortableText).compare(spelled, Qt::CaseInsensitive) != 0) return std::nullopt;
  return seq[0].toCombined();
}

std::string KeyText(int key) {
  return QKeySequence(QKeyCombination::fromCombined(key)).toString(QKeySequence::PortableText).toStdString();
}

std::string VersionText() {
  return std::string("fermat-lens ") + FERMAT_LENS_VERSION;
}

std::string ActionText(const Action& a) {
  const auto* entry =
      std::find_if(std::begin(kActions), std::end(kActions), [&](const ActionEntry& s) { return s.kind == a.kind; });
  const std::string text = std::string(entry->key) + "=";
  switch (entry->text) {
    case ActionEntry::Text::None: return entry->key;
    case ActionEntry::Text::Key: return text + KeyText(a.value);
    case ActionEntry::Text::Point: return text + coordinateText(a.x) + "," + coordinateText(a.y);
    case ActionEntry::Text::Number: break;
  }
  return text + std::to_string(a.value);
}

}  // namespace app
