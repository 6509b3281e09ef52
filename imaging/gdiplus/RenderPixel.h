// Source-over compositing of straight (not premultiplied) colours onto
// straight B, G, R, A pixels.
#pragma once

#include "GdiplusTypes.h"

namespace Gdiplus {

// a·b/255, rounded, for a and b in 0..255.
inline unsigned MultiplyUnit(unsigned a, unsigned b) {
  const unsigned t = a * b + 128;
  return (t + (t >> 8)) >> 8;
}

inline void StorePixel(BYTE* pixel, ARGB color) {
  pixel[0] = BYTE(color);
  pixel[1] = BYTE(color >> 8);
  pixel[2] = BYTE(color >> 16);
  pixel[3] = BYTE(color >> 24);
}

// Lays color over the pixel with the given coverage (0..255). The result is
// exact where either side is opaque or the pixel is transparent, so colours
// drawn on a transparent ground keep their straight values.
inline void BlendPixel(BYTE* pixel, ARGB color, unsigned coverage) {
  const unsigned sourceAlpha = MultiplyUnit(color >> 24, coverage);
  if (sourceAlpha == 0) return;
  const unsigned destAlpha = pixel[3];
  if (sourceAlpha == 255 || destAlpha == 0) {
    StorePixel(pixel, (color & 0x00FFFFFF) | (ARGB(sourceAlpha) << 24));
    return;
  }
  const unsigned source[3] = {color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF};
  if (destAlpha == 255) {
    const unsigned keep = 255 - sourceAlpha;
    for (int c = 0; c < 3; ++c) {
      pixel[c] = BYTE((source[c] * sourceAlpha + pixel[c] * keep + 127) / 255);
    }
    return;
  }
  // Both translucent: weigh each side by its share of the resulting alpha.
  const unsigned destWeight = MultiplyUnit(destAlpha, 255 - sourceAlpha);
  const unsigned alpha = sourceAlpha + destWeight;
  for (int c = 0; c < 3; ++c) {
    pixel[c] = BYTE((source[c] * sourceAlpha + pixel[c] * destWeight + alpha / 2) / alpha);
  }
  pixel[3] = BYTE(alpha);
}

}  // namespace Gdiplus
