// The common base of drawable images. Only bitmaps exist in this layer; the
// base keeps GDI+'s split so that code written against Image* reads the same.
#pragma once

#include "GdiplusTypes.h"

namespace Gdiplus {

class Image {
 public:
  virtual ~Image() = default;
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  virtual UINT GetWidth() const = 0;
  virtual UINT GetHeight() const = 0;
  virtual PixelFormat GetPixelFormat() const = 0;
  // A deep copy owned by the caller, or nullptr when the copy cannot be made.
  virtual Image* Clone() const = 0;

  // The status of the last operation that failed; reading it resets it to Ok,
  // as GDI+'s wrappers do.
  Status GetLastStatus() const {
    Status status = lastStatus_;
    lastStatus_ = Ok;
    return status;
  }

 protected:
  Image() = default;
  Status SetStatus(Status status) const {
    if (status != Ok) lastStatus_ = status;
    return status;
  }

 private:
  mutable Status lastStatus_ = Ok;
};

}  // namespace Gdiplus
