// A pen: the stroke settings that drawing and GraphicsPath::Widen read.
// Defaults follow GDI+: solid, miter join with limit 10, flat caps, centred.
#pragma once

#include <vector>

#include "GdiplusTypes.h"

namespace Gdiplus {

class Pen {
 public:
  // Width is in world units unless a unit is given.
  Pen(const Color& color, REAL width = 1.0f, Unit unit = UnitWorld);

  // A copy owned by the caller.
  Pen* Clone() const;

  Status SetColor(const Color& color);
  Status GetColor(Color* color) const;
  Status SetWidth(REAL width);
  REAL GetWidth() const { return width_; }
  Unit GetUnit() const { return unit_; }

  Status SetAlignment(PenAlignment alignment);
  PenAlignment GetAlignment() const { return alignment_; }

  Status SetDashStyle(DashStyle dashStyle);
  DashStyle GetDashStyle() const { return dashStyle_; }
  Status SetDashOffset(REAL dashOffset);
  REAL GetDashOffset() const { return dashOffset_; }
  // Custom dash lengths in multiples of the width; switches to DashStyleCustom.
  Status SetDashPattern(const REAL* dashArray, INT count);
  INT GetDashPatternCount() const;
  Status GetDashPattern(REAL* dashArray, INT count) const;

  Status SetLineJoin(LineJoin lineJoin);
  LineJoin GetLineJoin() const { return lineJoin_; }
  Status SetMiterLimit(REAL miterLimit);
  REAL GetMiterLimit() const { return miterLimit_; }
  Status SetStartCap(LineCap startCap);
  Status SetEndCap(LineCap endCap);
  Status SetDashCap(DashCap dashCap);
  LineCap GetStartCap() const { return startCap_; }
  LineCap GetEndCap() const { return endCap_; }
  DashCap GetDashCap() const { return dashCap_; }

  // Like GDI+, returns the status of the last failed call and clears it.
  Status GetLastStatus() const;

  // The dash pattern in multiples of the width: {} for a solid pen.
  const std::vector<REAL>& DashPattern() const { return dashPattern_; }

 private:
  Status SetStatus(Status status) const;

  Color color_;
  REAL width_ = 1.0f;
  Unit unit_ = UnitWorld;
  PenAlignment alignment_ = PenAlignmentCenter;
  DashStyle dashStyle_ = DashStyleSolid;
  REAL dashOffset_ = 0.0f;
  std::vector<REAL> dashPattern_;
  LineJoin lineJoin_ = LineJoinMiter;
  REAL miterLimit_ = 10.0f;
  LineCap startCap_ = LineCapFlat;
  LineCap endCap_ = LineCapFlat;
  DashCap dashCap_ = DashCapFlat;
  mutable Status lastResult_ = Ok;
};

}  // namespace Gdiplus
