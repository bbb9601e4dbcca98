#include "headless/CommandLine.h"

#include "lab/LensText.h"
#include "lab/Lessons.h"
#include "lab/SetupRun.h"

#include "headless/Files.h"

#include <algorithm>
#include <string_view>

namespace headless {
namespace {


enum class Takes { Flag, Value };

struct OptionEntry {
  const char* name;
  const char* valueName;  // nullptr: a flag
  const char* help;       // nullptr: needs pixels, refused here
};

const OptionEntry kOptions[] = {
    {"help", nullptr, "Show this help and exit."},
    {"h", nullptr, nullptr},
    {"version", nullptr, "Show the version and exit."},
    {"v", nullptr, nullptr},
    {"offscreen", nullptr, "Accepted for fermat-lens's command lines; there is never a display here."},
    {"size", "WxH", "Client area in pixels, 200x150 to 16384x16384 (default 1280x800)."},
    {"classic", nullptr, "Nothing is redrawn while a marker or a scroll bar's thumb is dragged."},
    {"lens", "KEY=V,...", lab::kLensHelp},
    {"open", "FILE", lab::kOpenHelp},
    {"verbose", nullptr, lab::kVerboseHelp},
    {"save", "FILE", lab::kSaveHelp},
    {"lesson", "KEY", lab::kLessonHelp},
    {"challenge", nullptr, lab::kChallengeHelp},
    {"equal-time", "FILE.csv", lab::kEqualTimeHelp},
    {"equal-time-at", "X", lab::kEqualTimeAtHelp},
    {"print-labels", nullptr, "Print the six labels after the actions."},
    {"trace", "FILE", "Write every drawing operation as a line of JSON."},
    {"curve", "FILE.csv", "Write the travel-time curve of the first surface as CSV after the actions."},
    {"bundle", "FILE.csv", "Write one CSV row per ray of the last bundle after the actions."},
    {"screenshot", "FILE.png", nullptr},
    {"export", "FILE", nullptr},
    {"scale", "K", nullptr},
    {"print-pdf", "FILE.pdf", nullptr},
    {"background", "B", nullptr},
    {"caption", nullptr, nullptr},
    {"graph-screenshot", "FILE", nullptr},
};

const OptionEntry* find(std::string_view name) {
  const auto* e = std::find_if(std::begin(kOptions), std::end(kOptions), [&](const OptionEntry& o) { return o.name == name; });
  return e == std::end(kOptions) ? nullptr : e;
}

bool endsInCsv(const std::string& path) {
  const auto slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const auto dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) return false;
  std::string ext = name.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == "csv";
}

std::string readFile(std::string& into, const std::string& option, const std::string& path, bool csv) {
  if (!into.empty()) return option + " is given twice";
  into = path;
  if (std::string e = CannotWrite(option, path); !e.empty()) return e;
  if (csv && !endsInCsv(path)) return option + ": the file name must end in .csv, got " + lab::Quoted(path);
  return {};
}

std::string apply(Options& o, const OptionEntry& e, const std::string& option, const std::string& value) {
  const std::string_view n = e.name;
  if (!e.help) return option + " needs pixels: use fermat-lens for it";
  if (n == "help") return o.help = true, std::string();
  if (n == "version") return o.version = true, std::string();
  if (n == "offscreen") return {};
  if (n == "verbose") return o.verbose = true, std::string();
  if (n == "classic") return o.classic = true, std::string();
  if (n == "lens") {
    if (o.lens) return option + " is given twice";
    optics::LensDesign design;
    if (std::string err = lab::ReadLens(value, design); !err.empty()) return option + ": " + err;
    o.lens = design;
    return {};
  }
  if (n == "open") {
    if (o.setup) return option + " is given twice";
    lab::SetupRead read = lab::ReadSetupFile(value);
    if (!read.setup) return lab::OpenRefusal(option, read, o.verbose);
    o.setup = std::move(read.setup);
    o.open = value;
    return {};
  }
  if (n == "save") return readFile(o.save, option, value, false);
  if (n == "lesson") {
    if (!o.lesson.empty()) return option + " is given twice";
    if (!lab::FindLesson(value)) return option + ": " + lab::UnknownLesson(value);
    o.lesson = value;
    return {};
  }
  if (n == "challenge") return o.challenge = true, std::string();
  if (n == "equal-time") return readFile(o.equalTime, option, value, true);
  if (n == "equal-time-at") {
    const auto x = lab::ParseCoordinate(value);
    if (!x) return option + " expects a number, got " + lab::Quoted(value);
    o.equalTimeAt = *x;
    return {};
  }
  if (n == "print-labels") return o.printLabels = true, std::string();
  if (n == "size") {
    if (std::string err = lab::SizeError(option, value); !err.empty()) return err;
    o.size = lab::ParseSize(value);
    return {};
  }
  if (n == "trace") return readFile(o.trace, option, value, false);
  if (n == "curve") return readFile(o.curve, option, value, true);
  if (n == "bundle") return readFile(o.bundle, option, value, true);
  return {};
}

// No two outputs write one file: the second would silently replace the first.
std::string checkDistinct(const Options& o) {
  const std::pair<const char*, const std::string*> outputs[] = {
      {"--trace", &o.trace}, {"--curve", &o.curve}, {"--bundle", &o.bundle}, {"--save", &o.save},
      {"--equal-time", &o.equalTime}};
  std::vector<std::pair<std::string, const char*>> seen;
  for (const auto& [option, path] : outputs) {
    if (path->empty()) continue;
    const std::string landing = LandingPath(*path);
    if (!o.open.empty() && landing == LandingPath(o.open)) {
      if (std::string e = lab::OpenedFileConflict(option, *path); !e.empty()) return e;
    }
    for (const auto& [other, otherOption] : seen) {
      if (other == landing) return std::string(otherOption) + " and " + option + " name the same file " + lab::Quoted(*path);
    }
    seen.emplace_back(landing, option);
  }
  return {};
}

}  // namespace

