#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace canvas {

// Width in user units of the light rim drawn around each glyph of a caption,
// so that black text stays legible over dark lines without erasing them.
inline constexpr double kHaloWidth = 3.0;

// Draws `text` in black from the top-left of `rect`, wrapped at word
// boundaries within its width, over a light halo; nothing else of the rect is
// painted, so the picture beneath shows through. `font` is sized for a device
// of `fontDpi` dots an inch (the widget's): the text keeps that size in the
// painter's user units on any device (a 1200 dpi printer, an image, an SVG).
// The halo is drawn as outlines, never as text, so a PDF holds each caption once.
void DrawHaloText(QPainter& painter, const QRectF& rect, const QFont& font, const QString& text, double fontDpi);

}  // namespace canvas
