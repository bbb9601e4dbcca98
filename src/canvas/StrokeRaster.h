#pragma once

#include <limits>

#include <QImage>
#include <QPointF>
#include <QRgb>

namespace canvas {

// Rows [top, bottom) of the image a stroke may write. Every pixel's value is
// computed the same way whatever the band, so painting strokes band by band
// (one band after the other, or two bands at once on two threads) gives the
// pixels of painting them whole.
struct RowBand {
  int top = 0;
  int bottom = std::numeric_limits<int>::max();
};

// Blends an anti-aliased straight stroke `width` device pixels wide, with
// flat ends, from a to b (device pixel positions) into an RGB32 image,
// clipped to it. Per pixel the coverage is the share of the pixel's column
// (or row, for steep strokes) that the stroke's band covers, so a horizontal
// stroke whose edges fall on pixel edges is whole rows of pure colour.
//
// Qt's general stroker does the same job several times slower on long thin
// strokes, which are most of what the constructions draw.
void BlendLine(QImage& image, QPointF a, QPointF b, double width, QRgb color, RowBand band = {});

// Fills an RGB32 image with an opaque colour; a large one in two bands of
// rows at once, on two threads (filling is most of a full repaint's memory
// traffic at a high pixel ratio).
void FillOpaque(QImage& image, QRgb color);

// Blends an anti-aliased ring of radius `radius` about `centre`, `width`
// device pixels wide, into an RGB32 image: per pixel the share of its radial
// extent that the ring covers.
void BlendRing(QImage& image, QPointF centre, double radius, double width, QRgb color, RowBand band = {});

}  // namespace canvas
