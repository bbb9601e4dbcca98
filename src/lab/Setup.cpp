#include "lab/Setup.h"

#include "lab/MediumText.h"
#include "lab/MirrorText.h"

#include "lab/Base64Url.h"
#include "lab/Controls.h"
#include "lab/Format.h"
#include "text/JsonDocument.h"
#include "numeric/Chars.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <utility>

namespace lab {

using text::JsonDocument;
using text::ReadJsonDocument;
namespace {

using nlohmann::json;

constexpr std::string_view kFormat = "fermat-lens set-up";
constexpr std::string_view kFragmentKey = "setup=";
// Beyond this a marker coordinate is refused, as on the command line
// (ParseCoordinate): a float holds up to about 3.4e38.
constexpr double kMaxCoordinate = 3.0e38;
// An error longer than this is cut: it quotes the text, which may be long.
constexpr std::size_t kMaxErrorBytes = 300;

// ---------------------------------------------------------------- writing

// The shortest text that reads back as the same double. A negative zero is
// written as a fraction, "-0.0": JSON's "-0" is the integer 0 to nlohmann.
// Not finite (no lens or set-up of ours): null, which the reader refuses by name.
std::string numberText(double v) {
  if (!std::isfinite(v)) return "null";
  if (v == 0 && std::signbit(v)) return "-0.0";
  return ShortestText(v);
}

// The fewest digits that read back as the same float through a double, as
// the command line reads a coordinate (CoordinateText), laid out as a plain
// number where that is no longer: -200 is "-200", not "-2e+02".
std::string coordinateText(float v) {
  if (!std::isfinite(v)) return "null";
  if (v == 0 && std::signbit(v)) return "-0.0";
  const std::string digits = CoordinateText(v);
  double read = 0;
  // Cannot fail: CoordinateText writes a decimal number for every finite float.
  (void)numeric::FromChars(digits.data(), digits.data() + digits.size(), read);
  return ShortestText(read);
}

// A JSON string: quotes, backslashes and control characters escaped, other
// UTF-8 as it is. Invalid UTF-8 (no action text has any) would become U+FFFD
// rather than throw.
std::string stringText(std::string_view s) {
  return json(std::string(s)).dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string faceText(const optics::FaceDesign& f) {
  return f.Flat ? std::string("\"flat\"") : numberText(f.Radius);
}

// The file's layout: pretty, each key of the file on its own line and each
// action too; compact (the share link), no blanks at all.
std::string write(const Setup& s, bool pretty) {
  const std::string_view comma = pretty ? ", " : ",";
  const std::string_view colon = pretty ? ": " : ":";
  const std::string_view keyIndent = pretty ? "\n  " : "";
  const std::string_view actionIndent = pretty ? "\n    " : "";

  std::string out;
  auto member = [&](std::string_view key, bool first) {
    if (!first) out += comma;
    out += '"';
    out += key;
    out += '"';
    out += colon;
  };
  // Each key of the file, on its own line when pretty (no blank after its comma then).
  auto topKey = [&](std::string_view key, bool first) {
    if (!first) out += ',';
    out += keyIndent;
    out += '"';
    out += key;
    out += '"';
    out += colon;
  };
  auto point = [&](float x, float y) {
    out += '[';
    out += coordinateText(x);
    out += comma;
    out += coordinateText(y);
    out += ']';
  };

  out += '{';
  topKey("format", true);
  out += stringText(kFormat);
  topKey("version", false);
  out += std::to_string(kSetupVersion);

  topKey("lens", false);
  out += '{';
  member("n", true);
  out += numberText(s.lens.N);
  member("r1", false);
  out += faceText(s.lens.First);
  member("r2", false);
  out += faceText(s.lens.Second);
  member("thickness", false);
  out += numberText(s.lens.Thickness);
  if (s.lens.Aperture) {
    member("aperture", false);
    out += numberText(*s.lens.Aperture);
  }
  out += '}';

  if (s.mirror) {
    topKey("mirror", false);
    out += stringText(MirrorText(s.mirror));
  }
  if (s.medium) {
    topKey("medium", false);
    out += stringText(MediumText(s.medium));
  }
  if (s.parallelBeam) {
    topKey("beam", false);
    out += stringText("parallel");
  }

  topKey("live", false);
  out += s.live ? "true" : "false";

  topKey("start", false);
  out += '{';
  member("source", true);
  point(s.start.sourceX, s.start.sourceY);
  member("entry", false);
  point(s.start.entryX, s.start.entryY);
  member("height", false);
  out += std::to_string(s.start.height);
  member("rays", false);
  out += std::to_string(s.start.rays);
  member("time", false);
  out += std::to_string(s.start.time);
  if (s.mirror || s.medium) {
    member("target", false);
    point(s.start.targetX, s.start.targetY);
  }
  out += '}';

  topKey("actions", false);
  out += '[';
  for (std::size_t i = 0; i < s.actions.size(); ++i) {
    if (i > 0) out += ',';
    out += actionIndent;
    out += stringText(ActionText(s.actions[i]));
  }
  if (!s.actions.empty()) out += keyIndent;  // "]" under the key when pretty
  out += ']';
  out += pretty ? "\n}\n" : "}";
  return out;
}

// ---------------------------------------------------------------- reading

// What a value is, for "must be ..., not ..." messages.
std::string kindOf(const json& v) {
  switch (v.type()) {
    case json::value_t::null: return "null";
    case json::value_t::boolean: return v.get<bool>() ? "true" : "false";
    case json::value_t::number_integer:
    case json::value_t::number_unsigned:
    case json::value_t::number_float: return v.dump();
    case json::value_t::string: return "a string";
    case json::value_t::array: return "a list";
    case json::value_t::object: return "an object";
    case json::value_t::binary:
    case json::value_t::discarded: break;
  }
  return "something else";
}

// The keys of an object against the ones its place knows: the first unknown
// key, or else the first required key missing, as an error.
std::string checkKeys(const json& object, std::string_view where, std::initializer_list<std::string_view> required,
                      std::initializer_list<std::string_view> optional = {}) {
  for (const auto& item : object.items()) {
    const std::string& key = item.key();
    const auto known = [&](std::string_view k) { return k == key; };
    if (std::none_of(required.begin(), required.end(), known) &&
        std::none_of(optional.begin(), optional.end(), known)) {
      return "unknown key " + Quoted(key) + " in " + std::string(where);
    }
  }
  for (const std::string_view key : required) {
    if (!object.contains(key)) return "missing key " + Quoted(key) + " in " + std::string(where);
  }
  return {};
}

// A whole number as written (no fraction, no exponent), saturated to the
// range of long long; nullopt for anything else.
std::optional<long long> wholeNumber(const json& v) {
  if (v.is_number_unsigned()) {
    const auto u = v.get<std::uint64_t>();
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<long long>::max());
    return static_cast<long long>(std::min(u, kMax));
  }
  if (v.is_number_integer()) return v.get<std::int64_t>();
  return std::nullopt;
}

std::string readBar(const json& v, std::string_view name, BarRange range, int& out) {
  const auto whole = wholeNumber(v);
  if (!whole) return std::string(name) + " must be a whole number, not " + kindOf(v);
  const int lo = std::min(range.min, range.max), hi = std::max(range.min, range.max);
  if (*whole < lo || *whole > hi) {
    return std::string(name) + " is " + v.dump() + ", outside " + std::to_string(lo) + ".." + std::to_string(hi);
  }
  out = static_cast<int>(*whole);
  return {};
}

std::string readCoordinate(const json& v, std::string_view name, float& out) {
  if (!v.is_number()) return std::string(name) + " must be a number, not " + kindOf(v);
  const auto d = v.get<double>();
  const auto f = static_cast<float>(std::clamp(d, -kMaxCoordinate, kMaxCoordinate));
  // As on the command line: nothing beyond a float, nor a number that
  // becomes zero as a float.
  if (std::abs(d) > kMaxCoordinate || (f == 0 && d != 0)) {
    return std::string(name) + " is " + v.dump() + ", not a number a float holds (from -3e38 to 3e38, not too near 0)";
  }
  out = f;
  return {};
}

std::string readPoint(const json& v, std::string_view name, float& x, float& y) {
  if (!v.is_array() || v.size() != 2) return std::string(name) + " must be a list of two numbers [x, y]";
  if (auto e = readCoordinate(v[0], std::string(name) + "'s x", x); !e.empty()) return e;
  return readCoordinate(v[1], std::string(name) + "'s y", y);
}

// The lens's numbers are doubles; nlohmann reads no JSON number as infinite
// (it refuses 1e400), so every number is finite.
std::string readLensNumber(const json& v, std::string_view name, double& out) {
  if (!v.is_number()) return std::string(name) + " must be a number, not " + kindOf(v);
  out = v.get<double>();
  return {};
}

std::string readFace(const json& v, std::string_view name, optics::FaceDesign& out) {
  if (v.is_string() && v.get_ref<const std::string&>() == "flat") {
    out = optics::FaceDesign{.Flat = true};
    return {};
  }
  if (!v.is_number()) return std::string(name) + " must be a number or \"flat\", not " + kindOf(v);
  out = optics::FaceDesign{.Flat = false, .Radius = v.get<double>()};
  return {};
}

std::string readLens(const json& v, optics::LensDesign& out) {
  if (!v.is_object()) return "lens must be an object, not " + kindOf(v);
  if (auto e = checkKeys(v, "lens", {"n", "r1", "r2", "thickness"}, {"aperture"}); !e.empty()) return e;
  if (auto e = readLensNumber(v["n"], "lens.n", out.N); !e.empty()) return e;
  if (auto e = readFace(v["r1"], "lens.r1", out.First); !e.empty()) return e;
  if (auto e = readFace(v["r2"], "lens.r2", out.Second); !e.empty()) return e;
  if (auto e = readLensNumber(v["thickness"], "lens.thickness", out.Thickness); !e.empty()) return e;
  out.Aperture.reset();
  if (v.contains("aperture")) {
    double aperture = 0;
    if (auto e = readLensNumber(v["aperture"], "lens.aperture", aperture); !e.empty()) return e;
    out.Aperture = aperture;
  }
  return {};
}

std::string readStart(const json& v, Placement& out) {
  if (!v.is_object()) return "start must be an object, not " + kindOf(v);
  if (auto e = checkKeys(v, "start", {"source", "entry", "height", "rays", "time"}, {"target"}); !e.empty()) return e;
  if (v.contains("target")) {
    if (auto e = readPoint(v["target"], "start.target", out.targetX, out.targetY); !e.empty()) return e;
  }
  if (auto e = readPoint(v["source"], "start.source", out.sourceX, out.sourceY); !e.empty()) return e;
  if (auto e = readPoint(v["entry"], "start.entry", out.entryX, out.entryY); !e.empty()) return e;
  if (auto e = readBar(v["height"], "start.height", kThesiyRange, out.height); !e.empty()) return e;
  if (auto e = readBar(v["rays"], "start.rays", kRaysRange, out.rays); !e.empty()) return e;
  return readBar(v["time"], "start.time", kTimeRange, out.time);
}

std::string readActions(const json& v, std::vector<Action>& out) {
  if (!v.is_array()) return "actions must be a list of strings, not " + kindOf(v);
  if (v.size() > kMaxSetupActions) {
    return std::to_string(v.size()) + " actions, more than the " + std::to_string(kMaxSetupActions) +
           " a file may hold";
  }
  out.reserve(v.size());
  for (std::size_t i = 0; i < v.size(); ++i) {
    const std::string which = "action " + std::to_string(i + 1) + " of " + std::to_string(v.size());
    if (!v[i].is_string()) return which + " must be a string, not " + kindOf(v[i]);
    if (auto e = ParseAction(v[i].get_ref<const std::string&>(), out); !e.empty()) return which + ": " + e;
  }
  return {};
}

// The format and the version first: a newer file may hold keys this program
// does not know, and should say so rather than name one of them.
std::string readHeader(const json& v) {
  if (!v.contains("format")) return "not a fermat-lens set-up: no \"format\"";
  const json& format = v["format"];
  if (!format.is_string() || format.get_ref<const std::string&>() != kFormat) {
    return "not a fermat-lens set-up: its format is " +
           (format.is_string() ? Quoted(format.get_ref<const std::string&>()) : kindOf(format)) + ", not " +
           Quoted(kFormat);
  }
  if (!v.contains("version")) return "no version";
  const json& version = v["version"];
  const auto number = wholeNumber(version);
  if (!number) return "version must be a whole number, not " + kindOf(version);
  if (*number > kSetupVersion) {
    return "version " + version.dump() + " is newer than this program reads (" + std::to_string(kSetupVersion) + ")";
  }
  if (*number < 1) return "version " + version.dump() + " is not a version (they start at 1)";
  return {};
}

std::string readSetup(const json& v, Setup& out) {
  if (!v.is_object()) return "the file must hold a JSON object, not " + kindOf(v);
  if (auto e = readHeader(v); !e.empty()) return e;
  if (auto e = checkKeys(v, "the file", {"format", "version", "lens", "live", "start", "actions"},
                            {"mirror", "beam", "medium"});
      !e.empty()) {
    return e;
  }
  if (auto e = readLens(v["lens"], out.lens); !e.empty()) return e;
  if (v.contains("mirror")) {
    const json& m = v["mirror"];
    if (!m.is_string()) return "mirror must be a string such as \"concave,r=300\", not " + kindOf(m);
    if (auto e = ParseMirror(m.get_ref<const std::string&>(), out.mirror); !e.empty()) return "mirror: " + e;
  }
  if (v.contains("medium")) {
    const json& m = v["medium"];
    if (!m.is_string()) return "medium must be a string such as \"hot-road,n0=0.95,g=0.005\", not " + kindOf(m);
    if (auto e = ParseMedium(m.get_ref<const std::string&>(), out.medium); !e.empty()) return "medium: " + e;
    if (out.medium && out.mirror) return "a set-up holds a mirror or a medium, not both";
  }
  if (v.contains("beam")) {
    const json& b = v["beam"];
    if (!b.is_string() || (b.get_ref<const std::string&>() != "parallel" && b.get_ref<const std::string&>() != "point")) {
      return "beam must be \"parallel\" or \"point\", not " + (b.is_string() ? Quoted(b.get_ref<const std::string&>()) : kindOf(b));
    }
    out.parallelBeam = b.get_ref<const std::string&>() == "parallel";
  }
  if (!v["live"].is_boolean()) return "live must be true or false, not " + kindOf(v["live"]);
  out.live = v["live"].get<bool>();
  if (auto e = readStart(v["start"], out.start); !e.empty()) return e;
  return readActions(v["actions"], out.actions);
}

// The length of the UTF-8 sequence at the start of `s` if it is a valid one
// (no overlong form, surrogate or code point past U+10FFFF), else 0.
std::size_t utf8Length(std::string_view s) {
  const auto byte = [&](std::size_t i) { return i < s.size() ? static_cast<unsigned char>(s[i]) : 0u; };
  const unsigned b0 = byte(0);
  if (b0 < 0x80) return 1;
  std::size_t length = 0;
  unsigned lo = 0x80, hi = 0xbf;  // the range of the second byte
  if (b0 >= 0xc2 && b0 <= 0xdf) {
    length = 2;
  } else if (b0 >= 0xe0 && b0 <= 0xef) {
    length = 3;
    if (b0 == 0xe0) lo = 0xa0;  // overlong below U+0800
    if (b0 == 0xed) hi = 0x9f;  // surrogates
  } else if (b0 >= 0xf0 && b0 <= 0xf4) {
    length = 4;
    if (b0 == 0xf0) lo = 0x90;  // overlong below U+10000
    if (b0 == 0xf4) hi = 0x8f;  // past U+10FFFF
  } else {
    return 0;
  }
  if (byte(1) < lo || byte(1) > hi) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xbf) return 0;
  }
  return length;
}

