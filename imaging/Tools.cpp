#include "Tools.h"

#include <cmath>

#include "FontFamily.h"
#include "Matrix.h"
#include "StringFormat.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

bool IsFinite(const RectF& r) {
  return std::isfinite(r.X) && std::isfinite(r.Y) && std::isfinite(r.Width) &&
         std::isfinite(r.Height);
}

// Drops every point but keeps the fill mode.
void ClearPoints(GraphicsPath* path) {
  const FillMode mode = path->GetFillMode();
  path->Reset();
  path->SetFillMode(mode);
}

}  // namespace

void Tools::AddFittedString(std::u16string text, const Font& font, const RectF& target,
                            GraphicsPath* path) {
  if (path == nullptr) return;
  path->SetFillMode(FillModeWinding);
  FontFamily family;
  font.GetFamily(&family);
  const StringFormat format(0, LANG_NEUTRAL);
  const PointF pt(0, 0);
  path->AddString(text.c_str(), INT(text.size()), &family, font.GetStyle(), font.GetSize(), pt,
                  &format);

  RectF rectFBounds;
  path->GetBounds(&rectFBounds);
  // Stretching divides by the outline's size.
  if (path->GetPointCount() == 0 || !(rectFBounds.Width > 0) || !(rectFBounds.Height > 0) ||
      !IsFinite(target)) {
    ClearPoints(path);
    return;
  }
  Matrix matrix;
  matrix.Translate(-rectFBounds.X, -rectFBounds.Y);
  path->Transform(&matrix);
  matrix.Reset();
  matrix.Scale(target.Width / rectFBounds.Width, target.Height / rectFBounds.Height);
  if (path->Transform(&matrix) != Ok) {
    ClearPoints(path);
    return;
  }
  matrix.Reset();
  matrix.Translate(target.X, target.Y);
  path->Transform(&matrix);
}

void Tools::GetRegionRects(const Region& region, std::vector<RectF>& rects) {
  const Matrix mx;
  const INT nRectCount = region.GetRegionScansCount(&mx);
  std::vector<RectF> pRectangles(std::size_t(nRectCount > 0 ? nRectCount : 0));
  INT count = nRectCount;
  if (!pRectangles.empty()) region.GetRegionScans(&mx, pRectangles.data(), &count);
  rects.clear();
  rects.insert(rects.end(), pRectangles.begin(), pRectangles.end());
}

Rect Tools::ToRect(const RectF& rect) {
  // Float-to-int conversion is undefined outside the int range; saturate.
  auto truncate = [](REAL v) -> INT {
    if (!(v > -2147483648.0f)) return std::isnan(v) ? 0 : INT(-2147483647 - 1);
    if (v >= 2147483648.0f) return 2147483647;
    return INT(v);
  };
  return Rect(truncate(rect.X), truncate(rect.Y), truncate(rect.Width), truncate(rect.Height));
}

PointF Tools::CenterOf(const RectF& rect) {
  return PointF((rect.GetLeft() + rect.GetRight()) / 2, (rect.GetTop() + rect.GetBottom()) / 2);
}

float Tools::NaturalLog(float x) {
  return std::log(x);
}

}  // namespace MirelGlyphward
