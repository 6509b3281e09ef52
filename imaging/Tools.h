// Drawing helpers shared by the text styles: text outlines stretched to fill
// a rectangle, the rectangles of a region, and small conversions.
#pragma once

#include <string>
#include <vector>

#include "Font.h"
#include "GdiplusTypes.h"
#include "GraphicsPath.h"
#include "Region.h"

namespace MirelGlyphward {

class Tools {
 public:
  virtual ~Tools() = default;

  // Fills path (fill mode winding) with the outline of text in font, at the
  // font's size as em size, then stretches it so that its bounds are target.
  // Text without an outline, or an outline without width or height, leaves
  // the path without points: there is nothing to stretch.
  static void AddFittedString(std::u16string text, const Gdiplus::Font& font,
                              const Gdiplus::RectF& target, Gdiplus::GraphicsPath* path);
  // Replaces rects by the region's scan rectangles, in the region's order.
  static void GetRegionRects(const Gdiplus::Region& region, std::vector<Gdiplus::RectF>& rects);
  // Each value truncated toward zero.
  static Gdiplus::Rect ToRect(const Gdiplus::RectF& rect);
  static Gdiplus::PointF CenterOf(const Gdiplus::RectF& rect);
  // In single precision.
  static float NaturalLog(float x);
};

}  // namespace MirelGlyphward
