// Text bent between two guide curves: the outline's horizontal position
// picks a place along the curves by point index, its vertical position
// blends from the upper curve (top of the outline box) to the lower one.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Brush.h"
#include "Font.h"
#include "GdiplusTypes.h"
#include "Graphics.h"
#include "GraphicsPath.h"
#include "Pen.h"

namespace MirelGlyphward {

class CurvedText {
 public:
  // Copies both curves.
  CurvedText(const std::vector<Gdiplus::PointF>& top, const std::vector<Gdiplus::PointF>& bottom);

  // Kind 1 or 2 replaces top and bottom by the built-in curves (452 and 469
  // points); any other kind leaves them as they are.
  static void LoadCurves(int kind, std::vector<Gdiplus::PointF>& top,
                         std::vector<Gdiplus::PointF>& bottom);
  // A curved-text object on the built-in curves, as LoadCurves gives them.
  static CurvedText BuiltIn();

  // Rescales both curves in place so that their joint bounds are target. An
  // axis along which the curves have no extent collapses onto target's edge.
  void FitToRect(const Gdiplus::RectF& target);

  // Fits the curves to target and returns the bent outline of text
  // (alternate fill). Text without an outline gives an empty path.
  std::shared_ptr<Gdiplus::GraphicsPath> CreatePath(const Gdiplus::RectF& target,
                                                    std::u16string text, const Gdiplus::Font& font);
  // As CreatePath, then draws the outline anti-aliased (g keeps that mode).
  void DrawOutline(Gdiplus::Graphics& g, const Gdiplus::RectF& target, std::u16string text,
                   const Gdiplus::Font& font, const Gdiplus::Pen& pen);
  // As DrawOutline, then fills the same path over the outline's inner half.
  void DrawOutlineAndFill(Gdiplus::Graphics& g, const Gdiplus::RectF& target, std::u16string text,
                          const Gdiplus::Font& font, const Gdiplus::Pen& pen,
                          const Gdiplus::Brush& brush);

  // The warp alone, applied to an outline laid out from the origin: a new
  // path with the moved points and the same types. Empty when the outline's
  // extent to the right or below the origin is not positive or a curve is
  // empty.
  std::shared_ptr<Gdiplus::GraphicsPath> Warp(const Gdiplus::GraphicsPath& outline) const;

  const std::vector<Gdiplus::PointF>& Top() const { return arrTop; }
  const std::vector<Gdiplus::PointF>& Bottom() const { return arrBottom; }

 private:
  std::shared_ptr<Gdiplus::GraphicsPath> BentText(const Gdiplus::RectF& target,
                                                  const std::u16string& text,
                                                  const Gdiplus::Font& font);

  std::vector<Gdiplus::PointF> arrTop;
  std::vector<Gdiplus::PointF> arrBottom;
  int nTopCount = 0;
  int nBottomCount = 0;
};

}  // namespace MirelGlyphward
