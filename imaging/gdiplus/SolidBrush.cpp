#include "SolidBrush.h"

#include <new>

namespace Gdiplus {

Brush* SolidBrush::Clone() const {
  Brush* copy = new (std::nothrow) SolidBrush(color_);
  if (!copy) SetStatus(OutOfMemory);
  return copy;
}

Status SolidBrush::GetColor(Color* color) const {
  if (!color) return SetStatus(InvalidParameter);
  *color = color_;
  return Ok;
}

Status SolidBrush::SetColor(const Color& color) {
  color_ = color;
  return Ok;
}

Status SolidBrush::GetPaint(BrushPaint* paint) const {
  if (!paint) return SetStatus(InvalidParameter);
  *paint = BrushPaint{nullptr, color_.GetValue(), color_.GetA() == 255};
  return Ok;
}

}  // namespace Gdiplus
