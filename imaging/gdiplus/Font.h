// A font: a family, an em size in a unit and a style.
#pragma once

#include "FontFamily.h"
#include "GdiplusTypes.h"

namespace Gdiplus {

class Font {
 public:
  // As the GDI+ C++ wrapper: an unknown family, or one that cannot make the
  // font, falls back to the generic sans-serif family. A size that is not
  // positive, or UnitDisplay, leaves the font unavailable with InvalidParameter.
  Font(const WCHAR* familyName, REAL emSize, INT style = FontStyleRegular, Unit unit = UnitPoint);
  Font(const FontFamily* family, REAL emSize, INT style = FontStyleRegular, Unit unit = UnitPoint);

  // A copy owned by the caller.
  Font* Clone() const;

  Status GetFamily(FontFamily* family) const;
  REAL GetSize() const { return size_; }
  INT GetStyle() const { return style_; }
  Unit GetUnit() const { return unit_; }
  // Line spacing in pixels at the given vertical resolution.
  REAL GetHeight(REAL dpi) const;
  bool IsAvailable() const;

  // Like GDI+, returns the status of the last failed call and clears it.
  Status GetLastStatus() const;

  // The em size in pixels at the given resolution (UnitPoint: size·dpi/72).
  REAL GetEmSizeInPixels(REAL dpi = 96.0f) const;
  // The cached face; nullptr when the font is unavailable.
  const FontFace* GetFace() const;

 private:
  void Init(const FontFamily* family, REAL emSize, INT style, Unit unit);
  Status SetStatus(Status status) const;

  FontFamily family_;
  REAL size_ = 0;
  INT style_ = FontStyleRegular;
  Unit unit_ = UnitPoint;
  bool available_ = false;
  mutable Status lastResult_ = Ok;
};

}  // namespace Gdiplus
