#include "headless/Session.h"

#include "headless/Files.h"
#include "lab/LensText.h"
#include "lab/MediumText.h"
#include "lab/MirrorText.h"
#include "text/Language.h"
#include "lab/Lessons.h"
#include "text/Translations.h"
#include "lab/SetupRun.h"
#include "lab/Sound.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace headless {
namespace {

// The file's own name ends in ".csv" (any case) after at least one other
// character: ".csv" alone is a hidden file without an extension.
bool endsInCsv(const std::string& path) {
  const auto slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const auto dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) return false;
  std::string ext = name.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == "csv";
}

// An output file's option, given once: the name is kept and checked, nothing
// is created.
template <std::string Session::*File, bool Csv>
std::string readOutput(Session& s, const std::string& option, const std::string& path) {
  if (!(s.*File).empty()) return option + " is given twice";
  s.*File = path;
  if (std::string e = CannotWrite(option, path); !e.empty()) return e;
  if (Csv && !endsInCsv(path)) return option + ": the file name must end in .csv, got " + lab::Quoted(path);
  return {};
}

template <bool Session::*Flag>
std::string readFlag(Session& s, const std::string&, const std::string&) {
  s.*Flag = true;
  return {};
}

std::string readSize(Session& s, const std::string& option, const std::string& value) {
  if (std::string e = lab::SizeError(option, value); !e.empty()) return e;
  s.size = lab::ParseSize(value);
  return {};
}

std::string readLens(Session& s, const std::string& option, const std::string& value) {
  if (s.lens) return option + " is given twice";
  optics::LensDesign design;
  if (std::string e = lab::ReadLens(value, design); !e.empty()) return option + ": " + e;
  s.lens = design;
  return {};
}

std::string readMirror(Session& s, const std::string& option, const std::string& value) {
  if (s.mirror) return option + " is given twice";
  std::optional<optics::MirrorDesign> design;
  if (std::string e = lab::ReadMirror(value, design); !e.empty()) return option + ": " + e;
  if (!design) return option + ": none is the lens scene, which a start without " + option + " has";
  s.mirror = design;
  return {};
}

std::string readMedium(Session& s, const std::string& option, const std::string& value) {
  if (s.medium) return option + " is given twice";
  if (s.mirror) return option + " and --mirror each take the lens's place: give one";
  std::optional<optics::MediumDesign> design;
  if (std::string e = lab::ReadMedium(value, design); !e.empty()) return option + ": " + e;
  if (!design) return option + ": none is the lens scene, which a start without " + option + " has";
  s.medium = design;
  return {};
}

std::string readOpen(Session& s, const std::string& option, const std::string& path) {
  if (s.setup) return option + " is given twice";
  lab::SetupRead read = lab::ReadSetupFile(path);
  if (!read.setup) return lab::OpenRefusal(option, read, s.verbose);
  s.setup = std::move(read.setup);
  s.open = path;
  return {};
}

std::string readLesson(Session& s, const std::string& option, const std::string& key) {
  if (!s.lesson.empty()) return option + " is given twice";
  if (!lab::FindLesson(key)) return option + ": " + lab::UnknownLesson(key);
  s.lesson = key;
  return {};
}

std::string readEqualTimeAt(Session& s, const std::string& option, const std::string& value) {
  const auto x = lab::ParseCoordinate(value);
  if (!x) return option + " expects a number, got " + lab::Quoted(value);
  s.equalTimeAt = *x;
  return {};
}

std::string readLang(Session& s, const std::string& option, const std::string& code) {
  if (!s.lang.empty()) return option + " is given twice";
  text::AddBuiltInTranslations();
  if (std::string e = text::UseLanguage(code); !e.empty()) return option + ": " + e;
  s.lang = code;
  return {};
}

// The help line of --lang, naming the languages the program has (a catalogue
// added to the build shows up here with no other change).
const char* langHelp() {
  static const std::string help = [] {
    text::AddBuiltInTranslations();
    std::string codes;
    for (const text::LanguageInfo& l : text::Languages()) {
      if (l.code.empty()) continue;
      if (!codes.empty()) codes += ", ";
      codes += l.code;
      if (l.code == text::kPseudoLanguage) codes += " (the pseudo-language of the tests)";
    }
    return "Show every text in this language: " + codes + " or original (the default).";
  }();
  return help.c_str();
}

