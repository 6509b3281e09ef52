#include "StringFormat.h"

namespace Gdiplus {

StringFormat::StringFormat(INT formatFlags, LANGID language)
    : flags_(formatFlags), language_(language) {}

const StringFormat* StringFormat::GenericDefault() {
  static const StringFormat format;
  return &format;
}

const StringFormat* StringFormat::GenericTypographic() {
  static const StringFormat format = [] {
    StringFormat f(StringFormatFlagsNoFitBlackBox | StringFormatFlagsLineLimit |
                   StringFormatFlagsNoClip);
    f.trimming_ = StringTrimmingNone;
    f.padded_ = false;
    return f;
  }();
  return &format;
}

StringFormat* StringFormat::Clone() const {
  return new StringFormat(*this);
}

Status StringFormat::SetStatus(Status status) const {
  if (status != Ok) lastResult_ = status;
  return status;
}

Status StringFormat::GetLastStatus() const {
  Status status = lastResult_;
  lastResult_ = Ok;
  return status;
}

Status StringFormat::SetFormatFlags(INT flags) {
  flags_ = flags;
  return Ok;
}

Status StringFormat::SetAlignment(StringAlignment align) {
  if (align < StringAlignmentNear || align > StringAlignmentFar) {
    return SetStatus(InvalidParameter);
  }
  alignment_ = align;
  return Ok;
}

Status StringFormat::SetLineAlignment(StringAlignment align) {
  if (align < StringAlignmentNear || align > StringAlignmentFar) {
    return SetStatus(InvalidParameter);
  }
  lineAlignment_ = align;
  return Ok;
}

Status StringFormat::SetTrimming(StringTrimming trimming) {
  if (trimming < StringTrimmingNone || trimming > StringTrimmingEllipsisPath) {
    return SetStatus(InvalidParameter);
  }
  trimming_ = trimming;
  return Ok;
}

}  // namespace Gdiplus
