// Where the rasterisers' output lands: pixel runs of a bitmap, cut by the
// clip and coloured by a brush.
#pragma once

#include <cstdint>
#include <cstring>

#include "Bitmap.h"
#include "Brush.h"
#include "RasterClip.h"
#include "RenderPixel.h"

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
  // Inline: the small-shape rasterisers call it for runs of a pixel or two.
  void BlendCovers(INT y, INT x, INT count, const BYTE* covers) {
    const ARGB* const row = PaintRow(y);
    const ARGB color = paint_.color;
    const bool opaque = paint_.opaque;
    clip_->ForEachRun(y, x, x + count, [&](INT from, INT to) {
      BlendCoverRun(PixelAt(from, y), covers + (from - x), from, to, row, color, opaque);
    });
  }
  // Blends the pixels of a small block, columns x rows from (left, top),
  // with coverage covers[row * columns + column]: a dot at once.
  void BlendBlock(INT left, INT top, INT columns, INT rows, const BYTE* covers) {
    const Rect& bounds = clip_->Bounds();
    if (!clip_->IsFull() || left < bounds.X || top < bounds.Y ||
        left + columns > bounds.X + bounds.Width || top + rows > bounds.Y + bounds.Height) {
      for (INT row = 0; row < rows; ++row)
        BlendCovers(top + row, left, columns, covers + row * columns);
      return;
    }
    for (INT y = top; y < top + rows; ++y, covers += columns) {
      const ARGB* const row = PaintRow(y);
      BYTE* pixel = PixelAt(left, y);
      for (INT i = 0; i < columns; ++i, pixel += 4) {
        Blend(pixel, row ? row[(left + i) & 7] : paint_.color, covers[i]);
      }
    }
  }
  // Asks for pixels [left, right] of rows [top, bottom] to be fetched into
  // the cache ahead of blending; scattered dots otherwise wait on memory.
  void Prefetch(INT left, INT top, INT right, INT bottom) const {
    left = left < 0 ? 0 : left;
    top = top < 0 ? 0 : top;
    right = right < surface_.width ? right : surface_.width - 1;
    bottom = bottom < surface_.height ? bottom : surface_.height - 1;
    if (left > right) return;
    for (INT y = top; y <= bottom; ++y) {
      __builtin_prefetch(PixelAt(left, y), 1);
      __builtin_prefetch(PixelAt(right, y), 1);
    }
  }
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
  const ARGB* PaintRow(INT y) const { return paint_.cell ? paint_.cell + ((y & 7) << 3) : nullptr; }
  void Blend(BYTE* pixel, ARGB color, unsigned coverage) const {
    if (paint_.opaque && pixel[3] == 255) {
      BlendOpaqueLanes(pixel, color, coverage);
    } else {
      BlendPixel(pixel, color, coverage);
    }
  }
  // BlendPixel of an opaque colour over an opaque pixel, the common case of
  // dots on a ground, with the channels worked out side by side rather than
  // one after another.
  static void BlendOpaque(BYTE* pixel, ARGB color, unsigned coverage) {
    const unsigned alpha = MultiplyUnit(255, coverage);
    if (alpha == 0) return;
    if (alpha == 255) {
      StorePixel(pixel, color);
      return;
    }
    const unsigned keep = 255 - alpha;
    const unsigned blue = ((color & 0xFF) * alpha + pixel[0] * keep + 127) / 255;
    const unsigned green = (((color >> 8) & 0xFF) * alpha + pixel[1] * keep + 127) / 255;
    const unsigned red = (((color >> 16) & 0xFF) * alpha + pixel[2] * keep + 127) / 255;
    pixel[0] = BYTE(blue);
    pixel[1] = BYTE(green);
    pixel[2] = BYTE(red);
  }
  // BlendOpaque for a dot's pixels, whose edge covers are too varied to
  // predict: blue and red, then green and alpha, are blended side by side
  // in 16-bit lanes of one word, without branches. Coverage 0 keeps the
  // pixel and 255 gives the colour exactly; x / 255 is (x + 1 + (x >> 8))
  // >> 8 for x below 65535, and the lanes stay below 255 · 255 + 127 + 1 +
  // 254. Long runs, mostly of full cover, are quicker with BlendOpaque.
  static void BlendOpaqueLanes(BYTE* pixel, ARGB color, unsigned coverage) {
    constexpr std::uint32_t kLanes = 0x00FF00FF, kHalf = 0x007F007F, kOne = 0x00010001;
    const std::uint32_t alpha = MultiplyUnit(255, coverage), keep = 255 - alpha;
    std::uint32_t word;
    std::memcpy(&word, pixel, sizeof word);
    std::uint32_t blueRed = (color & kLanes) * alpha + (word & kLanes) * keep + kHalf;
    blueRed = ((blueRed + kOne + ((blueRed >> 8) & kLanes)) >> 8) & kLanes;
    std::uint32_t greenAlpha =
        ((color >> 8) & kLanes) * alpha + ((word >> 8) & kLanes) * keep + kHalf;
    greenAlpha = (greenAlpha + kOne + ((greenAlpha >> 8) & kLanes)) & (kLanes << 8);
    // The pixel keeps its own alpha, as BlendPixel leaves it.
    word = ((blueRed | greenAlpha) & 0x00FFFFFF) | (word & 0xFF000000);
    std::memcpy(pixel, &word, sizeof word);
  }
  // Blends pixels [from, to) of a row, starting at pixel, with coverage
  // cover[i - from] for pixel i. The paint comes in as values, and there is a
  // loop for each kind: the pixel stores could alias the members or anything
  // reached through a reference, and the runs of large shapes are long.
  static void BlendCoverRun(BYTE* pixel, const BYTE* cover, INT from, INT to, const ARGB* row,
                            ARGB color, bool opaque) {
    if (opaque && row) {
      for (INT i = from; i < to; ++i, pixel += 4, ++cover) {
        if (pixel[3] == 255) {
          BlendOpaque(pixel, row[i & 7], *cover);
        } else {
          BlendPixel(pixel, row[i & 7], *cover);
        }
      }
    } else if (opaque) {
      for (INT i = from; i < to; ++i, pixel += 4, ++cover) {
        if (pixel[3] == 255) {
          BlendOpaque(pixel, color, *cover);
        } else {
          BlendPixel(pixel, color, *cover);
        }
      }
    } else if (row) {
      for (INT i = from; i < to; ++i, pixel += 4, ++cover) BlendPixel(pixel, row[i & 7], *cover);
    } else {
      for (INT i = from; i < to; ++i, pixel += 4, ++cover) BlendPixel(pixel, color, *cover);
    }
  }
  ARGB PaintAt(INT x, INT y) const {
    return paint_.cell ? paint_.cell[((y & 7) << 3) | (x & 7)] : paint_.color;
  }

  BitmapSurface surface_;
  const RasterClip* clip_ = nullptr;
  BrushPaint paint_;
};

}  // namespace Gdiplus
