#include "OverlayJson.h"

#include "Json.h"

namespace web {

std::string OverlayJson(const lab::ChallengeDrawing& d) {
  std::string out = "{\"cells\":[";
  for (std::size_t i = 0; i < d.cells.size(); ++i) {
    const lab::ChallengeCell& c = d.cells[i];
    out += (i ? ",{\"x1\":" : "{\"x1\":") + jsonNumber(c.from.x) + ",\"y1\":" + jsonNumber(c.from.y) +
           ",\"x2\":" + jsonNumber(c.to.x) + ",\"y2\":" + jsonNumber(c.to.y) + ",\"fill\":" + jsonColour(c.fill) +
           ",\"opacity\":" + jsonNumber(c.opacity) + "}";
  }
  out += "],\"paths\":[";
  for (std::size_t i = 0; i < d.paths.size(); ++i) {
    const lab::ChallengePath& p = d.paths[i];
    out += i ? ",{\"points\":[" : "{\"points\":[";
    for (std::size_t k = 0; k < p.points.size(); ++k) {
      if (k) out += ",";
      out += jsonNumber(p.points[k].x);
      out += ",";
      out += jsonNumber(p.points[k].y);
    }
    out += "],\"colour\":" + jsonColour(p.colour) + ",\"width\":" + jsonNumber(p.width) + ",\"dash\":[";
    for (std::size_t k = 0; k < p.dash.size(); ++k) out += (k ? "," : "") + jsonNumber(p.dash[k]);
    out += "]}";
  }
  out += "],\"dots\":[";
  for (std::size_t i = 0; i < d.dots.size(); ++i) {
    const lab::ChallengeDot& dot = d.dots[i];
    out += i ? ",{\"x\":" : "{\"x\":";
    out += jsonNumber(dot.at.x) + ",\"y\":" + jsonNumber(dot.at.y) + ",\"fill\":" + jsonColour(dot.fill) +
           ",\"outline\":" + jsonColour(dot.outline) + ",\"radius\":" + jsonNumber(dot.radius) +
           ",\"outlineWidth\":" + jsonNumber(dot.outlineWidth) + ",\"text\":" + jsonString(dot.text) +
           ",\"textAbove\":" + jsonBool(dot.textAbove) +
           ",\"textInk\":" + (dot.textInk != 0 ? jsonColour(dot.textInk) : jsonColour(dot.fill)) + "}";
  }
  out += "],\"textSize\":" + jsonNumber(d.textSize) + ",\"textDx\":" + jsonNumber(d.textDx) +
         ",\"textDy\":" + jsonNumber(d.textDy) + "}";
  return out;
}

}  // namespace web
