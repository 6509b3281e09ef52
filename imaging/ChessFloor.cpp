#include "ChessFloor.h"

#include <algorithm>
#include <array>

#include "Matrix.h"
#include "Region.h"
#include "SolidBrush.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

constexpr ARGB mainColor = 0xFF000000;
constexpr ARGB backColor = 0xFFFFFFFF;

void Fill(Graphics& g, const Region& region, ARGB color) {
  const SolidBrush brush{Color(color)};
  g.FillRegion(&brush, &region);
}

// A copy of the flat board half bent onto the floor's corners. The source
// rectangle is the half's own bounds; from three squares a side on, both
// halves span the whole board, so they stay aligned.
GraphicsPath WarpedCopy(const GraphicsPath& path, const std::array<PointF, 4>& aptfDest) {
  GraphicsPath warped(FillModeAlternate);
  warped.AddPath(&path, false);
  RectF bounds;
  path.GetBounds(&bounds);
  const Matrix identity;
  warped.Warp(aptfDest.data(), 4, bounds, &identity, WarpModePerspective, 0.25f);
  return warped;
}

// Squares along an extent of the picture: one per 20 pixels, at least three.
int BoardSquares(REAL extent) {
  return std::max(3, int(double(extent) / 20.0));
}

// The floor's corners, top-left, top-right, bottom-left, bottom-right: the
// x of each drawn in that order.
std::array<PointF, 4> NextFloorCorners(const RandomClass& rand, const RectF& rectImage) {
  const REAL w = rectImage.Width, h = rectImage.Height;
  std::array<PointF, 4> aptfDest;
  aptfDest[0] = PointF(rand.NextFloat(-0.1f * w, -0.2f * w), 0);
  aptfDest[1] = PointF(rand.NextFloat(w + 0.1f * w, w + 0.2f * w), 0);
  aptfDest[2] = PointF(rand.NextFloat(-1.0f * w, -1.5f * w), h);
  aptfDest[3] = PointF(rand.NextFloat(w + 1.0f * w, w + 1.5f * w), h);
  return aptfDest;
}

}  // namespace

void CreateBoardPaths(int rows, int cols, const SizeF& size, GraphicsPath* pathMain,
                      GraphicsPath* pathBack) {
  const REAL cellW = size.Width / REAL(cols), cellH = size.Height / REAL(rows);
  // Each square reaches exactly to where its neighbour starts: a square's own
  // x + cellW can miss (i + 1) * cellW by a rounding step, and a pixel centre
  // caught in such a sliver would stay unpainted.
  for (int i = 0; i < cols; ++i)
    for (int j = 0; j < rows; ++j) {
      const REAL x = REAL(i) * cellW, y = REAL(j) * cellH;
      const RectF rectF(x, y, REAL(i + 1) * cellW - x, REAL(j + 1) * cellH - y);
      GraphicsPath* path = (i + j) % 2 == 0 ? pathMain : pathBack;
      path->StartFigure();
      path->AddRectangle(rectF);
      path->CloseFigure();
    }
}

void PaintChessFloor(Graphics& g, const RandomClass& rand, const RectF& rectImage,
                     const GraphicsPath& pathLetters) {
  const int rows = BoardSquares(rectImage.Height), cols = BoardSquares(rectImage.Width);
  const std::array<PointF, 4> aptfDest = NextFloorCorners(rand, rectImage);

  GraphicsPath pathMain(FillModeAlternate), pathBack(FillModeAlternate);
  CreateBoardPaths(rows, cols, SizeF(rectImage.Width, rectImage.Height), &pathMain, &pathBack);
  const GraphicsPath pathMainWarped = WarpedCopy(pathMain, aptfDest);
  const GraphicsPath pathBackWarped = WarpedCopy(pathBack, aptfDest);

  const Region rgnLetters(&pathLetters);
  const Region rgnMain(&pathMainWarped);
  const Region rgnBack(&pathBackWarped);
  Fill(g, rgnMain, mainColor);
  Fill(g, rgnBack, backColor);
  Fill(g, rgnLetters, mainColor);
  // Letter parts over black squares turn white again.
  Region rgnIntersect(&pathLetters);
  rgnIntersect.Combine(&rgnMain, CombineModeIntersect);
  Fill(g, rgnIntersect, backColor);
}

}  // namespace MirelGlyphward
