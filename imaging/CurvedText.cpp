#include "CurvedText.h"

#include <algorithm>
#include <cmath>

#include "FontFamily.h"
#include "GuideCurves.h"
#include "StringFormat.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

// The curve index for a horizontal fraction, in single precision and
// truncated toward zero as the curves are sampled; points left of the
// origin take the first index.
int CurveIndex(float fx, int count) {
  const float position = fx * float(count - 1);
  if (!(position > 0)) return 0;
  return std::min(int(position), count - 1);
}

// The built-in curves never change: expanded once (thread-safe static
// initialisation), copied for each use.
const std::vector<PointF>& BuiltInCurve(bool upper) {
  static const std::vector<PointF> top = [] {
    std::vector<PointF> points;
    ExpandGuideChain(kUpperGuideCurve, points);
    return points;
  }();
  static const std::vector<PointF> bottom = [] {
    std::vector<PointF> points;
    ExpandGuideChain(kLowerGuideCurve, points);
    return points;
  }();
  return upper ? top : bottom;
}

}  // namespace

CurvedText::CurvedText(const std::vector<PointF>& top, const std::vector<PointF>& bottom)
    : arrTop(top),
      arrBottom(bottom),
      nTopCount(int(arrTop.size())),
      nBottomCount(int(arrBottom.size())) {}

void CurvedText::LoadCurves(int kind, std::vector<PointF>& top, std::vector<PointF>& bottom) {
  if (kind != 1 && kind != 2) return;
  top = BuiltInCurve(true);
  bottom = BuiltInCurve(false);
}

CurvedText CurvedText::BuiltIn() {
  return CurvedText(BuiltInCurve(true), BuiltInCurve(false));
}

void CurvedText::FitToRect(const RectF& target) {
  if (arrTop.empty() || !std::isfinite(target.X) || !std::isfinite(target.Y) ||
      !std::isfinite(target.Width) || !std::isfinite(target.Height)) {
    return;
  }
  float minX = arrTop[0].X, maxX = arrTop[0].X, minY = arrTop[0].Y, maxY = arrTop[0].Y;
  for (const auto* curve : {&arrTop, &arrBottom}) {
    for (const PointF& p : *curve) {
      minX = std::min(minX, p.X);
      maxX = std::max(maxX, p.X);
      minY = std::min(minY, p.Y);
      maxY = std::max(maxY, p.Y);
    }
  }
  const RectF b(minX, minY, maxX - minX, maxY - minY);
  const float sx = b.Width > 0 ? target.Width / b.Width : 0.0f;
  const float sy = b.Height > 0 ? target.Height / b.Height : 0.0f;
  if (!std::isfinite(sx) || !std::isfinite(sy)) return;
  for (auto* curve : {&arrTop, &arrBottom}) {
    for (PointF& p : *curve) {
      p = PointF((p.X - b.X) * sx + target.X, (p.Y - b.Y) * sy + target.Y);
    }
  }
}

std::shared_ptr<GraphicsPath> CurvedText::Warp(const GraphicsPath& outline) const {
  auto result = std::make_shared<GraphicsPath>(FillModeAlternate);
  const int n = outline.GetPointCount();
  if (n == 0 || nTopCount <= 0 || nBottomCount <= 0) return result;
  std::vector<PointF> arrPathPoints(static_cast<std::size_t>(n));
  std::vector<BYTE> arrPathTypes(static_cast<std::size_t>(n));
  outline.GetPathPoints(arrPathPoints.data(), n);
  outline.GetPathTypes(arrPathTypes.data(), n);

  // The space left of and above the glyphs stays part of the mapping.
  SizeF size(arrPathPoints[0].X, arrPathPoints[0].Y);
  for (const PointF& p : arrPathPoints) {
    size.Width = std::max(size.Width, p.X);
    size.Height = std::max(size.Height, p.Y);
  }
  if (!(size.Width > 0) || !(size.Height > 0)) return result;

  for (PointF& p : arrPathPoints) {
    const float fx = p.X / size.Width;
    const PointF& top = arrTop[std::size_t(CurveIndex(fx, nTopCount))];
    const PointF& bottom = arrBottom[std::size_t(CurveIndex(fx, nBottomCount))];
    const float fy = p.Y / size.Height;
    p = PointF(bottom.X * fy + top.X * (1 - fy), bottom.Y * fy + top.Y * (1 - fy));
  }
  // Non-finite curve points are refused here and leave the path empty.
  result->SetPoints(std::move(arrPathPoints), std::move(arrPathTypes));
  return result;
}

std::shared_ptr<GraphicsPath> CurvedText::BentText(const RectF& target, const std::u16string& text,
                                                   const Font& font) {
  FitToRect(target);
  GraphicsPath path(FillModeAlternate);
  FontFamily family;
  font.GetFamily(&family);
  const StringFormat format(0, LANG_NEUTRAL);
  path.AddString(text.c_str(), INT(text.size()), &family, font.GetStyle(), font.GetSize(),
                 PointF(0, 0), &format);
  return Warp(path);
}

std::shared_ptr<GraphicsPath> CurvedText::CreatePath(const RectF& target, std::u16string text,
                                                     const Font& font) {
  return BentText(target, text, font);
}

void CurvedText::DrawOutline(Graphics& g, const RectF& target, std::u16string text,
                             const Font& font, const Pen& pen) {
  const std::shared_ptr<GraphicsPath> path = BentText(target, text, font);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  g.DrawPath(&pen, path.get());
}

void CurvedText::DrawOutlineAndFill(Graphics& g, const RectF& target, std::u16string text,
                                    const Font& font, const Pen& pen, const Brush& brush) {
  const std::shared_ptr<GraphicsPath> path = BentText(target, text, font);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  g.DrawPath(&pen, path.get());
  g.FillPath(&brush, path.get());
}

}  // namespace MirelGlyphward
