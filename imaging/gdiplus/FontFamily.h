// A font family, resolved by name through fontconfig. Families and their
// faces are loaded once per process and shared by every FontFamily and Font
// that names them.
#pragma once

#include <cstdint>

#include "GdiplusTypes.h"

namespace Gdiplus {

class FontFace;
struct FontFamilyEntry;

// Longest family name GetFamilyName writes, terminator included (LF_FACESIZE).
constexpr INT LF_FACESIZE = 32;

class FontFamily {
 public:
  // An empty family: not available, every query fails.
  FontFamily();
  // FontFamilyNotFound (see GetLastStatus) when the name matches no installed
  // scalable family.
  explicit FontFamily(const WCHAR* name);

  // Process-wide families; never deleted by the caller.
  static const FontFamily* GenericSansSerif();
  static const FontFamily* GenericSerif();
  static const FontFamily* GenericMonospace();

  // A copy owned by the caller.
  FontFamily* Clone() const;

  // Writes the family name given at construction, at most LF_FACESIZE
  // characters with the terminator.
  Status GetFamilyName(WCHAR* name, LANGID language = LANG_NEUTRAL) const;
  bool IsAvailable() const;
  bool IsStyleAvailable(INT style) const;

  // Design metrics of the face for the style, in font design units; 0 when
  // the family is not available.
  std::uint16_t GetEmHeight(INT style) const;
  std::uint16_t GetCellAscent(INT style) const;
  std::uint16_t GetCellDescent(INT style) const;
  std::uint16_t GetLineSpacing(INT style) const;

  // Like GDI+, returns the status of the last failed call and clears it.
  Status GetLastStatus() const;

  // The cached face for a style (bold and italic bits count); nullptr when
  // the family is not available.
  const FontFace* GetFace(INT style) const;

 private:
  explicit FontFamily(const FontFamilyEntry* entry);
  Status SetStatus(Status status) const;

  const FontFamilyEntry* entry_ = nullptr;
  mutable Status lastResult_ = Ok;
};

}  // namespace Gdiplus
