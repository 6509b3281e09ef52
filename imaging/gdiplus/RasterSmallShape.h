// Anti-aliased filling of small polygons, such as the outline of a thin
// stroke a few pixels across. The coverage is AntiAliasedRasterizer's cell
// for cell, but the cells are summed in a dense grid over the shape's own
// box: for tiny shapes, sorting AGG's cell lists costs more than the shape.
// The outline is recorded first, so that a caller can look at its bounds
// before choosing to draw it here, elsewhere, or not at all.
#pragma once

#include <algorithm>
#include <vector>

#include "GdiplusTypes.h"
#include "RasterClip.h"
#include "RasterDot.h"
#include "RasterDotCache.h"
#include "RasterPath.h"
#include "RasterSink.h"

namespace Gdiplus {

class RenderTarget;

class SmallShapeRasterizer final : public RasterSink {
 public:
  // Larger shapes go to the general rasteriser, whose cost follows the
  // outline rather than the box.
  static constexpr double kMaxCells = 16384;

  // The outline's storage is handed from one rasteriser to the next on
  // the thread: each picture's drawing makes its own, and growing a fresh
  // one to a text outline's thousands of vertices costs a copy each step.
  SmallShapeRasterizer();
  ~SmallShapeRasterizer();
  SmallShapeRasterizer(const SmallShapeRasterizer&) = delete;
  SmallShapeRasterizer& operator=(const SmallShapeRasterizer&) = delete;

  // Forgets the recorded outline.
  void Reset();

  // Inline: the stroker records a dozen vertices for every short curve.
  void MoveTo(double x, double y) override { Record(x, y, Command::Move); }
  void LineTo(double x, double y) override { Record(x, y, Command::Line); }
  void ClosePolygon() override {
    Vertex& v = NextVertex();
    v.x = v.y = 0;
    v.command = Command::Close;
  }

  bool Empty() const { return count_ == 0; }
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
  // Blends the pixels of the outline cut to area, as AntiAliasedRasterizer
  // reset to area draws it, for outlines that reach beyond the area: wide
  // strokes running off the picture. False, with nothing drawn, when the
  // cut outline's box is too large for the grid, or the outline encloses
  // so much for its length that AGG, whose cost follows the edges, is
  // quicker.
  bool SweepClipped(FillMode fillMode, const Rect& area, RenderTarget& target);
  // Fills the ellipse as FillEllipse would, for an ellipse that reaches
  // past area: cut to it as SweepClipped cuts the path RasterPath::
  // AddEllipse makes of it, without building that path. Dots thrown over a
  // whole picture cross its edges by the hundred. False, with nothing
  // drawn, when the cut grid would be too large.
  bool FillCutEllipse(double x, double y, double width, double height, double flatness,
                      const Rect& area, RenderTarget& target);
  // Records the figures of path, each closed, as AntiAliasedRasterizer
  // takes them (figures of one point are left out).
  void AddPath(const RasterPath& path);
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
  // A dot's outline placed and keyed ahead of its drawing, so that a run of
  // dots can fetch their cached coverage and their pixels while earlier
  // ones are blended: scattered dots otherwise wait on memory one by one.
  struct PlannedDot {
    double x, y, width, height, flatness;
    int left, top, columns, rows;
    bool keyed;   // key or phase holds the outline, and the cache may hold it
    bool phased;  // phase does
    DotCoverCache::Key key;
    DotCoverCache::PhaseKey phase;
  };
  // Plans the dot FillEllipse would draw; false, with nothing planned, when
  // it would return false.
  bool PlanEllipse(double x, double y, double width, double height, double flatness,
                   RenderTarget& target, PlannedDot* dot);
  // Draws a planned dot as FillEllipse would have drawn it.
  void DrawPlanned(const PlannedDot& dot, RenderTarget& target);
  // Sends the recorded outline, unchanged, to another rasteriser.
  void Replay(RasterSink& sink) const;

 private:
  enum class Command : unsigned char { Move, Line, Close };
  // The subpixels are taken as the vertex is recorded, so that a sweep
  // reads the outline once.
  struct Vertex {
    double x, y;
    SubpixelPoint subpixel;
    Command command;
  };
  struct Cell {
    int cover;
    int area;
  };
  // The first and last grid column a row's lines touched.
  struct RowSpan {
    int first, last;
  };
  // The grid of an outline cut to an area: cells [left, right] x [top,
  // bottom], and whether it is small enough to sweep.
  struct CutGrid {
    int left, top, right, bottom;
    bool fits;
  };
  static CutGrid GridFor(const RasterBounds& box, const Rect& area);
  // Hands feed(clipper, lines) AGG's clipper, set to area, to send the
  // outline through onto a walk over the grid, then sweeps it.
  template <class Feed>
  void SweepCut(const CutGrid& grid, FillMode fillMode, const Rect& area, Feed&& feed,
                RenderTarget& target);

  // Tracking rows costs the small shapes' walk a test on every step: it
  // is a separate walk.
  template <bool TrackRows>
  class Walk;
  using CellWalk = Walk<false>;
  struct ClippedLines;

