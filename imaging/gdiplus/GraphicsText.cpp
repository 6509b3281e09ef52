// Graphics::MeasureString and DrawString: the text is laid out by the glyph
// layout, and its outlines are filled like any other shape.
#include <cmath>

#include "FontFace.h"
#include "Font.h"
#include "GlyphLayout.h"
#include "Graphics.h"
#include "StringFormat.h"

namespace Gdiplus {

namespace {

// Bitmaps made here have the screen resolution GDI+ gives new bitmaps.
constexpr REAL kDpi = 96.0f;

}  // namespace

Status Graphics::LayOut(const WCHAR* string, INT length, const Font* font, const RectF& layoutRect,
                        const StringFormat* stringFormat, TextLayout* layout) const {
  if (!Ready() || !font || (!string && length != 0) || length < -1) return InvalidParameter;
  const FontFace* face = font->GetFace();
  if (!face) return InvalidParameter;
  const bool padding = stringFormat ? stringFormat->HasPadding() : true;
  return LayoutText(*face, font->GetEmSizeInPixels(kDpi), string, length, layoutRect, stringFormat,
                    padding, layout);
}

Status Graphics::MeasureString(const WCHAR* string, INT length, const Font* font,
                               const PointF& origin, RectF* boundingBox) const {
  return MeasureString(string, length, font, RectF(origin.X, origin.Y, 0, 0), nullptr, boundingBox);
}

Status Graphics::MeasureString(const WCHAR* string, INT length, const Font* font,
                               const PointF& origin, const StringFormat* stringFormat,
                               RectF* boundingBox) const {
  return MeasureString(string, length, font, RectF(origin.X, origin.Y, 0, 0), stringFormat,
                       boundingBox);
}

Status Graphics::MeasureString(const WCHAR* string, INT length, const Font* font,
                               const RectF& layoutRect, const StringFormat* stringFormat,
                               RectF* boundingBox, INT* codepointsFitted, INT* linesFilled) const {
  if (!boundingBox) return SetStatus(InvalidParameter);
  TextLayout layout;
  const Status status = LayOut(string, length, font, layoutRect, stringFormat, &layout);
  if (status != Ok) return SetStatus(status);
  *boundingBox = layout.box;
  if (codepointsFitted) *codepointsFitted = layout.codepointsFitted;
  if (linesFilled) *linesFilled = layout.linesFilled;
  return Ok;
}

Status Graphics::DrawString(const WCHAR* string, INT length, const Font* font,
                            const RectF& layoutRect, const StringFormat* stringFormat,
                            const Brush* brush) {
  if (!brush) return SetStatus(InvalidParameter);
  const Status status = LayOut(string, length, font, layoutRect, stringFormat, textLayout_.get());
  if (status != Ok) return SetStatus(status);

  const FontFace* face = font->GetFace();
  const double scale = double(font->GetEmSizeInPixels(kDpi)) / face->EmHeight();
  BeginShape();
  // Text is smoothed whatever the smoothing mode, as GDI+ renders it with
  // the system's font smoothing.
  shape_.SetFlatness(0.1);
  for (const GlyphPlacement& placed : textLayout_->glyphs) {
    const GlyphOutline& glyph = *placed.glyph;
    // Design space has y pointing up.
    shape_.AddPathPoints(glyph.points.data(), glyph.types.data(), glyph.points.size(),
                         RasterPlacement{scale, -scale, placed.x, placed.baseline});
  }

  const INT flags = stringFormat ? stringFormat->GetFormatFlags() : 0;
  if (layoutRect.Width > 0 && layoutRect.Height > 0 && !(flags & StringFormatFlagsNoClip)) {
    // Pixels whose centres lie in the layout rectangle.
    const double left = std::ceil(double(layoutRect.X));
    const double top = std::ceil(double(layoutRect.Y));
    const double right = std::ceil(double(layoutRect.X) + layoutRect.Width);
    const double bottom = std::ceil(double(layoutRect.Y) + layoutRect.Height);
    auto clampToInt = [](double v) { return INT(std::fmax(-2e9, std::fmin(2e9, v))); };
    const INT x = clampToInt(left), y = clampToInt(top);
    textClip_.AssignIntersection(clip_,
                                 Rect(x, y, clampToInt(right - left), clampToInt(bottom - top)));
    return SetStatus(FillShape(FillModeWinding, brush, textClip_, true));
  }
  return SetStatus(FillShape(FillModeWinding, brush, clip_, true));
}

Status Graphics::DrawString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                            const Brush* brush) {
  return DrawString(string, length, font, RectF(origin.X, origin.Y, 0, 0), nullptr, brush);
}

Status Graphics::DrawString(const WCHAR* string, INT length, const Font* font, const PointF& origin,
                            const StringFormat* stringFormat, const Brush* brush) {
  return DrawString(string, length, font, RectF(origin.X, origin.Y, 0, 0), stringFormat, brush);
}

}  // namespace Gdiplus
