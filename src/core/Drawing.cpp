#include "core/Drawing.h"

namespace core {

using K = DrawOp::Kind;

void Drawing::Line(double x1, double y1, double x2, double y2, std::optional<numeric::Colour> c) {
  ops.push_back({.kind = K::Line, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2, .colour = c});
}
void Drawing::LineTo(double x2, double y2, std::optional<numeric::Colour> c) {
  ops.push_back({.kind = K::LineTo, .x2 = x2, .y2 = y2, .colour = c});
}
void Drawing::Arc(double x, double y, double r, double start, double end, std::optional<numeric::Colour> c) {
  ops.push_back({.kind = K::Arc, .x1 = x, .y1 = y, .r = r, .start = start, .end = end, .colour = c});
}

void Drawing::Circle(double x, double y, double r, std::optional<numeric::Colour> c) {
  ops.push_back({.kind = K::Circle, .x1 = x, .y1 = y, .r = r, .colour = c});
}
void Drawing::PSet(double x, double y, std::optional<numeric::Colour> c) {
  ops.push_back({.kind = K::PSet, .x1 = x, .y1 = y, .colour = c});
}
void Drawing::DrawWidth(int v) {
  ops.push_back({.kind = K::DrawWidth, .value = v});
}
void Drawing::DrawStyle(int v) {
  ops.push_back({.kind = K::DrawStyle, .value = v});
}
void Drawing::FillStyle(int v) {
  ops.push_back({.kind = K::FillStyle, .value = v});
}
void Drawing::Show(Caption which, double a, double b) {
  ops.push_back({.kind = K::Caption, .caption = which, .a = a, .b = b});
}
void Drawing::Message(const char* text) { ops.push_back({.kind = K::Message, .text = text}); }
void Drawing::MoveEntry(double x, double y) {
  ops.push_back({.kind = K::MoveEntry, .x1 = x, .y1 = y});
}
void Drawing::Append(const Drawing& other) {
  ops.insert(ops.end(), other.ops.begin(), other.ops.end());
}

}  // namespace core
