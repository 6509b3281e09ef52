// A brush of one colour.
#pragma once

#include "Brush.h"

namespace Gdiplus {

class SolidBrush : public Brush {
 public:
  explicit SolidBrush(const Color& color) : Brush(BrushTypeSolidColor), color_(color) {}

  Brush* Clone() const override;
  Status GetColor(Color* color) const;
  Status SetColor(const Color& color);
  Status GetPaint(BrushPaint* paint) const override;

 private:
  Color color_;
};

}  // namespace Gdiplus
