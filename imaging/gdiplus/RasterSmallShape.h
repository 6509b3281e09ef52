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
#include "RasterDot.h"
#include "RasterPath.h"
#include "RasterSink.h"

namespace Gdiplus {

class RenderTarget;

class SmallShapeRasterizer final : public RasterSink {
 public:
  // Larger shapes go to the general rasteriser, whose cost follows the
  // outline rather than the box.
  static constexpr double kMaxCells = 16384;

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
  bool Fits(const Rect& area) const { return !Empty() && Fits(bounds_, area); }
  // The same for a shape whose vertices lie in box.
  static bool Fits(const RasterBounds& box, const Rect& area) {
    // AGG's pixel (i, j) is centred on (i + 0.5, j + 0.5).
    return box.left + 0.5 > area.X && box.right + 0.5 < double(area.X) + area.Width &&
           box.top + 0.5 > area.Y && box.bottom + 0.5 < double(area.Y) + area.Height &&
           (box.right - box.left + 3) * (box.bottom - box.top + 3) <= kMaxCells;
  }
  // Blends the covered pixels into the target; the outline must fit.
  void Sweep(FillMode fillMode, RenderTarget& target);
  // Fills the figures of path, each closed, as AntiAliasedRasterizer would;
  // the path's bounds must fit. The recorded outline is left alone.
  void Fill(const RasterPath& path, FillMode fillMode, RenderTarget& target);
  // Fills the ellipse as Fill would fill the path RasterPath::AddEllipse
  // makes of it at the given flatness (alternate mode), without building
  // that path. The rectangle, a little widened, must fit, and lie below
  // 65536 on both axes. False, with nothing drawn, when the
  // ellipse needs more points than FlattenDot gives.
  bool FillEllipse(double x, double y, double width, double height, double flatness,
                   RenderTarget& target);
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

  class CellWalk;

  // Ellipses of at most this many cells across and down are dots, whose
  // grid is always at hand.
  static constexpr int kDotCells = 4;

  // Sizes the zeroed grid to hold cells [minX, maxX] x [minY, maxY], and
  // starts a walk of lines over it.
  CellWalk PrepareGrid(int minX, int minY, int maxX, int maxY);
  void SweepGrid(FillMode fillMode, RenderTarget& target);
  template <bool EvenOdd>
  void SweepRows(RenderTarget& target);
  // AGG's coverage (alternate mode) of the closed outline, whose cells lie
  // in the columns x rows grid from (left, top), at most kDotCells across.
  void CoverDot(const SubpixelPoint* points, int count, int left, int top, int columns, int rows,
                BYTE* alpha);

  std::vector<Vertex> vertices_;
  RasterBounds bounds_;

  std::vector<SubpixelPoint> subpixels_;
  // The calling thread's grid, set by PrepareGrid: cells [0, gridWidth_ *
  // gridRows_) are in use.
  Cell* grid_ = nullptr;
  std::vector<BYTE> covers_;
  // The grid of dots, zero between sweeps.
  Cell dotCells_[kDotCells * kDotCells] = {};
  int gridLeft_ = 0, gridTop_ = 0, gridWidth_ = 0, gridRows_ = 0;
};

}  // namespace Gdiplus
