#include "canvas/Trace.h"

#include <QLocale>
#include <QString>

#include <cstdio>

namespace canvas {
namespace {

// The shortest text that reads back as v, with a decimal point in every
// locale (std::to_chars for double is missing from older standard libraries).
std::string number(double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest).toStdString(); }

std::string colour(QRgb c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", qRed(c), qGreen(c), qBlue(c));
  return buf;
}

}  // namespace

std::string TraceLine(const CanvasOp& op) {
  using K = CanvasOp::Kind;
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
      return "{\"op\":\"floodfill\",\"x\":" + number(op.x1) + ",\"y\":" + number(op.y1) + "," + col + "}";
  }
  return "{}";
}

}  // namespace canvas
