#include "Font.h"

#include <cmath>

#include "FontFace.h"

namespace Gdiplus {
namespace {

// Units per inch for converting an em size to pixels.
double UnitsPerInch(Unit unit, REAL dpi) {
  switch (unit) {
    case UnitPoint:
      return 72.0;
    case UnitInch:
      return 1.0;
    case UnitDocument:
      return 300.0;
    case UnitMillimeter:
      return 25.4;
    default:
      return dpi;  // world and pixel units are pixels
  }
}

}  // namespace

Font::Font(const WCHAR* familyName, REAL emSize, INT style, Unit unit) {
  FontFamily family(familyName);
  // As the GDI+ C++ wrapper: an unknown family becomes generic sans-serif.
  if (!family.IsAvailable()) family = *FontFamily::GenericSansSerif();
  Init(&family, emSize, style, unit);
}

Font::Font(const FontFamily* family, REAL emSize, INT style, Unit unit) {
  if (family == nullptr || !family->IsAvailable()) {
    family = FontFamily::GenericSansSerif();
  }
  Init(family, emSize, style, unit);
}

void Font::Init(const FontFamily* family, REAL emSize, INT style, Unit unit) {
  family_ = *family;
  family_.GetLastStatus();
  size_ = emSize;
  style_ = style;
  unit_ = unit;
  if (!(emSize > 0) || !std::isfinite(emSize) || unit == UnitDisplay || unit < UnitWorld ||
      unit > UnitMillimeter) {
    SetStatus(InvalidParameter);
    return;
  }
  if (family_.GetFace(style) == nullptr) {
    SetStatus(FontFamilyNotFound);
    return;
  }
  available_ = true;
}

Font* Font::Clone() const {
  return new Font(*this);
}

Status Font::SetStatus(Status status) const {
  if (status != Ok) lastResult_ = status;
  return status;
}

Status Font::GetLastStatus() const {
  Status status = lastResult_;
  lastResult_ = Ok;
  return status;
}

Status Font::GetFamily(FontFamily* family) const {
  if (family == nullptr) return SetStatus(InvalidParameter);
  if (!available_) return SetStatus(InvalidParameter);
  *family = family_;
  return Ok;
}

bool Font::IsAvailable() const {
  return available_;
}

const FontFace* Font::GetFace() const {
  return available_ ? family_.GetFace(style_) : nullptr;
}

REAL Font::GetEmSizeInPixels(REAL dpi) const {
  return REAL(double(size_) * dpi / UnitsPerInch(unit_, dpi));
}

REAL Font::GetHeight(REAL dpi) const {
  const FontFace* face = GetFace();
  if (face == nullptr || face->EmHeight() == 0) return 0;
  return REAL(double(GetEmSizeInPixels(dpi)) * face->LineSpacing() / face->EmHeight());
}

}  // namespace Gdiplus
