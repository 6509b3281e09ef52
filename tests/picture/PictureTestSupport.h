#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "Decoded.h"

namespace picture_tests {

using encoder_tests::DecodedPicture;

// Seeds the process engine and returns its step counter's current value.
void Seed(std::int32_t seed);
std::uint64_t Steps();

// Draws `code` in `style` on a transparent bitmap of the given size.
std::unique_ptr<Gdiplus::Bitmap> Draw(int style, const std::string& code, int width = 250,
                                      int height = 50);

// Decodes a picture of any of the five formats; fails the test otherwise.
DecodedPicture Decode(const std::string& format, const std::vector<unsigned char>& bytes);

// Counts pixels matching a predicate on straight ARGB.
template <class Predicate>
int CountPixels(Gdiplus::Bitmap& bitmap, Predicate predicate) {
  int count = 0;
  for (Gdiplus::UINT y = 0; y < bitmap.GetHeight(); ++y)
    for (Gdiplus::UINT x = 0; x < bitmap.GetWidth(); ++x) {
      Gdiplus::Color c;
      bitmap.GetPixel(Gdiplus::INT(x), Gdiplus::INT(y), &c);
      if (predicate(c)) ++count;
    }
  return count;
}

}  // namespace picture_tests
