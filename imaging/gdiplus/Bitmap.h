// A 32-bit ARGB bitmap in memory. Pixels are stored straight (not
// premultiplied) in B, G, R, A byte order, rows top to bottom, as GDI+ keeps
// PixelFormat32bppARGB, so LockBits hands out the storage itself.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

#include "BitmapData.h"
#include "GdiplusTypes.h"
#include "Image.h"

namespace Gdiplus {

// A view of the pixel storage for the drawing code of this layer.
struct BitmapSurface {
  BYTE* scan0 = nullptr;
  INT width = 0;
  INT height = 0;
  INT stride = 0;
};

class Bitmap : public Image {
 public:
  // Largest pixel buffer a bitmap may allocate; bigger requests report
  // OutOfMemory instead of exhausting the host.
  static constexpr std::size_t kMaxBytes = std::size_t(1) << 30;

  // Every pixel starts as 0 (transparent black). A size that is not positive
  // gives InvalidParameter, one too large for memory OutOfMemory; either way
  // the bitmap has no pixels and every later operation fails.
  Bitmap(INT width, INT height, PixelFormat format = PixelFormat32bppARGB);

  UINT GetWidth() const override;
  UINT GetHeight() const override;
  PixelFormat GetPixelFormat() const override;
  Image* Clone() const override;

  // A copy of part of the bitmap, owned by the caller; nullptr when the
  // rectangle leaves the bitmap or the format is not supported.
  Bitmap* Clone(const Rect& rect, PixelFormat format) const;
  Bitmap* Clone(INT x, INT y, INT width, INT height, PixelFormat format) const;

  // Colours are straight ARGB at this interface.
  Status GetPixel(INT x, INT y, Color* color) const;
  Status SetPixel(INT x, INT y, const Color& color);

  // Locks rect (nullptr: the whole bitmap) as straight 32-bit ARGB. flags
  // must include ImageLockModeRead or ImageLockModeWrite; only one lock may
  // be held at a time.
  Status LockBits(const Rect* rect, UINT flags, PixelFormat format, BitmapData* lockedData);
  Status UnlockBits(BitmapData* lockedData);

  // Storage access for the drawing code of this layer; empty when the
  // bitmap has no pixels.
  BitmapSurface Surface() const;
  bool IsLocked() const { return locked_; }

 private:
  struct FreeDeleter {
    void operator()(BYTE* p) const { std::free(p); }
  };

  std::unique_ptr<BYTE, FreeDeleter> pixels_;
  INT width_ = 0;
  INT height_ = 0;
  INT stride_ = 0;
  bool locked_ = false;
};

}  // namespace Gdiplus
