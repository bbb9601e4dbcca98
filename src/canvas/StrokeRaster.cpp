#include "canvas/StrokeRaster.h"

#include <algorithm>
#include <cmath>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The per-step blend is called from the walk's hot loop; g++ would not inline
// it on its own, and a call per step costs a third of the walk.
#if defined(_MSC_VER)
#define FERMAT_ALWAYS_INLINE __forceinline
#else
#define FERMAT_ALWAYS_INLINE [[gnu::always_inline]] inline
#endif

namespace canvas {
namespace {

// dst + (src - dst) * coverage, per channel, coverage in 0..256.
inline QRgb blend(QRgb dst, QRgb src, int coverage) {
  const int inv = 256 - coverage;
  const QRgb rb = (((src & 0xff00ffu) * coverage + (dst & 0xff00ffu) * inv) >> 8) & 0xff00ffu;
  const QRgb g = (((src & 0x00ff00u) * coverage + (dst & 0x00ff00u) * inv) >> 8) & 0x00ff00u;
  return 0xff000000u | rb | g;
}

double overlap(double lo0, double hi0, double lo1, double hi1) {
  return std::max(0.0, std::min(hi0, hi1) - std::max(lo0, lo1));
}

// One step of the walk along the major axis u at column (or row) i: the band
// [lo, hi] across the minor axis v, of which `weight` / 256 of the step's
// extent along u is covered. Steep strokes walk rows and write columns.
template <bool Steep>
FERMAT_ALWAYS_INLINE void blendStep(uchar* bits, qsizetype stride, int vLo, int vHi, int i, double lo, double hi,
                                    double weight, QRgb src) {
  auto put = [&](int j, double share) {
    const int coverage = static_cast<int>(weight * share + 0.5);
    if (coverage <= 0) return;
    const int x = Steep ? j : i, y = Steep ? i : j;
    QRgb& px = reinterpret_cast<QRgb*>(bits + static_cast<qsizetype>(y) * stride)[x];
    px = coverage >= 256 ? src : blend(px, src, coverage);
  };
  // Both ends are within (-1, size + 1) here: truncation of the shifted
  // value is the floor. Only the band's first and last pixel are partly
  // covered.
  // [vLo, vHi) is the part of the image's extent across the walk this call may write.
  const int jLo = static_cast<int>(lo + 1.0) - 1, jHi = static_cast<int>(hi + 1.0) - 1;
  if (jLo == jHi) {
    if (jLo >= vLo && jLo < vHi) put(jLo, hi - lo);
    return;
  }
  if (jLo >= vLo && jLo < vHi) put(jLo, jLo + 1 - lo);
  const int from = std::max(vLo, jLo + 1), to = std::min(vHi - 1, jHi - 1);
  if (weight >= 256.0) {
    // A whole step: the inner pixels take the colour as it is.
    if constexpr (Steep) {
      for (int j = from; j <= to; ++j) reinterpret_cast<QRgb*>(bits + static_cast<qsizetype>(i) * stride)[j] = src;
    } else {
      for (int j = from; j <= to; ++j) reinterpret_cast<QRgb*>(bits + static_cast<qsizetype>(j) * stride)[i] = src;
    }
  } else {
    for (int j = from; j <= to; ++j) put(j, 1.0);
  }
  if (jHi >= vLo && jHi < vHi) put(jHi, hi - jHi);
}

template <bool Steep>
void blendLine(QImage& image, QPointF a, QPointF b, double width, QRgb color, RowBand band) {
  // Walk along the major axis u; v is the minor one.
  double u0 = Steep ? a.y() : a.x(), v0 = Steep ? a.x() : a.y();
  double u1 = Steep ? b.y() : b.x(), v1 = Steep ? b.x() : b.y();
  if (u1 < u0) std::swap(u0, u1), std::swap(v0, v1);
  const int uSize = Steep ? image.height() : image.width();
  const int vSize = Steep ? image.width() : image.height();
  const double du = u1 - u0;
  const double slope = du > 0 ? (v1 - v0) / du : 0.0;
  // Half the band's extent across the minor axis.
  const double half = width / 2.0 * std::sqrt(1.0 + slope * slope);
  // constBits: bits() would check for sharing (and could copy) on every stroke; the image is
  // the caller's own, painted on by this thread only.
  uchar* const bits = const_cast<uchar*>(image.constBits());
  const qsizetype stride = image.bytesPerLine();
  const QRgb src = color | 0xff000000u;
  // A steep stroke walks rows: the band limits the walk; a flat one writes
  // rows across it: the band limits each step's pixels.
  int first = std::max(Steep ? std::max(0, band.top) : 0, static_cast<int>(std::floor(u0)));
  int last = std::min(Steep ? std::min(uSize, band.bottom) - 1 : uSize - 1, static_cast<int>(std::ceil(u1)) - 1);
  const int vLo = Steep ? 0 : std::max(0, band.top), vHi = Steep ? vSize : std::min(vSize, band.bottom);
  if (!Steep && (vLo > 0 || vHi < vSize)) {
    // Only the steps whose band can reach rows [vLo, vHi) write anything:
    // leave the others out (with a step and a pixel to spare), as a flat
    // stroke in the other band of rows mostly is.
    const double vMin = vLo - half - 1.0, vMax = vHi + half + 1.0;
    if (std::abs(slope) < 1e-6) {
      if (std::max(v0, v1) < vMin || std::min(v0, v1) > vMax) return;
    } else {
      double ua = u0 + (vMin - v0) / slope, ub = u0 + (vMax - v0) / slope;
      if (ua > ub) std::swap(ua, ub);
      const double lo = first - 2.0, hi = last + 2.0;
      first = std::max(first, static_cast<int>(std::floor(std::clamp(ua, lo, hi))) - 1);
      last = std::min(last, static_cast<int>(std::ceil(std::clamp(ub, lo, hi))) + 1);
    }
  }
  // The steps that lie wholly inside [u0, u1] are covered along their whole
  // extent and sample the band at their centre; only the first and the last
  // step can be partial. Each step computes the band from the ends (never by
  // accumulating the slope), so every step sees the same numbers wherever
  // the walk starts.
  auto step = [&](int i) {
    const double along = du > 0 ? overlap(i, i + 1, u0, u1) : 1.0;
    if (along <= 0) return;
    const double uc = std::clamp(i + 0.5, u0, u1);
    const double vc = v0 + slope * (uc - u0);
    const double lo = vc - half, hi = vc + half;
    if (hi <= 0 || lo >= vSize) return;
    blendStep<Steep>(bits, stride, vLo, vHi, i, lo, hi, 256.0 * along, src);
  };
  if (!(du > 0)) {
    for (int i = first; i <= last; ++i) step(i);
    return;
  }
  // Whole steps: u0 <= i and i + 1 <= u1.
  const int wholeFrom = std::max(first, static_cast<int>(std::ceil(u0)));
  const int wholeTo = std::min(last, static_cast<int>(std::floor(u1)) - 1);
  int i = first;
  for (; i <= last && i < wholeFrom; ++i) step(i);
  for (; i <= wholeTo; ++i) {
    const double vc = v0 + slope * (i + 0.5 - u0);
    const double lo = vc - half, hi = vc + half;
    if (hi <= 0 || lo >= vSize) continue;
    blendStep<Steep>(bits, stride, vLo, vHi, i, lo, hi, 256.0, src);
  }
  for (; i <= last; ++i) step(i);
}

}  // namespace

void BlendLine(QImage& image, QPointF a, QPointF b, double width, QRgb color, RowBand band) {
  if (std::abs(b.y() - a.y()) > std::abs(b.x() - a.x())) {
    blendLine<true>(image, a, b, width, color, band);
  } else {
    blendLine<false>(image, a, b, width, color, band);
  }
}

void FillOpaque(QImage& image, QRgb color) {
  uchar* const bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  const int width = image.width(), rows = image.height();
  const QRgb px = color | 0xff000000u;
  auto fill = [&](int from, int to) {
    for (int row = from; row < to; ++row) {
      auto* line = reinterpret_cast<QRgb*>(bits + static_cast<qsizetype>(row) * stride);
#if defined(__SSE2__)
      // Streaming stores: the image is far larger than the caches, and
      // writing around them spares reading every line in before it is
      // overwritten.
      int x = 0;
      for (; x < width && (reinterpret_cast<quintptr>(line + x) & 15u) != 0; ++x) line[x] = px;
      const __m128i four = _mm_set1_epi32(static_cast<int>(px));
      for (; x + 4 <= width; x += 4) _mm_stream_si128(reinterpret_cast<__m128i*>(line + x), four);
      for (; x < width; ++x) line[x] = px;
#else
      std::fill(line, line + width, px);
#endif
    }
#if defined(__SSE2__)
    _mm_sfence();  // the streamed lines are visible before anything blends into them
#endif
  };
  constexpr qsizetype kThreadedPixels = qsizetype{1} << 20;
  if (qsizetype{width} * rows < kThreadedPixels) {
    fill(0, rows);
    return;
  }
  const int middle = rows / 2;
  std::thread upper(fill, 0, middle);
  fill(middle, rows);
  upper.join();
}

void BlendRing(QImage& image, QPointF centre, double radius, double width, QRgb color, RowBand band) {
  const double half = width / 2.0, cx = centre.x(), cy = centre.y();
  const double inner = radius - half, outer = radius + half;
  // Pixels whose centres lie within half a pixel of the ring's band.
  const double reachOut = outer + 0.75, reachIn = std::max(0.0, inner - 0.75);
  const int w = image.width(), h = image.height();
  uchar* const bits = const_cast<uchar*>(image.constBits());
  const qsizetype stride = image.bytesPerLine();
  const QRgb src = color | 0xff000000u;
  const int top = std::max({0, band.top, static_cast<int>(std::floor(cy - reachOut))});
  const int bottom = std::min({h - 1, band.bottom - 1, static_cast<int>(std::ceil(cy + reachOut))});
  // A pixel whose centre lies well inside the band is covered whole, one well
  // outside it not at all: both are told by the squared distance, without a
  // square root. The margins are far wider than the rounding of either way
  // of computing, so these pixels get the coverage the exact overlap would
  // give them (256, or 0); only the pixels near the band's edges take the root.
  constexpr double kMargin = 1e-6;
  const double solidIn = inner + 0.5 + kMargin, solidOut = outer - 0.5 - kMargin;
  const double solidIn2 = solidIn > 0 ? solidIn * solidIn : 0.0;
  const double solidOut2 = solidOut > 0 ? solidOut * solidOut : -1.0;
  const double clearIn = inner - 0.5 - kMargin, clearOut = outer + 0.5 + kMargin;
  const double clearIn2 = clearIn > 0 ? clearIn * clearIn : -1.0;
  const double clearOut2 = clearOut * clearOut;
  auto plot = [&](QRgb* line, int x, double dy) {
    const double dx = x + 0.5 - cx;
    const double d2 = dx * dx + dy * dy;
    if (d2 >= clearOut2 || d2 <= clearIn2) return;
    if (d2 >= solidIn2 && d2 <= solidOut2) {
      line[x] = src;
      return;
    }
    const double d = std::sqrt(d2);
    const int coverage = static_cast<int>(256.0 * overlap(d - 0.5, d + 0.5, inner, outer) + 0.5);
    if (coverage > 0) line[x] = coverage >= 256 ? src : blend(line[x], src, coverage);
  };
  for (int row = top; row <= bottom; ++row) {
    const double dy = row + 0.5 - cy;
    if (std::abs(dy) > reachOut) continue;
    const double xOut = std::sqrt(reachOut * reachOut - dy * dy);
    const double xIn = std::abs(dy) < reachIn ? std::sqrt(reachIn * reachIn - dy * dy) : 0.0;
    auto* line = reinterpret_cast<QRgb*>(bits + static_cast<qsizetype>(row) * stride);
    // The left and the right span of the ring on this row (one span where they meet).
    const int l0 = std::max(0, static_cast<int>(std::floor(cx - xOut)));
    const int l1 = std::min(w - 1, static_cast<int>(std::ceil(cx - xIn)));
    const int r0 = std::max({0, static_cast<int>(std::floor(cx + xIn)), l1 + 1});
    const int r1 = std::min(w - 1, static_cast<int>(std::ceil(cx + xOut)));
    for (int x = l0; x <= l1; ++x) plot(line, x, dy);
    for (int x = r0; x <= r1; ++x) plot(line, x, dy);
  }
}

}  // namespace canvas
