// Drawing-oriented random draws. Every operation takes a fixed number of
// engine steps in a fixed order, which is what makes a picture reproducible
// from a seed.
#pragma once

#include <string>
#include <vector>

#include "GdiplusTypes.h"

namespace MirelGlyphward {

class RandomClass {
 public:
  virtual ~RandomClass() = default;

  int Next(int min, int max) const;
  float NextFloat(float min, float max) const;
  Gdiplus::Color NextColor() const;
  Gdiplus::Color NextColor(int rMin, int rMax, int gMin, int gMax, int bMin, int bMax) const;
  Gdiplus::RectF NextBorders(const Gdiplus::RectF& outer, const Gdiplus::RectF& inner) const;
  Gdiplus::PointF NextPoint(const Gdiplus::RectF& rect) const;
  Gdiplus::PointF NextPointAround(const Gdiplus::PointF& center, float size) const;
  void NextPoints(const Gdiplus::RectF& rect, Gdiplus::PointF& p1, Gdiplus::PointF& p2,
                  Gdiplus::PointF& p3, Gdiplus::PointF& p4) const;
  Gdiplus::RectF NextRectInside(const Gdiplus::RectF& rect, float width, float height) const;
  void NextOffsets(float min, float max, int count, std::vector<float>& list) const;
  char NextChar() const;
  std::u16string NextFontName(int style) const;
  std::u16string DefaultFontName() const;
};

}  // namespace MirelGlyphward
