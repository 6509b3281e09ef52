#include "GlyphLayout.h"

#include <algorithm>
#include <cmath>

#include "FontFace.h"
#include "StringFormat.h"

namespace Gdiplus {
namespace {

struct Line {
  std::size_t first = 0, last = 0;  // glyph range in the code point list
  double width = 0;
};

char32_t DecodeAt(const WCHAR* text, INT length, INT* i) {
  char32_t c = text[*i];
  if (c >= 0xD800 && c <= 0xDBFF && *i + 1 < length && text[*i + 1] >= 0xDC00 &&
      text[*i + 1] <= 0xDFFF) {
    c = 0x10000 + ((c - 0xD800) << 10) + (text[*i + 1] - 0xDC00);
    ++*i;
  } else if (c >= 0xD800 && c <= 0xDFFF) {
    c = 0xFFFD;
  }
  return c;
}

}  // namespace

Status LayoutText(const FontFace& face, REAL emSize, const WCHAR* text, INT length,
                  const RectF& layout, const StringFormat* format, bool padding, TextLayout* out) {
  if (out == nullptr || (text == nullptr && length != 0) || !std::isfinite(emSize) ||
      !std::isfinite(layout.X) || !std::isfinite(layout.Y) || !std::isfinite(layout.Width) ||
      !std::isfinite(layout.Height) || face.EmHeight() == 0) {
    return InvalidParameter;
  }
  out->glyphs.clear();
  out->box = RectF();
  out->codepointsFitted = 0;
  out->linesFilled = 0;
  if (length < 0) {
    length = 0;
    while (text[length] != 0) ++length;
  }
  const StringFormat* settings = format != nullptr ? format : StringFormat::GenericDefault();
  const INT flags = settings->GetFormatFlags();
  const double scale = double(emSize) / face.EmHeight();
  const double ascent = face.CellAscent() * scale;
  const double lineHeight = face.LineSpacing() * scale;
  const double pad = padding ? double(emSize) / 6.0 : 0.0;
  const bool wrap = layout.Width > 0 && (flags & StringFormatFlagsNoWrap) == 0;
  const double available = layout.Width - 2 * pad;

  // Code points and their advances; line feeds end lines, carriage returns
  // are dropped.
  std::vector<char32_t> codes;
  std::vector<double> advances;
  std::vector<Line> lines;
  codes.reserve(std::size_t(length));
  Line line;
  std::size_t lastSpace = SIZE_MAX;
  for (INT i = 0; i < length; ++i) {
    char32_t c = DecodeAt(text, length, &i);
    if (c == U'\r') continue;
    if (c == U'\n') {
      line.last = codes.size();
      lines.push_back(line);
      line = Line{codes.size(), codes.size(), 0};
      lastSpace = SIZE_MAX;
      continue;
    }
    if (c == U'\t') c = U' ';
    const double advance = face.Glyph(c).advance * scale;
    codes.push_back(c);
    advances.push_back(advance);
    line.width += advance;
    if (c == U' ') lastSpace = codes.size() - 1;
    if (wrap && c != U' ' && line.width > available && lastSpace != SIZE_MAX &&
        lastSpace >= line.first) {
      // Break after the last space; the word moves to the next line.
      Line broken{line.first, lastSpace + 1, 0};
      for (std::size_t k = broken.first; k < broken.last; ++k) broken.width += advances[k];
      lines.push_back(broken);
      line = Line{lastSpace + 1, codes.size(), 0};
      for (std::size_t k = line.first; k < codes.size(); ++k) line.width += advances[k];
      lastSpace = SIZE_MAX;
    }
  }
  line.last = codes.size();
  lines.push_back(line);

  // Trailing spaces take no room unless the format says so.
  if ((flags & StringFormatFlagsMeasureTrailingSpaces) == 0) {
    for (Line& l : lines) {
      std::size_t end = l.last;
      double width = l.width;
      while (end > l.first && codes[end - 1] == U' ') width -= advances[--end];
      l.width = width;
    }
  }

  std::size_t lineCount = lines.size();
  if (layout.Height > 0 && (flags & StringFormatFlagsLineLimit) != 0) {
    lineCount = std::min<std::size_t>(lineCount, std::size_t(layout.Height / lineHeight));
  }
  const double total = lineCount * lineHeight;
  double top = layout.Y;
  const StringAlignment vertical = settings->GetLineAlignment();
  if (vertical == StringAlignmentCenter) {
    top = layout.Height > 0 ? layout.Y + (layout.Height - total) / 2 : layout.Y - total / 2;
  } else if (vertical == StringAlignmentFar) {
    top = layout.Height > 0 ? layout.Y + layout.Height - total : layout.Y - total;
  }

  double boxLeft = 0, boxRight = 0;
  bool anyLine = false;
  for (std::size_t k = 0; k < lineCount; ++k) {
    const Line& l = lines[k];
    double x = layout.X + pad;
    const StringAlignment horizontal = settings->GetAlignment();
    if (horizontal == StringAlignmentCenter) {
      x = layout.Width > 0 ? layout.X + (layout.Width - l.width) / 2 : layout.X - l.width / 2;
    } else if (horizontal == StringAlignmentFar) {
      x = layout.Width > 0 ? layout.X + layout.Width - pad - l.width : layout.X - l.width - pad;
    }
    const double baseline = top + k * lineHeight + ascent;
    double pen = x;
    for (std::size_t g = l.first; g < l.last; ++g) {
      out->glyphs.push_back({&face.Glyph(codes[g]), REAL(pen), REAL(baseline)});
      pen += advances[g];
    }
    boxLeft = anyLine ? std::min(boxLeft, x - pad) : x - pad;
    boxRight = anyLine ? std::max(boxRight, x + l.width + pad) : x + l.width + pad;
    anyLine = true;
    out->codepointsFitted += INT(l.last - l.first);
  }
  out->linesFilled = INT(lineCount);
  out->box = RectF(REAL(boxLeft), REAL(top), REAL(boxRight - boxLeft), REAL(total));
  return Ok;
}

}  // namespace Gdiplus