const SessionOption kOptions[] = {
    // First, so that what follows is read in the language chosen.
    {"lang", "CODE", langHelp(), false, readLang},
    {"size", "WxH", "Client area in pixels, 200x150 to 16384x16384 (default: the maximised window).", false, readSize},
    {"classic", nullptr, "Nothing is redrawn while a marker or a scroll bar's thumb is dragged.", false,
     readFlag<&Session::classic>},
    {"lens", "KEY=V,...", lab::kLensHelp, false, readLens},
    {"mirror", "KIND,KEY=V,...", lab::kMirrorHelp, false, readMirror},
    {"medium", "PROFILE,KEY=V,...", lab::kMediumHelp, false, readMedium},
    {"verbose", nullptr, lab::kVerboseHelp, false, readFlag<&Session::verbose>},
    {"open", "FILE", lab::kOpenHelp, false, readOpen},
    {"save", "FILE", lab::kSaveHelp, true, readOutput<&Session::save, false>},
    {"lesson", "KEY", lab::kLessonHelp, false, readLesson},
    {"challenge", nullptr, lab::kChallengeHelp, true, readFlag<&Session::challenge>},
    {"equal-time", "FILE.csv", lab::kEqualTimeHelp, true, readOutput<&Session::equalTime, true>},
    {"equal-time-at", "X", lab::kEqualTimeAtHelp, false, readEqualTimeAt},
    {"print-labels", nullptr, "Print the six labels after the actions.", true, readFlag<&Session::printLabels>},
    {"describe", nullptr,
     "Print what each action changed in words, as a screen reader hears it (Described lines), then the whole "
     "picture in one paragraph (a Picture line).",
     true, readFlag<&Session::describe>},
    {"trace", "FILE", "Write every drawing operation as a line of JSON.", true, readOutput<&Session::trace, false>},
    {"sound", "FILE.wav", lab::kSoundHelp, true, readOutput<&Session::sound, false>},
    {"curve", "FILE.csv", "Write the travel-time curve of the first surface as CSV after the actions.", true,
     readOutput<&Session::curve, true>},
    {"bundle", "FILE.csv", "Write one CSV row per ray of the last bundle after the actions.", true,
     readOutput<&Session::bundle, true>},
    {"stationary", "FILE.csv",
     "Write one CSV row per stationary path of the mirror scene's last \"position by Fermat\": x, y, time, kind, "
     "incidence and reflection in degrees.",
     true, readOutput<&Session::stationary, true>},
    {"paths", "FILE.csv",
     "Write every path of the medium scene's last construction as CSV: path, point, x, y, each path headed by its "
     "kind, its time and its distance from the ray equation's path.",
     true, readOutput<&Session::paths, true>},
};

}  // namespace

std::span<const SessionOption> SessionOptions() { return kOptions; }

const SessionOption* FindSessionOption(std::string_view name) {
  const auto* e = std::find_if(std::begin(kOptions), std::end(kOptions),
                               [&](const SessionOption& o) { return o.name == name; });
  return e == std::end(kOptions) ? nullptr : e;
}

std::string ReadSession(const std::vector<GivenOption>& given, const std::vector<std::string>& actions,
                        Session& into) {
  for (const SessionOption& option : kOptions) {
    std::string spelled = "--";
    spelled += option.name;
    for (const GivenOption& g : given) {
      if (g.option != &option) continue;
      if (std::string e = option.read(into, spelled, g.value); !e.empty()) return e;
    }
  }
  for (const std::string& word : actions) {
    if (std::string e = lab::ParseAction(word, into.actions); !e.empty()) return e;
  }
  return {};
}

std::vector<NamedOutput> SessionOutputs(const Session& s) {
  const std::pair<const char*, const std::string*> all[] = {
      {"--trace", &s.trace}, {"--curve", &s.curve}, {"--bundle", &s.bundle}, {"--save", &s.save},
      {"--equal-time", &s.equalTime}, {"--stationary", &s.stationary}, {"--paths", &s.paths},
      {"--sound", &s.sound}};
  std::vector<NamedOutput> out;
  for (const auto& [option, path] : all) {
    if (!path->empty()) out.push_back({option, *path});
  }
  return out;
}

std::string CheckSession(const Session& s, const std::vector<NamedOutput>& more) {
  std::vector<NamedOutput> outputs = SessionOutputs(s);
  outputs.insert(outputs.end(), more.begin(), more.end());
  // No two outputs write one file: the second would silently replace the first.
  std::vector<std::pair<std::string, const char*>> seen;
  for (const NamedOutput& o : outputs) {
    if (o.path.empty()) continue;
    const std::string landing = LandingPath(o.path);
    if (!s.open.empty() && landing == LandingPath(s.open)) {
      if (std::string e = lab::OpenedFileConflict(o.option, o.path); !e.empty()) return e;
    }
    for (const auto& [other, otherOption] : seen) {
      if (other == landing) {
        std::string e = otherOption;
        e += " and ";
        e += o.option;
        e += " name the same file ";
        e += lab::Quoted(o.path);
        return e;
      }
    }
    seen.emplace_back(landing, o.option);
  }
  return lab::StartConflict(s.setup.has_value(), s.lens.has_value(), !s.lesson.empty());
}

}  // namespace headless
