// Text layout settings: flags, horizontal and vertical alignment, trimming.
#pragma once

#include "GdiplusTypes.h"

namespace Gdiplus {

class StringFormat {
 public:
  explicit StringFormat(INT formatFlags = 0, LANGID language = LANG_NEUTRAL);

  // Process-wide formats; never deleted by the caller.
  // GenericDefault: no flags, near/near, character trimming, 1/6 em padding.
  static const StringFormat* GenericDefault();
  // GenericTypographic: NoFitBlackBox | LineLimit | NoClip, no trimming, no padding.
  static const StringFormat* GenericTypographic();

  // A copy owned by the caller.
  StringFormat* Clone() const;

  Status SetFormatFlags(INT flags);
  INT GetFormatFlags() const { return flags_; }
  Status SetAlignment(StringAlignment align);
  StringAlignment GetAlignment() const { return alignment_; }
  Status SetLineAlignment(StringAlignment align);
  StringAlignment GetLineAlignment() const { return lineAlignment_; }
  Status SetTrimming(StringTrimming trimming);
  StringTrimming GetTrimming() const { return trimming_; }
  LANGID GetLanguage() const { return language_; }

  // Whether measuring and drawing add the 1/6 em pad on each side.
  bool HasPadding() const { return padded_; }

  // Like GDI+, returns the status of the last failed call and clears it.
  Status GetLastStatus() const;

 private:
  Status SetStatus(Status status) const;

  INT flags_ = 0;
  LANGID language_ = LANG_NEUTRAL;
  StringAlignment alignment_ = StringAlignmentNear;
  StringAlignment lineAlignment_ = StringAlignmentNear;
  StringTrimming trimming_ = StringTrimmingCharacter;
  bool padded_ = true;
  mutable Status lastResult_ = Ok;
};

}  // namespace Gdiplus
