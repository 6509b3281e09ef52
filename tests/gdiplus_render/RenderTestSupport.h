// Helpers for checking drawings pixel by pixel.
#pragma once

#include <functional>
#include <string>

#include "Bitmap.h"
#include "GdiplusTypes.h"

namespace RenderTest {

using Gdiplus::ARGB;

// The straight ARGB value of a pixel.
ARGB PixelAt(const Gdiplus::Bitmap& bitmap, int x, int y);

// Number of pixels for which the predicate holds.
int CountPixels(const Gdiplus::Bitmap& bitmap, const std::function<bool(ARGB)>& predicate);

// Number of pixels that are not 0 (transparent black).
int CountPainted(const Gdiplus::Bitmap& bitmap);

// The smallest rectangle holding every pixel that is not 0; empty if none.
Gdiplus::Rect PaintedBounds(const Gdiplus::Bitmap& bitmap);

// Describes the first pixel whose value differs from expected(x, y), or is
// empty when all agree.
std::string FirstMismatch(const Gdiplus::Bitmap& bitmap,
                          const std::function<ARGB(int x, int y)>& expected);

}  // namespace RenderTest
