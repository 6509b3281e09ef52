#include "Bitmap.h"

#include <cstring>
#include <limits>
#include <new>

namespace Gdiplus {

namespace {

bool SupportedFormat(PixelFormat format) {
  return format == PixelFormat32bppARGB;
}

}  // namespace

Bitmap::Bitmap(INT width, INT height, PixelFormat format) {
  if (width <= 0 || height <= 0 || !SupportedFormat(format)) {
    SetStatus(InvalidParameter);
    return;
  }
  // The stride must fit GDI+'s signed 32-bit field.
  if (width > std::numeric_limits<INT>::max() / 4) {
    SetStatus(InvalidParameter);
    return;
  }
  const std::size_t stride = std::size_t(width) * 4;
  if (std::size_t(height) > kMaxBytes / stride) {
    SetStatus(OutOfMemory);
    return;
  }
  // calloc leaves untouched pages to the kernel's zero pages.
  pixels_.reset(static_cast<BYTE*>(std::calloc(std::size_t(height), stride)));
  if (!pixels_) {
    SetStatus(OutOfMemory);
    return;
  }
  width_ = width;
  height_ = height;
  stride_ = INT(stride);
}

UINT Bitmap::GetWidth() const {
  return UINT(width_);
}

UINT Bitmap::GetHeight() const {
  return UINT(height_);
}

PixelFormat Bitmap::GetPixelFormat() const {
  return pixels_ ? PixelFormat32bppARGB : 0;
}

Image* Bitmap::Clone() const {
  return Clone(0, 0, width_, height_, PixelFormat32bppARGB);
}

Bitmap* Bitmap::Clone(const Rect& rect, PixelFormat format) const {
  return Clone(rect.X, rect.Y, rect.Width, rect.Height, format);
}

Bitmap* Bitmap::Clone(INT x, INT y, INT width, INT height, PixelFormat format) const {
  if (!pixels_ || !SupportedFormat(format) || width <= 0 || height <= 0 || x < 0 || y < 0 ||
      x > width_ - width || y > height_ - height) {
    SetStatus(InvalidParameter);
    return nullptr;
  }
  std::unique_ptr<Bitmap> copy(new (std::nothrow) Bitmap(width, height, format));
  if (!copy || !copy->pixels_) {
    SetStatus(OutOfMemory);
    return nullptr;
  }
  const BYTE* source = pixels_.get() + std::size_t(y) * stride_ + std::size_t(x) * 4;
  for (INT row = 0; row < height; ++row) {
    std::memcpy(copy->pixels_.get() + std::size_t(row) * copy->stride_,
                source + std::size_t(row) * stride_, std::size_t(width) * 4);
  }
  return copy.release();
}

Status Bitmap::GetPixel(INT x, INT y, Color* color) const {
  if (!color || !pixels_ || x < 0 || y < 0 || x >= width_ || y >= height_) {
    return SetStatus(InvalidParameter);
  }
  const BYTE* p = pixels_.get() + std::size_t(y) * stride_ + std::size_t(x) * 4;
  color->SetValue(Color::MakeARGB(p[3], p[2], p[1], p[0]));
  return Ok;
}

Status Bitmap::SetPixel(INT x, INT y, const Color& color) {
  if (!pixels_ || x < 0 || y < 0 || x >= width_ || y >= height_) {
    return SetStatus(InvalidParameter);
  }
  BYTE* p = pixels_.get() + std::size_t(y) * stride_ + std::size_t(x) * 4;
  p[0] = color.GetB();
  p[1] = color.GetG();
  p[2] = color.GetR();
  p[3] = color.GetA();
  return Ok;
}

Status Bitmap::LockBits(const Rect* rect, UINT flags, PixelFormat format, BitmapData* lockedData) {
  if (!lockedData || !pixels_) return SetStatus(InvalidParameter);
  if (locked_) return SetStatus(WrongState);
  const Rect area = rect ? *rect : Rect(0, 0, width_, height_);
  if ((flags & (ImageLockModeRead | ImageLockModeWrite)) == 0 ||
      (flags & ImageLockModeUserInputBuf) != 0 || !SupportedFormat(format) || area.Width <= 0 ||
      area.Height <= 0 || area.X < 0 || area.Y < 0 || area.X > width_ - area.Width ||
      area.Y > height_ - area.Height) {
    return SetStatus(InvalidParameter);
  }
  lockedData->Width = UINT(area.Width);
  lockedData->Height = UINT(area.Height);
  lockedData->Stride = stride_;
  lockedData->PixelFormat = PixelFormat32bppARGB;
  lockedData->Scan0 = pixels_.get() + std::size_t(area.Y) * stride_ + std::size_t(area.X) * 4;
  lockedData->Reserved = flags;
  locked_ = true;
  return Ok;
}

Status Bitmap::UnlockBits(BitmapData* lockedData) {
  if (!lockedData) return SetStatus(InvalidParameter);
  if (!locked_) return SetStatus(WrongState);
  locked_ = false;
  return Ok;
}

BitmapSurface Bitmap::Surface() const {
  if (!pixels_) return {};
  return {pixels_.get(), width_, height_, stride_};
}

}  // namespace Gdiplus
