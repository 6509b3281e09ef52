// Small round dots at random whole-pixel positions, the stipple several
// styles build letters and noise from. Under a clip most dots may land where
// the clip hides them whole; knowing that beforehand spares the rasterizer
// thousands of shapes that would leave no trace, while the engine draws stay
// the same.
#pragma once

#include <cstdint>
#include <vector>

#include "GdiplusTypes.h"
#include "Graphics.h"
#include "RandomClass.h"

namespace MirelGlyphward {

// The pixels a graphics' clip lets through, on a device of width x height.
class ClipPixels {
 public:
  ClipPixels(const Gdiplus::Graphics& g, int width, int height);

  // Whether an anti-aliased dot filling the integer square (x, y, size) may
  // reach a pixel the clip lets through: with pixels centred on whole
  // coordinates, it covers parts of pixels x to x + size.
  bool MayShow(int x, int y, int size) const;

 private:
  std::size_t Index(int x, int y) const {
    return std::size_t(y) * std::size_t(width_) + std::size_t(x);
  }

  int width_, height_;
  std::vector<std::uint8_t> open_;
};

// `count` dots filled with `color`, each in the size x size square whose
// corner is the truncated point NextPoint(area) (two engine draws per dot).
// With `clip`, the dots it hides whole are drawn only from the engine.
void SprinkleDots(Gdiplus::Graphics& g, const RandomClass& rand, const Gdiplus::RectF& area,
                  int count, Gdiplus::ARGB color, Gdiplus::INT size,
                  const ClipPixels* clip = nullptr);

}  // namespace MirelGlyphward
