// Anti-aliased filling of small polygons, such as the outline of a thin
// stroke a few pixels across. The coverage is AntiAliasedRasterizer's cell
// for cell, but the cells are summed in a dense grid over the shape's own
// box: for tiny shapes, sorting AGG's cell lists costs more than the shape.
// The outline is recorded first, so that a caller can look at its bounds
// before choosing to draw it here, elsewhere, or not at all.
#pragma once

#include <vector>

#include "GdiplusTypes.h"
#include "RasterClip.h"
#include "RasterPath.h"
#include "RasterSink.h"

namespace Gdiplus {

class RenderTarget;

class SmallShapeRasterizer final : public RasterSink {
 public:
  // Forgets the recorded outline.
  void Reset();

  void MoveTo(double x, double y) override;
  void LineTo(double x, double y) override;
  void ClosePolygon() override;

  bool Empty() const { return vertices_.empty(); }
  // Holds every recorded vertex; meaningful when not empty.
  const RasterBounds& Bounds() const { return bounds_; }

  // False when no pixel the outline could cover lies in the clip.
  bool Touches(const RasterClip& clip) const { return !Empty() && Touches(clip, bounds_); }
  // False when no pixel of a shape whose vertices lie in box is in the clip.
  static bool Touches(const RasterClip& clip, const RasterBounds& box);
  // True when Sweep may draw the outline: it is small, and every vertex is
  // inside area, so that cutting at the area's edges would change nothing.
  bool Fits(const Rect& area) const;
  // Blends the covered pixels into the target; the outline must fit.
  void Sweep(FillMode fillMode, RenderTarget& target);
  // Sends the recorded outline, unchanged, to another rasteriser.
  void Replay(RasterSink& sink) const;

 private:
  enum class Command : unsigned char { Move, Line, Close };
  struct Vertex {
    double x, y;
    Command command;
  };
  struct Cell {
    int cover;
    int area;
  };

  template <bool EvenOdd>
  void SweepRows(int rows, RenderTarget& target);
  void Line(int x1, int y1, int x2, int y2);
  void HorizontalLine(int ey, int x1, int y1, int x2, int y2);
  void SetCell(int x, int y) {
    cell_ = &cells_[std::size_t(y - gridTop_) * gridWidth_ + (x - gridLeft_)];
  }

  std::vector<Vertex> vertices_;
  RasterBounds bounds_;

  std::vector<Cell> cells_;
  std::vector<BYTE> covers_;
  Cell* cell_ = nullptr;
  int gridLeft_ = 0, gridTop_ = 0, gridWidth_ = 0;
};

}  // namespace Gdiplus
