#include <cmath>

#include "FontFace.h"
#include "FontFamily.h"
#include "GlyphLayout.h"
#include "GraphicsPath.h"
#include "PathGeometry.h"

namespace Gdiplus {

Status GraphicsPath::AddString(const WCHAR* string, INT length, const FontFamily* family, INT style,
                               REAL emSize, const PointF& origin, const StringFormat* format) {
  return AddStringLayout(string, length, family, style, emSize, RectF(origin.X, origin.Y, 0, 0),
                         format);
}

Status GraphicsPath::AddString(const WCHAR* string, INT length, const FontFamily* family, INT style,
                               REAL emSize, const RectF& layoutRect, const StringFormat* format) {
  return AddStringLayout(string, length, family, style, emSize, layoutRect, format);
}

Status GraphicsPath::AddString(const WCHAR* string, INT length, const FontFamily* family, INT style,
                               REAL emSize, const Point& origin, const StringFormat* format) {
  return AddStringLayout(string, length, family, style, emSize,
                         RectF(REAL(origin.X), REAL(origin.Y), 0, 0), format);
}

Status GraphicsPath::AddString(const WCHAR* string, INT length, const FontFamily* family, INT style,
                               REAL emSize, const Rect& layoutRect, const StringFormat* format) {
  return AddStringLayout(string, length, family, style, emSize,
                         RectF(REAL(layoutRect.X), REAL(layoutRect.Y), REAL(layoutRect.Width),
                               REAL(layoutRect.Height)),
                         format);
}

Status GraphicsPath::AddStringLayout(const WCHAR* string, INT length, const FontFamily* family,
                                     INT style, REAL emSize, const RectF& layoutRect,
                                     const StringFormat* format) {
  if (string == nullptr || family == nullptr || length < -1 || !std::isfinite(emSize)) {
    return SetStatus(InvalidParameter);
  }
  const FontFace* face = family->GetFace(style);
  if (face == nullptr) return SetStatus(FontFamilyNotFound);
  // The path takes pen positions as they are: no padding, unlike DrawString.
  TextLayout layout;
  const Status status =
      LayoutText(*face, emSize, string, length, layoutRect, format, false, &layout);
  if (status != Ok) return SetStatus(status);

  const double scale = double(emSize) / face->EmHeight();
  std::size_t total = 0;
  for (const GlyphPlacement& placed : layout.glyphs) total += placed.glyph->points.size();
  const std::size_t first = points_.size();
  points_.reserve(first + total);
  types_.reserve(first + total);
  for (const GlyphPlacement& placed : layout.glyphs) {
    const GlyphOutline& glyph = *placed.glyph;
    for (std::size_t i = 0; i < glyph.points.size(); ++i) {
      // Design space has y pointing up.
      points_.emplace_back(REAL(placed.x + glyph.points[i].X * scale),
                           REAL(placed.baseline - glyph.points[i].Y * scale));
      types_.push_back(glyph.types[i]);
    }
  }
  bool finite = true;
  for (std::size_t i = first; i < points_.size(); ++i) finite = finite && IsFinitePoint(points_[i]);
  if (!finite) {
    // An em size near the float limit can overflow.
    points_.resize(first);
    types_.resize(first);
    return SetStatus(ValueOverflow);
  }
  if (points_.size() > first) {
    types_.back() |= PathPointTypePathMarker;
    startNewFigure_ = true;
  }
  return Ok;
}

}  // namespace Gdiplus
