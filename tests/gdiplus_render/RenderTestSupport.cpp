#include "RenderTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace RenderTest {

ARGB PixelAt(const Gdiplus::Bitmap& bitmap, int x, int y) {
  Gdiplus::Color color;
  if (bitmap.GetPixel(x, y, &color) != Gdiplus::Ok) return 0xDEADBEEF;
  return color.GetValue();
}

int CountPixels(const Gdiplus::Bitmap& bitmap, const std::function<bool(ARGB)>& predicate) {
  int count = 0;
  for (int y = 0; y < int(bitmap.GetHeight()); ++y) {
    for (int x = 0; x < int(bitmap.GetWidth()); ++x) count += predicate(PixelAt(bitmap, x, y));
  }
  return count;
}

int CountPainted(const Gdiplus::Bitmap& bitmap) {
  return CountPixels(bitmap, [](ARGB v) { return v != 0; });
}

Gdiplus::Rect PaintedBounds(const Gdiplus::Bitmap& bitmap) {
  int left = int(bitmap.GetWidth()), top = int(bitmap.GetHeight()), right = -1, bottom = -1;
  for (int y = 0; y < int(bitmap.GetHeight()); ++y) {
    for (int x = 0; x < int(bitmap.GetWidth()); ++x) {
      if (PixelAt(bitmap, x, y) == 0) continue;
      left = std::min(left, x);
      top = std::min(top, y);
      right = std::max(right, x);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return Gdiplus::Rect();
  return Gdiplus::Rect(left, top, right - left + 1, bottom - top + 1);
}

std::string FirstMismatch(const Gdiplus::Bitmap& bitmap,
                          const std::function<ARGB(int x, int y)>& expected) {
  for (int y = 0; y < int(bitmap.GetHeight()); ++y) {
    for (int x = 0; x < int(bitmap.GetWidth()); ++x) {
      const ARGB want = expected(x, y);
      const ARGB got = PixelAt(bitmap, x, y);
      if (want != got) {
        std::ostringstream text;
        text << "pixel (" << x << ", " << y << ") is 0x" << std::hex << got << ", expected 0x"
             << want;
        return text.str();
      }
    }
  }
  return {};
}

}  // namespace RenderTest
