#pragma once

#include <QImage>
#include <QPointF>
#include <QRgb>

namespace canvas {

// Whether PlotThinLine lights exactly what QPainter::drawLine(a, b) does on
// `image` with the one-pixel solid pen: an RGB32 image small enough for the
// stroker's 16.16 arithmetic, two different ends with finite, moderate
// coordinates. A single point goes through Qt's drawPoint instead.
[[nodiscard]] bool IsThinLineExact(const QImage& image, QPointF a, QPointF b) noexcept;

// Plots the line from a to b (pixel positions) into `bits`, the buffer of an
// RGB32 image of `width` x `height` pixels, `stride` bytes a row, in the
// opaque colour `ink`: the pixels Qt's aliased cosmetic stroker (Qt 6.4)
// lights for a cosmetic, one-pixel, flat-capped solid pen under an identity
// transform. Only for the cases IsThinLineExact admits.
void PlotThinLine(uchar* bits, qsizetype stride, int width, int height, QPointF a, QPointF b, QRgb ink) noexcept;

}  // namespace canvas