// Format and separator characters that take no room on a line.
bool isInvisible(char32_t c) {
  return c == 0xad || c == 0x180e || (c >= 0x200b && c <= 0x200f) || (c >= 0x2028 && c <= 0x202e) ||
         (c >= 0x2060 && c <= 0x2064) || c == 0xfeff;
}

// An error as one line of valid UTF-8 and reasonable length, whatever the
// text it quotes: control characters (a newline in an action, say) and bytes
// that are not UTF-8 escaped as \xNN, a long quote cut at a character's start.
std::string oneLine(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size() && out.size() <= kMaxErrorBytes;) {
    const auto b = static_cast<unsigned char>(text[i]);
    const std::size_t length = utf8Length(text.substr(i));
    if (length == 2 || length == 3) {
      // Characters that print as nothing (a byte-order mark, a zero-width
      // space, a direction mark) are named, or the message would quote an
      // empty-looking text: "<U+FEFF>".
      char32_t c = length == 2 ? (b & 0x1fu) : (b & 0x0fu);
      for (std::size_t k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3fu);
      if (isInvisible(c)) {
        constexpr std::string_view kHex = "0123456789ABCDEF";
        out += "<U+";
        for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xfu];
        out += '>';
        i += length;
        continue;
      }
    }
    if (length == 0 || b < 0x20 || b == 0x7f) {
      constexpr std::string_view kHex = "0123456789abcdef";
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 0xf];
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  if (out.size() > kMaxErrorBytes) {
    std::size_t cut = kMaxErrorBytes;
    while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xc0u) == 0x80u) --cut;
    out.resize(cut);
    out += "...";
  }
  return out;
}

