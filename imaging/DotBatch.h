// Ellipses of one brush handed to Graphics::FillEllipses a batch at a time.
// They land as they would one by one; a batch lets the drawing fetch each
// dot's memory while earlier ones land, which scattered dots otherwise wait
// for one at a time.
#pragma once

#include "Graphics.h"

namespace MirelGlyphward {

class DotBatch {
 public:
  DotBatch(Gdiplus::Graphics& g, const Gdiplus::Brush& brush) : g_(g), brush_(brush) {}
  // Whatever is still held lands here; call Flush before drawing anything
  // else that the dots should lie under.
  ~DotBatch() { Flush(); }
  DotBatch(const DotBatch&) = delete;
  DotBatch& operator=(const DotBatch&) = delete;

  void Add(const Gdiplus::RectF& rect) {
    rects_[count_++] = rect;
    if (count_ == kSize) Flush();
  }
  void Flush() {
    if (count_ > 0) g_.FillEllipses(&brush_, rects_, count_);
    count_ = 0;
  }

 private:
  static constexpr Gdiplus::INT kSize = 256;
  Gdiplus::Graphics& g_;
  const Gdiplus::Brush& brush_;
  Gdiplus::RectF rects_[kSize];
  Gdiplus::INT count_ = 0;
};

}  // namespace MirelGlyphward
