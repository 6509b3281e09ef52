// A two-colour brush repeating one of the 53 hatch cells from the device
// origin.
#pragma once

#include <array>

#include "Brush.h"

namespace Gdiplus {

class HatchBrush : public Brush {
 public:
  // A style outside HatchStyleHorizontal..HatchStyleSolidDiamond leaves the
  // brush unusable with InvalidParameter.
  HatchBrush(HatchStyle hatchStyle, const Color& foreColor, const Color& backColor = Color());

  Brush* Clone() const override;
  HatchStyle GetHatchStyle() const { return style_; }
  Status GetForegroundColor(Color* color) const;
  Status GetBackgroundColor(Color* color) const;
  Status GetPaint(BrushPaint* paint) const override;

 private:
  bool Valid() const { return style_ >= 0 && style_ < HatchStyleTotal; }

  HatchStyle style_;
  Color fore_;
  Color back_;
  std::array<ARGB, 64> cell_{};
  bool opaque_ = false;
};

}  // namespace Gdiplus
