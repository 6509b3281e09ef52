// The base of the brushes that fill shapes.
#pragma once

#include "GdiplusTypes.h"

namespace Gdiplus {

enum BrushType {
  BrushTypeSolidColor = 0,
  BrushTypeHatchFill = 1,
  BrushTypeTextureFill = 2,
  BrushTypePathGradient = 3,
  BrushTypeLinearGradient = 4,
};

// What a brush puts on a pixel: one colour, or an 8x8 cell of colours
// repeated from the device origin (pixel (x, y) takes cell[(y % 8) * 8 + x % 8]).
// Colours are straight ARGB.
struct BrushPaint {
  const ARGB* cell = nullptr;
  ARGB color = 0;
  // Every colour has alpha 255, so pixels under full coverage are replaced.
  bool opaque = false;
};

class Brush {
 public:
  virtual ~Brush() = default;
  Brush(const Brush&) = delete;
  Brush& operator=(const Brush&) = delete;

  // A copy owned by the caller, or nullptr when it cannot be made.
  virtual Brush* Clone() const = 0;
  BrushType GetType() const { return type_; }

  // Returns the status of the last failed call and clears it, as GDI+ does.
  Status GetLastStatus() const {
    Status status = lastResult_;
    lastResult_ = Ok;
    return status;
  }

  // For the drawing code: Ok and the paint, or the reason the brush cannot
  // paint (an invalid hatch style, for instance).
  virtual Status GetPaint(BrushPaint* paint) const = 0;

 protected:
  explicit Brush(BrushType type) : type_(type) {}
  Status SetStatus(Status status) const {
    if (status != Ok) lastResult_ = status;
    return status;
  }

 private:
  BrushType type_;
  mutable Status lastResult_ = Ok;
};

}  // namespace Gdiplus
