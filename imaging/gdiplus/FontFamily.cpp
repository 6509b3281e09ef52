#include "FontFamily.h"

#include <string_view>

#include "FontCache.h"
#include "FontFace.h"

namespace Gdiplus {

FontFamily::FontFamily() : lastResult_(FontFamilyNotFound) {}

FontFamily::FontFamily(const FontFamilyEntry* entry) : entry_(entry) {
  if (entry_ == nullptr) lastResult_ = FontFamilyNotFound;
}

FontFamily::FontFamily(const WCHAR* name) {
  if (name == nullptr) {
    lastResult_ = InvalidParameter;
    return;
  }
  entry_ = FontCache::Instance().Find(std::u16string_view(name));
  if (entry_ == nullptr) lastResult_ = FontFamilyNotFound;
}

const FontFamily* FontFamily::GenericSansSerif() {
  static const FontFamily family(FontCache::Instance().GenericSansSerif());
  return &family;
}

const FontFamily* FontFamily::GenericSerif() {
  static const FontFamily family(FontCache::Instance().GenericSerif());
  return &family;
}

const FontFamily* FontFamily::GenericMonospace() {
  static const FontFamily family(FontCache::Instance().GenericMonospace());
  return &family;
}

FontFamily* FontFamily::Clone() const {
  auto* copy = new FontFamily(entry_);
  return copy;
}

Status FontFamily::SetStatus(Status status) const {
  if (status != Ok) lastResult_ = status;
  return status;
}

Status FontFamily::GetLastStatus() const {
  Status status = lastResult_;
  lastResult_ = Ok;
  return status;
}

Status FontFamily::GetFamilyName(WCHAR* name, LANGID) const {
  if (name == nullptr) return SetStatus(InvalidParameter);
  if (entry_ == nullptr) {
    name[0] = 0;
    return SetStatus(FontFamilyNotFound);
  }
  std::size_t i = 0;
  for (; i < entry_->name.size() && i + 1 < std::size_t(LF_FACESIZE); ++i) {
    name[i] = entry_->name[i];
  }
  name[i] = 0;
  return Ok;
}

bool FontFamily::IsAvailable() const {
  return entry_ != nullptr;
}

bool FontFamily::IsStyleAvailable(INT style) const {
  return GetFace(style) != nullptr;
}

const FontFace* FontFamily::GetFace(INT style) const {
  if (entry_ == nullptr) return nullptr;
  return entry_->faces[style & FontStyleBoldItalic];
}

std::uint16_t FontFamily::GetEmHeight(INT style) const {
  const FontFace* face = GetFace(style);
  return face != nullptr ? face->EmHeight() : 0;
}

std::uint16_t FontFamily::GetCellAscent(INT style) const {
  const FontFace* face = GetFace(style);
  return face != nullptr ? face->CellAscent() : 0;
}

std::uint16_t FontFamily::GetCellDescent(INT style) const {
  const FontFace* face = GetFace(style);
  return face != nullptr ? face->CellDescent() : 0;
}

std::uint16_t FontFamily::GetLineSpacing(INT style) const {
  const FontFace* face = GetFace(style);
  return face != nullptr ? face->LineSpacing() : 0;
}

}  // namespace Gdiplus
