#include "app/CommandLine.h"

#include "canvas/Form.h"

#include <QKeySequence>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace app {
namespace {

constexpr int kMinWidth = 200, kMinHeight = 150, kMaxSide = 16384;

std::optional<int> parseInt(std::string_view s) {
  int v = 0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc{} || ptr != s.data() + s.size() || s.empty()) return std::nullopt;
  return v;
}

// A finite number that a Single can hold.
std::optional<float> parseCoordinate(std::string_view s) {
  double v = 0;
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc{} || ptr != s.data() + s.size() || s.empty() || !std::isfinite(v) ||
      std::abs(v) > 3.0e38) {
    return std::nullopt;
  }
  return static_cast<float>(v);
}

std::string inQuotes(std::string_view s) { return "'" + std::string(s) + "'"; }

// The file can be created or replaced: its folder exists and is writable, and
// the path is not a folder or an existing read-only file.
std::string checkWritable(const std::string& path, const char* option) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path p(path);
  if (path.empty()) return std::string(option) + " needs a file name";
  if (fs::is_directory(p, ec)) return std::string(option) + ": is a folder: " + inQuotes(path);
  const fs::path dir = p.has_parent_path() ? p.parent_path() : fs::path(".");
  if (!fs::is_directory(dir, ec)) return std::string(option) + ": no such folder for " + inQuotes(path);
  if (::access(dir.c_str(), W_OK) != 0) return std::string(option) + ": folder not writable for " + inQuotes(path);
  if (fs::exists(p, ec) && ::access(p.c_str(), W_OK) != 0) {
    return std::string(option) + ": file not writable: " + inQuotes(path);
  }
  return {};
}

// The spelling of every action on the command line; reading and writing
// actions both go through it.
struct ActionKey {
  Action::Kind kind;
  std::string_view key;
};
constexpr ActionKey kActionKeys[] = {
    {Action::Kind::Source, "source"},   {Action::Kind::Entry, "entry"},    {Action::Kind::MouseDown, "down"},
    {Action::Kind::MouseMove, "move"},  {Action::Kind::MouseUp, "up"},     {Action::Kind::Height, "height"},
    {Action::Kind::Rays, "rays"},       {Action::Kind::Time, "time"},      {Action::Kind::Press, "press"},
    {Action::Kind::DragHeight, "drag-height"}, {Action::Kind::DragRays, "drag-rays"},
    {Action::Kind::DragTime, "drag-time"},     {Action::Kind::Key, "key"},          {Action::Kind::Play, "play"},
};

bool takesPoint(Action::Kind k) {
  using K = Action::Kind;
  return k == K::Source || k == K::Entry || k == K::MouseDown || k == K::MouseMove || k == K::MouseUp;
}

std::string parseAction(std::string_view arg, Options& o) {
  if (arg == "play") {
    o.actions.push_back({.kind = Action::Kind::Play});
    return {};
  }
  const auto eq = arg.find('=');
  if (eq == std::string_view::npos) return "unknown argument " + inQuotes(arg);
  const std::string_view key = arg.substr(0, eq), value = arg.substr(eq + 1);
  const auto* known = std::find_if(std::begin(kActionKeys), std::end(kActionKeys),
                                   [&](const ActionKey& k) { return k.key == key; });
  if (known == std::end(kActionKeys)) return "unknown action " + inQuotes(arg);
  Action a;
  a.kind = known->kind;
  if (takesPoint(a.kind)) {
    const auto comma = value.find(',');
    const auto x = comma == std::string_view::npos ? std::nullopt : parseCoordinate(value.substr(0, comma));
    const auto y = comma == std::string_view::npos ? std::nullopt : parseCoordinate(value.substr(comma + 1));
    if (!x || !y) return "expected two finite numbers X,Y in " + inQuotes(arg);
    a.x = *x;
    a.y = *y;
  } else if (a.kind == Action::Kind::Play) {
    return "play takes no value: " + inQuotes(arg);
  } else if (a.kind == Action::Kind::Key) {
    const std::optional<int> combination = ParseKey(value);
    if (!combination) return "expected one key such as Right, Shift+Left, Ctrl+3 or Space in " + inQuotes(arg);
    a.value = *combination;
  } else if (a.kind != Action::Kind::Press) {
    using K = Action::Kind;
    const canvas::BarRange range = a.kind == K::Height || a.kind == K::DragHeight ? canvas::kThesiyRange
                                   : a.kind == K::Rays || a.kind == K::DragRays   ? canvas::kRaysRange
                                                                                  : canvas::kTimeRange;
    const auto v = parseInt(value);
    if (!v) return "expected a whole number in " + inQuotes(arg);
    if (!range.contains(*v)) {
      return "value out of range " + std::to_string(std::min(range.min, range.max)) + ".." +
             std::to_string(std::max(range.min, range.max)) + " in " + inQuotes(arg);
    }
    a.value = *v;
  } else {
    const auto v = parseInt(value);
    if (!v || *v < 1 || *v > 5) return "expected a button number 1..5 in " + inQuotes(arg);
    a.value = *v;
  }
  o.actions.push_back(a);
  return {};
}

}  // namespace

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

