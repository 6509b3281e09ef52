// The description of a locked rectangle of bitmap pixels, laid out as GDI+'s
// BitmapData so that pixel-level code reads as it would against GDI+.
#pragma once

#include <cstdint>

#include "GdiplusTypes.h"

namespace Gdiplus {

enum ImageLockMode : UINT {
  ImageLockModeRead = 0x0001,
  ImageLockModeWrite = 0x0002,
  ImageLockModeUserInputBuf = 0x0004,
};

struct BitmapData {
  UINT Width = 0;
  UINT Height = 0;
  // Bytes from one row to the next; rows run top to bottom.
  INT Stride = 0;
  ::Gdiplus::PixelFormat PixelFormat = 0;
  void* Scan0 = nullptr;
  std::uintptr_t Reserved = 0;
};

}  // namespace Gdiplus
