#include "headless/CommandLine.h"

#include <algorithm>
#include <string_view>

namespace headless {
namespace {

// The options fermat-lab reads itself; the rest are the session's table.
struct OwnOption {
  enum class Does { Help, Version, CheckCatalogue, Nothing, NeedsPixels };
  const char* name;
  const char* help;  // nullptr: not listed (a short name, or refused)
  bool takesValue;
  Does does;
};

using Does = OwnOption::Does;
constexpr OwnOption kOwnOptions[] = {
    {"help", "Show this help and exit.", false, Does::Help},
    {"h", nullptr, false, Does::Help},
    {"version", "Show the version and exit.", false, Does::Version},
    {"v", nullptr, false, Does::Version},
    {"check-catalogue", "Check a translation's catalogue (resources/i18n/CODE.json) against the original: every "
                        "text there, its placeholders, tags and access key kept; list what is not, and exit.",
     true, Does::CheckCatalogue},
    {"offscreen", "Accepted for fermat-lens's command lines; there is never a display here.", false, Does::Nothing},
    {"screenshot", nullptr, true, Does::NeedsPixels},
    {"export", nullptr, true, Does::NeedsPixels},
    {"scale", nullptr, true, Does::NeedsPixels},
    {"print-pdf", nullptr, true, Does::NeedsPixels},
    {"background", nullptr, true, Does::NeedsPixels},
    {"caption", nullptr, false, Does::NeedsPixels},
    {"graph-screenshot", nullptr, true, Does::NeedsPixels},
};

// fermat-lab's help line of --size, whose default is its own; the table's
// line gives fermat-lens's, the maximised window.
constexpr const char* kLabSizeHelp = "Client area in pixels, 200x150 to 16384x16384 (default 1280x800).";

const OwnOption* findOwn(std::string_view name) {
  const auto* e = std::find_if(std::begin(kOwnOptions), std::end(kOwnOptions),
                               [&](const OwnOption& o) { return o.name == name; });
  return e == std::end(kOwnOptions) ? nullptr : e;
}

}  // namespace

Parsed ParseCommandLine(const std::vector<std::string>& args) {
  auto fail = [](std::string msg) { return Parsed{std::nullopt, std::move(msg)}; };
  Options o;
  std::vector<GivenOption> given;
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
    const SessionOption* shared = FindSessionOption(name);
    const OwnOption* own = shared ? nullptr : findOwn(name);
    if (!shared && !own) {
      return fail("unknown option " + lab::Quoted(a.substr(0, eq == std::string::npos ? a.npos : dashes + eq)));
    }
    const bool takesValue = shared ? shared->valueName != nullptr : own->takesValue;
    std::string value;
    if (takesValue) {
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
    if (shared) {
      given.push_back({shared, value});
      continue;
    }
    switch (own->does) {
      case Does::Help: o.help = true; break;
      case Does::Version: o.version = true; break;
      case Does::CheckCatalogue: o.checkCatalogue = value; break;
      case Does::Nothing: break;
      case Does::NeedsPixels: {
        std::string e = "--";
        e += name;
        e += " needs pixels: use fermat-lens for it";
        return fail(e);
      }
    }
  }
  if (std::string e = ReadSession(given, words, o); !e.empty()) return fail(e);
  if (std::string e = CheckSession(o); !e.empty()) return fail(e);
  return {o, {}};
}

std::string Usage() {
  std::string text =
      "Usage: fermat-lab [options] [ACTION ...]\n"
      "Fermat's principle with a biconvex lens, without a display: the program's labels, drawing\n"
      "operations and graph data after a script of user actions, as fermat-lens --offscreen gives them.\n\n"
      "Options:\n";
  auto row = [&](const char* name, const char* valueName, const char* help) {
    std::string left = "--";
    left += name;
    if (valueName) {
      left += " <";
      left += valueName;
      left += ">";
    }
    if (left.size() < 26) left.resize(26, ' ');
    text += "  ";
    text += left;
    text += "  ";
    text += help;
    text += "\n";
  };
  for (const OwnOption& e : kOwnOptions) {
    if (e.help) row(e.name, nullptr, e.help);
  }
  for (const SessionOption& e : SessionOptions()) {
    row(e.name, e.valueName, e.name == std::string_view("size") ? kLabSizeHelp : e.help);
  }
  text += "\nActions (run in order after start-up, through the same event procedures as a user):\n";
  for (const lab::ActionHelp& s : lab::ActionHelpRows()) {
    std::string syntax = s.syntax;
    if (syntax.size() < 14) syntax.resize(14, ' ');
    text += "  ";
    text += syntax;
    text += "  ";
    text += s.help;
    text += "\n";
  }
  text +=
      "\nA message box is printed as a line \"MsgBox<TAB>text\". --screenshot, --export, --scale,\n"
      "--print-pdf, --background, --caption and --graph-screenshot need pixels: fermat-lens does them.\n"
      "Bad input gives a one-line error and exit status 2.\n";
  return text;
}

}  // namespace headless