std::string Usage() {
  return "usage: fermat-lens [--offscreen] [--size WxH] [--print-labels] [--screenshot FILE.png] [--trace FILE]\n"
         "                   [--classic] [ACTION ...]\n"
         "  --classic   nothing is redrawn while a marker or a thumb is dragged\n"
         "actions, run in order after start-up:\n"
         "  source=X,Y  drag the source to world point (X, Y)\n"
         "  entry=X,Y   drag the entry point to (X, Y)\n"
         "  height=V    set the target height (-99..99)\n"
         "  rays=N      set the number of rays (2..100)\n"
         "  time=V      set the time after the lens (5..100)\n"
         "  press=K     click button K (1..5)\n"
         "  down=X,Y  move=X,Y  up=X,Y   one mouse press, move or release on the canvas\n"
         "  drag-height=V  drag-rays=N  drag-time=V   drag a bar's thumb to a value\n"
         "  key=SEQ     press a key: Right, Shift+Left, Ctrl+3, Space ...\n"
         "  play        run the time sweep to its end\n";
}

std::string ActionText(const Action& a) {
  const auto* known = std::find_if(std::begin(kActionKeys), std::end(kActionKeys),
                                   [&](const ActionKey& k) { return k.kind == a.kind; });
  if (a.kind == Action::Kind::Play) return std::string(known->key);
  std::string text = std::string(known->key) + "=";
  if (a.kind == Action::Kind::Key) return text + KeyText(a.value);
  if (!takesPoint(a.kind)) return text + std::to_string(a.value);
  char buf[64];
  char* p = std::to_chars(buf, buf + sizeof buf, a.x).ptr;
  *p++ = ',';
  p = std::to_chars(p, buf + sizeof buf, a.y).ptr;
  return text + std::string(buf, p);
}

Parsed ParseCommandLine(const std::vector<std::string>& args) {
  Options o;
  auto fail = [](std::string msg) { return Parsed{std::nullopt, std::move(msg)}; };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    // The value of an option that takes one.
    auto next = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (a == "--offscreen") {
      o.offscreen = true;
    } else if (a == "--print-labels") {
      o.printLabels = true;
    } else if (a == "--classic") {
      o.classic = true;
    } else if (a == "--size") {
      const auto v = next();
      if (!v) return fail("--size needs a value WxH");
      const auto x = v->find('x');
      const auto w = x == std::string::npos ? std::nullopt : parseInt(std::string_view(*v).substr(0, x));
      const auto h = x == std::string::npos ? std::nullopt : parseInt(std::string_view(*v).substr(x + 1));
      if (!w || !h) return fail("--size expects WxH in pixels, got " + inQuotes(*v));
      if (*w < kMinWidth || *h < kMinHeight || *w > kMaxSide || *h > kMaxSide) {
        return fail("--size must be from 200x150 to 16384x16384, got " + inQuotes(*v));
      }
      o.size = QSize(*w, *h);
    } else if (a == "--screenshot" || a == "--trace") {
      const auto v = next();
      if (!v) return fail(a + " needs a file name");
      if (const std::string e = checkWritable(*v, a.c_str()); !e.empty()) return fail(e);
      (a == "--screenshot" ? o.screenshot : o.trace) = *v;
    } else if (a.rfind("--", 0) == 0 || (a.size() > 1 && a[0] == '-' && a.find('=') == std::string::npos)) {
      return fail("unknown option " + inQuotes(a));
    } else if (const std::string e = parseAction(a, o); !e.empty()) {
      return fail(e);
    }
  }
  if (o.printLabels || !o.screenshot.empty() || !o.trace.empty()) o.offscreen = true;
  return {o, {}};
}

std::string WriteFileAtomically(const std::string& path, const std::string& bytes) {
  namespace fs = std::filesystem;
  const fs::path target(path);
  fs::path temp = target;
  temp += ".part";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return "cannot write " + inQuotes(path) + ": " + std::strerror(errno);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      std::error_code ignored;
      fs::remove(temp, ignored);
      return "cannot write " + inQuotes(path);
    }
  }
  std::error_code ec;
  fs::rename(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    return "cannot write " + inQuotes(path) + ": " + ec.message();
  }
  return {};
}

}  // namespace app