  // Ellipses of at most this many cells across and down are dots, whose
  // grid is always at hand.
  static constexpr int kDotCells = 4;

  // Sizes the zeroed grid to hold cells [minX, maxX] x [minY, maxY], and
  // starts a walk of lines over it.
  CellWalk PrepareGrid(int minX, int minY, int maxX, int maxY);
  void SweepGrid(FillMode fillMode, RenderTarget& target);
  template <bool EvenOdd>
  void SweepRows(RenderTarget& target);
  // Sweeps cells [from, to) of grid row row, zeroing them.
  template <bool EvenOdd>
  void SweepRow(int row, int from, int to, RenderTarget& target);
  // SweepRows over only the cells each row's lines touched.
  template <bool EvenOdd>
  void SweepSpans(RenderTarget& target);
  // AGG's coverage (alternate mode) of the closed outline, whose cells lie
  // in the columns x rows grid from (left, top), at most kDotCells across.
  void CoverDot(const SubpixelPoint* points, int count, int left, int top, int columns, int rows,
                BYTE* alpha);
  // Keeps the coverage of a dot at a whole position for wholeDot_, if
  // DotShiftable; the dot's left, top, columns and rows are its cells.
  void RememberWholeDot(const PlannedDot& dot, const BYTE* alpha);
  // Blends wholeDot_'s coverage for the dot at whole position (x, y).
  void BlendWholeDot(INT x, INT y, RenderTarget& target) const;
  // Sets the dot's cells from the points of its outline.
  static void PlaceDot(const SubpixelPoint* points, int count, PlannedDot* dot);
  // Whether wholeDot_ holds the dot's coverage. The size goes first: it
  // settles most dots without a conversion.
  bool WholeDotFor(const PlannedDot& dot) const {
    return dot.width == wholeDot_.width && dot.height == wholeDot_.height &&
           dot.flatness == wholeDot_.flatness && dot.x == double(INT(dot.x)) &&
           dot.y == double(INT(dot.y));
  }

  Vertex& NextVertex() {
    if (count_ == vertices_.size()) vertices_.resize(count_ < 32 ? 64 : 2 * count_);
    return vertices_[count_++];
  }
  void Record(double x, double y, Command command) {
    Vertex& v = NextVertex();
    // Each field on its own: a whole vertex copied from the stack after
    // a byte store stalls the load that reads it back.
    v.x = x;
    v.y = y;
    v.command = command;
    v.subpixel = SubpixelPoint{SafeSubpixel(x), SafeSubpixel(y)};
    bounds_.left = std::min(bounds_.left, x);
    bounds_.right = std::max(bounds_.right, x);
    bounds_.top = std::min(bounds_.top, y);
    bounds_.bottom = std::max(bounds_.bottom, y);
  }
  // AGG's subpixel of v where v is near enough to be swept (a shape that
  // fits lies well inside this range), else zero: outlines too far out to
  // sweep are only replayed, and their conversion must stay defined.
  static int SafeSubpixel(double v) {
    // ToSubpixel's rounding, spelled out here away from AGG's headers.
    const double s = (v + 0.5) * 256.0;
    if (!(s > -kSubpixelRange && s < kSubpixelRange)) return 0;
    return int(s < 0.0 ? s - 0.5 : s + 0.5);
  }
  static constexpr double kSubpixelRange = 1 << 30;

  // vertices_[0, count_) hold the outline; the vector only grows.
  std::vector<Vertex> vertices_;
  std::size_t count_ = 0;
  RasterBounds bounds_;

  std::vector<SubpixelPoint> subpixels_;
  // The calling thread's grid, set by PrepareGrid: cells [0, gridWidth_ *
  // gridRows_) are in use.
  Cell* grid_ = nullptr;
  std::vector<BYTE> covers_;
  // Per grid row, for the cut outlines of SweepClipped, whose grid spans
  // the area while each row's lines may cross a few pixels of it.
  std::vector<RowSpan> rowSpans_;
  // The grid of dots, zero between sweeps.
  Cell dotCells_[kDotCells * kDotCells] = {};
  int gridLeft_ = 0, gridTop_ = 0, gridWidth_ = 0, gridRows_ = 0;
  // The last dot drawn at a whole position whose outline moves with it
  // (DotShiftable): dots of its size at whole positions take its
  // coverage as it is, with no outline made. Styles scatter such dots by
  // the ten thousand.
  struct WholeDot {
    double width = -1, height = -1, flatness = -1;
    int left = 0, top = 0, columns = 0, rows = 0;  // left and top from the dot's x and y
    BYTE alpha[kDotCells * kDotCells] = {};
  };
  WholeDot wholeDot_;
  // The size of the last dot planned, and its SureEllipseSteps.
  struct DotSteps {
    double width = -1, height = -1, flatness = -1;
    int steps = 0;
  };
  DotSteps dotSteps_;
};

}  // namespace Gdiplus
