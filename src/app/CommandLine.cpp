#include "app/CommandLine.h"

#include "canvas/Form.h"

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

std::string parseAction(std::string_view arg, Options& o) {
  const auto eq = arg.find('=');
  if (eq == std::string_view::npos) return "unknown argument " + inQuotes(arg);
  const std::string_view key = arg.substr(0, eq), value = arg.substr(eq + 1);
  Action a;
  if (key == "source" || key == "entry" || key == "down" || key == "move" || key == "up") {
    a.kind = key == "source" ? Action::Kind::Source
             : key == "entry" ? Action::Kind::Entry
             : key == "down"  ? Action::Kind::MouseDown
             : key == "move"  ? Action::Kind::MouseMove
                              : Action::Kind::MouseUp;
    const auto comma = value.find(',');
    const auto x = comma == std::string_view::npos ? std::nullopt : parseCoordinate(value.substr(0, comma));
    const auto y = comma == std::string_view::npos ? std::nullopt : parseCoordinate(value.substr(comma + 1));
    if (!x || !y) return "expected two finite numbers X,Y in " + inQuotes(arg);
    a.x = *x;
    a.y = *y;
  } else if (key == "height" || key == "rays" || key == "time") {
    const canvas::BarRange range = key == "height" ? canvas::kThesiyRange
                                   : key == "rays" ? canvas::kRaysRange
                                                   : canvas::kTimeRange;
    a.kind = key == "height" ? Action::Kind::Height : key == "rays" ? Action::Kind::Rays : Action::Kind::Time;
    const auto v = parseInt(value);
    if (!v) return "expected a whole number in " + inQuotes(arg);
    if (!range.contains(*v)) {
      return "value out of range " + std::to_string(std::min(range.min, range.max)) + ".." +
             std::to_string(std::max(range.min, range.max)) + " in " + inQuotes(arg);
    }
    a.value = *v;
  } else if (key == "press") {
    a.kind = Action::Kind::Press;
    const auto v = parseInt(value);
    if (!v || *v < 1 || *v > 5) return "expected a button number 1..5 in " + inQuotes(arg);
    a.value = *v;
  } else {
    return "unknown action " + inQuotes(arg);
  }
  o.actions.push_back(a);
  return {};
}

}  // namespace

std::string Usage() {
  return "usage: fermat-lens [--offscreen] [--size WxH] [--print-labels] [--screenshot FILE.png] [--trace FILE]\n"
         "                   [ACTION ...]\n"
         "actions, run in order after start-up:\n"
         "  source=X,Y  drag the source to world point (X, Y)\n"
         "  entry=X,Y   drag the entry point to (X, Y)\n"
         "  height=V    set the target height (-99..99)\n"
         "  rays=N      set the number of rays (2..100)\n"
         "  time=V      set the time after the lens (5..100)\n"
         "  press=K     click button K (1..5)\n"
         "  down=X,Y  move=X,Y  up=X,Y   one mouse press, move or release on the canvas\n";
}

std::string ActionText(const Action& a) {
  auto point = [&](const char* key) {
    char buf[64];
    char* p = buf;
    p = std::to_chars(p, buf + sizeof buf, a.x).ptr;
    *p++ = ',';
    p = std::to_chars(p, buf + sizeof buf, a.y).ptr;
    return std::string(key) + "=" + std::string(buf, p);
  };
  switch (a.kind) {
    case Action::Kind::Source: return point("source");
    case Action::Kind::Entry: return point("entry");
    case Action::Kind::MouseDown: return point("down");
    case Action::Kind::MouseMove: return point("move");
    case Action::Kind::MouseUp: return point("up");
    case Action::Kind::Height: return "height=" + std::to_string(a.value);
    case Action::Kind::Rays: return "rays=" + std::to_string(a.value);
    case Action::Kind::Time: return "time=" + std::to_string(a.value);
    case Action::Kind::Press: return "press=" + std::to_string(a.value);
  }
  return {};
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