SetupRead refused(std::string_view error) {
  return {std::nullopt, oneLine(error)};
}

}  // namespace

std::string SetupJson(const Setup& setup) {
  return write(setup, true);
}

namespace {

// The set-up in `text`, its refusals naming where it came from (`what`: "set-up
// file", "share link").
SetupRead parseSetupFrom(std::string_view text, std::string_view what) {
  const std::string name(what);
  if (text.size() > kMaxSetupBytes) {
    return refused(name + " too large (" + std::to_string(text.size()) + " bytes; at most " +
                   std::to_string(kMaxSetupBytes) + ")");
  }
  const JsonDocument doc = ReadJsonDocument(text, kMaxSetupDepth);
  if (!doc.error.empty()) {
    SetupRead read = refused(name + " " + doc.error);
    read.detail = oneLine(doc.detail);
    return read;
  }
  Setup setup;
  if (auto e = readSetup(doc.value, setup); !e.empty()) {
    // "set-up file version 2 is ...", "set-up file: start.rays is 101, ..."
    return refused(name + (e.starts_with("version ") ? " " : ": ") + e);
  }
  return {std::move(setup), {}};
}

}  // namespace

SetupRead ParseSetup(std::string_view text) {
  return parseSetupFrom(text, "set-up file");
}

std::string SetupFragment(const Setup& setup) {
  return std::string(kFragmentKey) + Base64UrlText(write(setup, false));
}

SetupRead ParseSetupFragment(std::string_view fragment) {
  if (fragment.starts_with('#')) fragment.remove_prefix(1);
  if (!fragment.starts_with(kFragmentKey)) return refused("share link: no set-up in it (no \"setup=\" after the '#')");
  fragment.remove_prefix(kFragmentKey.size());
  // Checked before decoding, which would allocate three quarters of it.
  constexpr std::size_t kMaxChars = (kMaxSetupBytes * 4 + 2) / 3;
  if (fragment.size() > kMaxChars) {
    return refused("share link: set-up too large (" + std::to_string(fragment.size()) + " characters; at most " +
                   std::to_string(kMaxChars) + ")");
  }
  std::string error;
  const std::optional<std::string> text = ParseBase64Url(fragment, error);
  if (!text) return refused("share link: " + error);
  return parseSetupFrom(*text, "share link");
}

}  // namespace lab
