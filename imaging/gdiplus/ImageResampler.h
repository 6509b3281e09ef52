// Draws part of a bitmap scaled into a rectangle of another, with AGG's
// image filters chosen by the interpolation mode. Samples outside the
// source rectangle count as transparent, as with GDI+'s default image
// attributes, so enlarged images fade out at their right and bottom edges.
#pragma once

#include <cstdint>
#include <vector>

#include "Bitmap.h"
#include "GdiplusTypes.h"

namespace Gdiplus {

class RenderTarget;

class ImageResampler {
 public:
  // Largest side, in pixels, of a source or destination rectangle; AGG's
  // image filters work in 24.8 fixed point.
  static constexpr double kMaxSide = 4194304.0;

  // Both rectangles in pixels with GDI+'s pixel centres; destination pixel
  // (i, j) takes the sample under its centre, and is drawn when that centre
  // lies inside destRect (left and top inclusive). The rectangles must have
  // positive, finite sides no larger than kMaxSide.
  Status Draw(const BitmapSurface& source, const RectF& sourceRect, const RectF& destRect,
              InterpolationMode mode, RenderTarget& target);

 private:
  // Copies the source pixels under sourceRect, premultiplied, into buffer_.
  void LoadSource(const BitmapSurface& source, INT left, INT top, INT width, INT height);

  std::vector<std::uint8_t> buffer_;
  std::vector<std::uint8_t> samples_;
  std::vector<ARGB> colors_;
};

}  // namespace Gdiplus
