#include "RenderTarget.h"

#include <algorithm>

#include "RenderPixel.h"

namespace Gdiplus {

void RenderTarget::BlendRun(INT y, INT left, INT right) {
  clip_->ForEachRun(y, left, right, [&](INT from, INT to) {
    BYTE* pixel = PixelAt(from, y);
    if (paint_.opaque) {
      if (!paint_.cell) {
        for (INT x = from; x < to; ++x, pixel += 4) StorePixel(pixel, paint_.color);
      } else {
        const ARGB* row = paint_.cell + ((y & 7) << 3);
        for (INT x = from; x < to; ++x, pixel += 4) StorePixel(pixel, row[x & 7]);
      }
      return;
    }
    for (INT x = from; x < to; ++x, pixel += 4) BlendPixel(pixel, PaintAt(x, y), 255);
  });
}

void RenderTarget::BlendDot(INT x, INT y) {
  if (x < 0 || y < 0 || x >= surface_.width || y >= surface_.height) return;
  if (!clip_->IsFull() && !clip_->Contains(x, y)) return;
  BlendPixel(PixelAt(x, y), PaintAt(x, y), 255);
}

void RenderTarget::BlendColors(INT y, INT x, INT count, const ARGB* colors) {
  clip_->ForEachRun(y, x, x + count, [&](INT from, INT to) {
    BYTE* pixel = PixelAt(from, y);
    for (INT i = from; i < to; ++i, pixel += 4) BlendPixel(pixel, colors[i - x], 255);
  });
}

void RenderTarget::Replace(const Rect& rect, ARGB color) {
  const INT top = std::max(rect.Y, 0);
  const INT bottom = std::min(rect.Y + rect.Height, surface_.height);
  for (INT y = top; y < bottom; ++y) {
    clip_->ForEachRun(y, rect.X, rect.X + rect.Width, [&](INT from, INT to) {
      BYTE* pixel = PixelAt(from, y);
      for (INT x = from; x < to; ++x, pixel += 4) StorePixel(pixel, color);
    });
  }
}

}  // namespace Gdiplus
