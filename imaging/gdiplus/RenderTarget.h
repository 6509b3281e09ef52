// Where the rasterisers' output lands: pixel runs of a bitmap, cut by the
// clip and coloured by a brush.
#pragma once

#include "Bitmap.h"
#include "Brush.h"
#include "RasterClip.h"

namespace Gdiplus {

class RenderTarget {
 public:
  void Attach(const BitmapSurface& surface, const RasterClip* clip) {
    surface_ = surface;
    clip_ = clip;
  }
  void SetPaint(const BrushPaint& paint) { paint_ = paint; }

  const BitmapSurface& Surface() const { return surface_; }
  const RasterClip& Clip() const { return *clip_; }

  // Blends pixels [left, right) of row y at full coverage.
  void BlendRun(INT y, INT left, INT right);
  // Blends pixels [x, x + count) of row y with coverage covers[i] for x + i.
  void BlendCovers(INT y, INT x, INT count, const BYTE* covers);
  // Blends one pixel at full coverage if the clip lets it through.
  void BlendDot(INT x, INT y);
  // Blends [x, x + count) of row y with per-pixel straight colours.
  void BlendColors(INT y, INT x, INT count, const ARGB* colors);
  // Overwrites the pixels of the rectangle inside the clip with the colour,
  // alpha included.
  void Replace(const Rect& rect, ARGB color);

 private:
  BYTE* PixelAt(INT x, INT y) const {
    return surface_.scan0 + std::size_t(y) * std::size_t(surface_.stride) + std::size_t(x) * 4;
  }
  ARGB PaintAt(INT x, INT y) const {
    return paint_.cell ? paint_.cell[((y & 7) << 3) | (x & 7)] : paint_.color;
  }

  BitmapSurface surface_;
  const RasterClip* clip_ = nullptr;
  BrushPaint paint_;
};

}  // namespace Gdiplus
