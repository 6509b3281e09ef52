// The destination of an encoder: the caller's stream, written at its current
// position. The first failed write is remembered and every later write is
// dropped, so codec callbacks can keep going and the encoder reports the
// failure once, at the end.
#pragma once

#include <cstddef>

#include "GdiplusTypes.h"
#include "objidl.h"

namespace Gdiplus {

class EncoderSink {
 public:
  explicit EncoderSink(IStream* stream) : stream_(stream) {}
  EncoderSink(const EncoderSink&) = delete;
  EncoderSink& operator=(const EncoderSink&) = delete;

  // False once any write has failed.
  bool Write(const void* data, std::size_t size);
  bool Failed() const { return failed_; }

 private:
  IStream* stream_;
  bool failed_ = false;
};

}  // namespace Gdiplus