Parsed ParseCommandLine(const std::vector<std::string>& args) {
  auto fail = [](std::string msg) { return Parsed{std::nullopt, std::move(msg)}; };
  Options o;
  // --verbose changes how the options before it are refused: it counts
  // wherever it stands.
  for (const std::string& a : args) {
    if (a == "--") break;
    if (a == "--verbose" || a == "-verbose") o.verbose = true;
  }
  std::vector<std::string> words;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnded || a.size() < 2 || a[0] != '-') {
      words.push_back(a);
      continue;
    }
    if (a == "--") {
      optionsEnded = true;
      continue;
    }
    const std::size_t dashes = a[1] == '-' ? 2 : 1;
    const std::string body = a.substr(dashes);
    const auto eq = body.find('=');
    const std::string name = body.substr(0, eq);
    const OptionEntry* e = find(name);
    if (!e) return fail("unknown option " + lab::Quoted(a.substr(0, eq == std::string::npos ? a.npos : dashes + eq)));
    const std::string option = "--" + std::string(e->name == std::string_view("h")   ? "help"
                                                  : e->name == std::string_view("v") ? "version"
                                                                                     : e->name);
    const OptionEntry& entry = *find(option.substr(2));
    std::string value;
    if (entry.valueName) {
      if (eq != std::string::npos) {
        value = body.substr(eq + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        return fail("missing value after " + lab::Quoted(a));
      }
    } else if (eq != std::string::npos) {
      return fail("unexpected value after " + lab::Quoted(a.substr(0, dashes + eq)));
    }
    if (std::string err = apply(o, entry, option, value); !err.empty()) return fail(err);
  }
  for (const std::string& w : words) {
    if (std::string err = lab::ParseAction(w, o.actions); !err.empty()) return fail(err);
  }
  if (std::string err = checkDistinct(o); !err.empty()) return fail(err);
  if (std::string err = lab::StartConflict(o.setup.has_value(), o.lens.has_value(), !o.lesson.empty()); !err.empty())
    return fail(err);
  return {o, {}};
}

std::string Usage() {
  std::string text =
      "Usage: fermat-lab [options] [ACTION ...]\n"
      "Fermat's principle with a biconvex lens, without a display: the program's labels, drawing\n"
      "operations and graph data after a script of user actions, as fermat-lens --offscreen gives them.\n\n"
      "Options:\n";
  for (const OptionEntry& e : kOptions) {
    if (!e.help) continue;
    std::string left = std::string("--") + e.name + (e.valueName ? std::string(" <") + e.valueName + ">" : "");
    if (left.size() < 26) left.resize(26, ' ');
    text += "  " + left + "  " + e.help + "\n";
  }
  text += "\nActions (run in order after start-up, through the same event procedures as a user):\n";
  for (const lab::ActionHelp& s : lab::ActionHelpRows()) {
    std::string syntax = s.syntax;
    if (syntax.size() < 14) syntax.resize(14, ' ');
    text += "  " + syntax + "  " + s.help + "\n";
  }
  text +=
      "\nA message box is printed as a line \"MsgBox<TAB>text\". --screenshot, --export, --scale,\n"
      "--print-pdf, --background, --caption and --graph-screenshot need pixels: fermat-lens does them.\n"
      "Bad input gives a one-line error and exit status 2.\n";
  return text;
}

}  // namespace headless
