#include "Pen.h"

#include <cmath>

namespace Gdiplus {
namespace {

// GDI+'s dash patterns, in multiples of the pen width.
std::vector<REAL> PatternFor(DashStyle style) {
  switch (style) {
    case DashStyleDash:
      return {3, 1};
    case DashStyleDot:
      return {1, 1};
    case DashStyleDashDot:
      return {3, 1, 1, 1};
    case DashStyleDashDotDot:
      return {3, 1, 1, 1, 1, 1};
    default:
      return {};
  }
}

}  // namespace

Pen::Pen(const Color& color, REAL width, Unit unit) : color_(color) {
  if (!std::isfinite(width) || unit == UnitDisplay || unit < UnitWorld || unit > UnitMillimeter) {
    SetStatus(InvalidParameter);
    return;
  }
  width_ = width;
  unit_ = unit;
}

Pen* Pen::Clone() const {
  return new Pen(*this);
}

Status Pen::SetStatus(Status status) const {
  if (status != Ok) lastResult_ = status;
  return status;
}

Status Pen::GetLastStatus() const {
  Status status = lastResult_;
  lastResult_ = Ok;
  return status;
}

Status Pen::SetColor(const Color& color) {
  color_ = color;
  return Ok;
}

Status Pen::GetColor(Color* color) const {
  if (color == nullptr) return SetStatus(InvalidParameter);
  *color = color_;
  return Ok;
}

Status Pen::SetWidth(REAL width) {
  if (!std::isfinite(width)) return SetStatus(InvalidParameter);
  width_ = width;
  return Ok;
}

Status Pen::SetAlignment(PenAlignment alignment) {
  if (alignment < PenAlignmentCenter || alignment > PenAlignmentRight) {
    return SetStatus(InvalidParameter);
  }
  alignment_ = alignment;
  return Ok;
}

Status Pen::SetDashStyle(DashStyle dashStyle) {
  if (dashStyle < DashStyleSolid || dashStyle > DashStyleCustom) {
    return SetStatus(InvalidParameter);
  }
  dashStyle_ = dashStyle;
  // Choosing Custom keeps the last custom pattern, or a plain dash if none.
  if (dashStyle != DashStyleCustom) {
    dashPattern_ = PatternFor(dashStyle);
  } else if (dashPattern_.empty()) {
    dashPattern_ = PatternFor(DashStyleDash);
  }
  return Ok;
}

Status Pen::SetDashOffset(REAL dashOffset) {
  if (!std::isfinite(dashOffset)) return SetStatus(InvalidParameter);
  dashOffset_ = dashOffset;
  return Ok;
}

Status Pen::SetDashPattern(const REAL* dashArray, INT count) {
  if (dashArray == nullptr || count <= 0) return SetStatus(InvalidParameter);
  std::vector<REAL> pattern(dashArray, dashArray + count);
  for (REAL length : pattern) {
    if (!std::isfinite(length) || length <= 0) return SetStatus(InvalidParameter);
  }
  dashPattern_ = std::move(pattern);
  dashStyle_ = DashStyleCustom;
  return Ok;
}

INT Pen::GetDashPatternCount() const {
  return INT(dashPattern_.size());
}

Status Pen::GetDashPattern(REAL* dashArray, INT count) const {
  if (dashArray == nullptr || count < INT(dashPattern_.size())) {
    return SetStatus(InvalidParameter);
  }
  for (std::size_t i = 0; i < dashPattern_.size(); ++i) dashArray[i] = dashPattern_[i];
  return Ok;
}

Status Pen::SetLineJoin(LineJoin lineJoin) {
  if (lineJoin < LineJoinMiter || lineJoin > LineJoinMiterClipped) {
    return SetStatus(InvalidParameter);
  }
  lineJoin_ = lineJoin;
  return Ok;
}

Status Pen::SetMiterLimit(REAL miterLimit) {
  if (!std::isfinite(miterLimit)) return SetStatus(InvalidParameter);
  // GDI+ clamps the limit to at least 1.
  miterLimit_ = miterLimit < 1 ? 1 : miterLimit;
  return Ok;
}

Status Pen::SetStartCap(LineCap startCap) {
  if (startCap < LineCapFlat || startCap > LineCapTriangle) return SetStatus(InvalidParameter);
  startCap_ = startCap;
  return Ok;
}

Status Pen::SetEndCap(LineCap endCap) {
  if (endCap < LineCapFlat || endCap > LineCapTriangle) return SetStatus(InvalidParameter);
  endCap_ = endCap;
  return Ok;
}

Status Pen::SetDashCap(DashCap dashCap) {
  if (dashCap != DashCapFlat && dashCap != DashCapRound && dashCap != DashCapTriangle) {
    return SetStatus(InvalidParameter);
  }
  dashCap_ = dashCap;
  return Ok;
}

}  // namespace Gdiplus
