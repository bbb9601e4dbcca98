#include "lab/Trace.h"

#include "lab/Format.h"

namespace lab {
namespace {

std::string number(double v) { return ShortestText(v); }

std::string colour(Colour c) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "#";
  for (int shift = 20; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xfu];
  return out;
}

}  // namespace

std::string TraceLine(const Op& op) {
  using K = Op::Kind;
  const std::string col = "\"color\":\"" + colour(op.color) + "\"";
  const std::string width = "\"width\":" + std::to_string(op.width);
  switch (op.kind) {
    case K::Line:
      return "{\"op\":\"line\",\"x1\":" + number(op.x1) + ",\"y1\":" + number(op.y1) + ",\"x2\":" + number(op.x2) +
             ",\"y2\":" + number(op.y2) + "," + col + "," + width + ",\"style\":" + std::to_string(op.style) + "}";
    case K::Circle:
      return "{\"op\":\"circle\",\"x\":" + number(op.x1) + ",\"y\":" + number(op.y1) + ",\"r\":" + number(op.r) +
             "," + col + "," + width + ",\"fill\":" + (op.fill ? "\"" + colour(*op.fill) + "\"" : "null") + "}";
    case K::Arc:
      return "{\"op\":\"arc\",\"x\":" + number(op.x1) + ",\"y\":" + number(op.y1) + ",\"r\":" + number(op.r) +
             ",\"start\":" + number(op.start) + ",\"end\":" + number(op.end) + "," + col + "," + width + "}";
    case K::PSet:
      return "{\"op\":\"pset\",\"x\":" + number(op.x1) + ",\"y\":" + number(op.y1) + "," + col + "," + width + "}";
    case K::Cls:
      return "{\"op\":\"cls\"}";
    case K::FloodFill:
      // The fill's boundary colour (Op::fill) is not written.
      return "{\"op\":\"floodfill\",\"x\":" + number(op.x1) + ",\"y\":" + number(op.y1) + "," + col + "}";
  }
  return "{}";
}

}  // namespace lab
