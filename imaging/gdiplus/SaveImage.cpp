#include "SaveImage.h"

#include "Bitmap.h"
#include "BitmapData.h"
#include "EncoderSink.h"
#include "ImageCodecTable.h"

namespace Gdiplus {

namespace {

// Holds a read lock on the whole bitmap for as long as an encoder reads it.
class WholeBitmapReadLock {
 public:
  explicit WholeBitmapReadLock(Bitmap& bitmap) : bitmap_(bitmap) {
    status_ = bitmap_.LockBits(nullptr, ImageLockModeRead, PixelFormat32bppARGB, &data_);
  }
  WholeBitmapReadLock(const WholeBitmapReadLock&) = delete;
  WholeBitmapReadLock& operator=(const WholeBitmapReadLock&) = delete;
  ~WholeBitmapReadLock() {
    if (status_ == Ok) bitmap_.UnlockBits(&data_);
  }

  Status status() const { return status_; }
  EncoderPixels Pixels() const {
    return {data_.Width, data_.Height, data_.Stride, static_cast<const BYTE*>(data_.Scan0)};
  }

 private:
  Bitmap& bitmap_;
  BitmapData data_;
  Status status_ = Ok;
};

}  // namespace

Status SaveImageToStream(Image* image, IStream* stream, const CLSID* clsidEncoder,
                         const EncoderParameters* params) {
  if (!image || !stream || !clsidEncoder) return InvalidParameter;
  const BuiltinEncoder* encoder = FindBuiltinEncoder(*clsidEncoder);
  if (!encoder) return UnknownImageFormat;
  // Bitmaps are the only images of this layer.
  auto* bitmap = dynamic_cast<Bitmap*>(image);
  if (!bitmap) return InvalidParameter;

  WholeBitmapReadLock lock(*bitmap);
  if (lock.status() != Ok) return lock.status();
  EncoderSink sink(stream);
  return encoder->encode(lock.Pixels(), params, sink);
}

}  // namespace Gdiplus
