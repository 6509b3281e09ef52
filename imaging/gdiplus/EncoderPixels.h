// What an encoder reads: straight 32-bit pixels, B, G, R, A bytes in memory,
// rows top to bottom, as a locked PixelFormat32bppARGB bitmap hands them out.
#pragma once

#include <cstddef>
#include <cstdint>

#include "GdiplusTypes.h"

namespace Gdiplus {

struct EncoderPixels {
  UINT width = 0;
  UINT height = 0;
  // Bytes from one row to the next; at least width * 4.
  INT stride = 0;
  const BYTE* scan0 = nullptr;

  const BYTE* Row(UINT y) const { return scan0 + std::ptrdiff_t(y) * stride; }
  // A picture encoders can read: pixels present and rows that hold them.
  bool IsValid() const {
    return scan0 && width > 0 && height > 0 && stride > 0 &&
           std::uint64_t(width) * 4 <= UINT(stride);
  }
};

}  // namespace Gdiplus
