#include "RasterSmallShape.h"

#include <agg_rasterizer_sl_clip.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "RasterDot.h"
#include "RasterDotCache.h"
#include "RasterSubpixel.h"
#include "RenderTarget.h"
#include "ThreadScratch.h"

namespace Gdiplus {

namespace {

// AGG centres pixel (i, j) on (i + 0.5, j + 0.5).
constexpr double kPixelCentreShift = 0.5;
constexpr int kShift = kSubpixelShift;
constexpr int kScale = kSubpixelScale;
constexpr int kMask = kSubpixelMask;

// Coverage of a pixel from its accumulated area, as AGG's scanline
// rasteriser computes it (no gamma).
template <bool EvenOdd>
unsigned Alpha(int area) {
  int cover = area >> (kShift * 2 + 1 - 8);
  if (cover < 0) cover = -cover;
  if (EvenOdd) {
    cover &= 511;
    if (cover > 256) cover = 512 - cover;
  }
  return unsigned(cover < 255 ? cover : 255);
}

}  // namespace

// Cut outlines go to the grid only while its rows stay narrow enough for
// the walk's int products, and its cells few enough to keep at hand.
constexpr int kMaxClippedWidth = 4096;
constexpr double kMaxClippedCells = 1 << 18;
// A grid cell between the edges costs a small fraction of one of AGG's
// sorted edge cells; past this many enclosed pixels per pixel of edge,
// large plain shapes such as a ground rectangle go to AGG.
constexpr double kSpanCellsPerEdgePixel = 12;

// Record's rounding repeats ToSubpixel's.
static_assert(kScale == 256);

namespace {

// The largest outline storage a rasteriser of the thread has given back.
template <class Vertex>
std::vector<Vertex>& SpareVertices() {
  return ThreadScratch<std::vector<Vertex>>();
}

}  // namespace

SmallShapeRasterizer::SmallShapeRasterizer() {
  vertices_.swap(SpareVertices<Vertex>());
}

SmallShapeRasterizer::~SmallShapeRasterizer() {
  std::vector<Vertex>& spare = SpareVertices<Vertex>();
  if (vertices_.size() > spare.size()) vertices_.swap(spare);
}

void SmallShapeRasterizer::Reset() {
  count_ = 0;
  bounds_ = RasterBounds{
      std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
      -std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
}

bool SmallShapeRasterizer::Touches(const RasterClip& clip, const RasterBounds& box) {
  if (clip.IsEmpty()) return false;
  if (!std::isfinite(box.left) || !std::isfinite(box.right) || !std::isfinite(box.top) ||
      !std::isfinite(box.bottom)) {
    return true;
  }
  if (box.left > box.right || box.top > box.bottom) return false;
  // A pixel of slack on each side covers the rounding to subpixels.
  const Rect& area = clip.Bounds();
  auto cut = [](double v, INT low, INT high) {
    return INT(std::clamp(std::floor(v + kPixelCentreShift), double(low), double(high)));
  };
  return clip.Touches(cut(box.left, area.X - 2, area.X + area.Width + 1) - 1,
                      cut(box.top, area.Y - 2, area.Y + area.Height + 1) - 1,
                      cut(box.right, area.X - 2, area.X + area.Width + 1) + 2,
                      cut(box.bottom, area.Y - 2, area.Y + area.Height + 1) + 2);
}

void SmallShapeRasterizer::Replay(RasterSink& sink) const {
  for (std::size_t i = 0; i < count_; ++i) {
    const Vertex& v = vertices_[i];
    switch (v.command) {
      case Command::Move:
        sink.MoveTo(v.x, v.y);
        break;
      case Command::Line:
        sink.LineTo(v.x, v.y);
        break;
      case Command::Close:
        sink.ClosePolygon();
        break;
    }
  }
}

// The cell walk follows AGG's rasterizer_cells_aa step for step, so that
// every cell receives the same integer cover and area. Shapes that fit are
// under 5500 pixels across, so its products stay well inside int where AGG
// widens to 64 bits. A local walker keeps the current cell in a register.
// With TrackRows, rows[y - top] is widened to every column the walk
// touches in row y.
template <bool TrackRows>
class SmallShapeRasterizer::Walk {
 public:
  Walk(Cell* cells, int left, int top, int width, RowSpan* rows = nullptr)
      : cells_(cells),
        offset_(std::ptrdiff_t(top) * width + left),
        width_(width),
        top_(top),
        rows_(rows) {}

  void Line(int x1, int y1, int x2, int y2) {
    const int ex1 = x1 >> kShift;
    int ey1 = y1 >> kShift;
    const int ey2 = y2 >> kShift;
    const int fy1 = y1 & kMask;
    const int fy2 = y2 & kMask;

    SetCell(ex1, ey1);
    if (ey1 == ey2) {
      HorizontalLine(ey1, x1, fy1, x2, fy2);
      return;
    }

    const int dx = x2 - x1;
    int dy = y2 - y1;
    int incr = 1;
    if (dx == 0) {
      if constexpr (TrackRows) {
        for (int y = std::min(ey1, ey2); y <= std::max(ey1, ey2); ++y) Mark(y, ex1, ex1);
      }
      const int twoFx = (x1 - (ex1 << kShift)) << 1;
      int first = kScale;
      if (dy < 0) {
        first = 0;
        incr = -1;
      }
      int delta = first - fy1;
      cell_->cover += delta;
      cell_->area += twoFx * delta;
      ey1 += incr;
      SetCell(ex1, ey1);
      delta = first + first - kScale;
      const int area = twoFx * delta;
      while (ey1 != ey2) {
        cell_->cover += delta;
        cell_->area += area;
        ey1 += incr;
        SetCell(ex1, ey1);
      }
      delta = fy2 - kScale + first;
      cell_->cover += delta;
      cell_->area += twoFx * delta;
      return;
    }

    int p = (kScale - fy1) * dx;
    int first = kScale;
    if (dy < 0) {
      p = fy1 * dx;
      first = 0;
      incr = -1;
      dy = -dy;
    }
    int delta = p / dy;
    int mod = p % dy;
    if (mod < 0) {
      delta--;
      mod += dy;
    }
    int xFrom = x1 + delta;
    HorizontalLine(ey1, x1, fy1, xFrom, first);
    ey1 += incr;
    SetCell(xFrom >> kShift, ey1);

    if (ey1 != ey2) {
      p = kScale * dx;
      int lift = p / dy;
      int rem = p % dy;
      if (rem < 0) {
        lift--;
        rem += dy;
      }
      mod -= dy;
      while (ey1 != ey2) {
        delta = lift;
        mod += rem;
        if (mod >= 0) {
          mod -= dy;
          delta++;
        }
        const int xTo = xFrom + delta;
        HorizontalLine(ey1, xFrom, kScale - first, xTo, first);
        xFrom = xTo;
        ey1 += incr;
        SetCell(xFrom >> kShift, ey1);
      }
    }
    HorizontalLine(ey1, xFrom, kScale - first, x2, fy2);
  }

 private:
  void SetCell(int x, int y) { cell_ = cells_ + (std::ptrdiff_t(y) * width_ + x - offset_); }

  void HorizontalLine(int ey, int x1, int y1, int x2, int y2) {
    int ex1 = x1 >> kShift;
    const int ex2 = x2 >> kShift;
    const int fx1 = x1 & kMask;
    const int fx2 = x2 & kMask;

    if (y1 == y2) {
      SetCell(ex2, ey);
      return;
    }
    if constexpr (TrackRows) Mark(ey, ex1, ex2);
    if (ex1 == ex2) {
      const int delta = y2 - y1;
      cell_->cover += delta;
      cell_->area += (fx1 + fx2) * delta;
      return;
    }

    int p = (kScale - fx1) * (y2 - y1);
    int first = kScale;
    int incr = 1;
    int dx = x2 - x1;
    if (dx < 0) {
      p = fx1 * (y2 - y1);
      first = 0;
      incr = -1;
      dx = -dx;
    }
    int delta = p / dx;
    int mod = p % dx;
    if (mod < 0) {
      delta--;
      mod += dx;
    }
    cell_->cover += delta;
    cell_->area += (fx1 + first) * delta;

    ex1 += incr;
    SetCell(ex1, ey);
    y1 += delta;

    if (ex1 != ex2) {
      p = kScale * (y2 - y1 + delta);
      int lift = p / dx;
      int rem = p % dx;
      if (rem < 0) {
        lift--;
        rem += dx;
      }
      mod -= dx;
      while (ex1 != ex2) {
        delta = lift;
        mod += rem;
        if (mod >= 0) {
          mod -= dx;
          delta++;
        }
        cell_->cover += delta;
        cell_->area += kScale * delta;
        y1 += delta;
        ex1 += incr;
        SetCell(ex1, ey);
      }
    }
    delta = y2 - y1;
    cell_->cover += delta;
    cell_->area += (fx2 + kScale - first) * delta;
  }

  void Mark(int y, int a, int b) {
    RowSpan& span = rows_[y - top_];
    span.first = std::min(span.first, std::min(a, b));
    span.last = std::max(span.last, std::max(a, b));
  }

  Cell* const cells_;
  Cell* cell_ = nullptr;
  const std::ptrdiff_t offset_;
  const int width_;
  const int top_;
  RowSpan* const rows_;
};

SmallShapeRasterizer::CellWalk SmallShapeRasterizer::PrepareGrid(int minX, int minY, int maxX,
                                                                 int maxY) {
  gridLeft_ = minX;
  gridTop_ = minY;
  gridWidth_ = maxX - minX + 1;
  gridRows_ = maxY - minY + 1;
  // The grid is scratch, zero between sweeps, so one per thread serves all
  // rasterisers there: pictures made one after another reuse it rather
  // than each allocating and clearing its own. It only grows, up to the
  // cells of the largest shape that fits.
  std::vector<Cell>& threadGrid = ThreadScratch<std::vector<Cell>>();
  const std::size_t cells = std::size_t(gridWidth_) * std::size_t(gridRows_);
  if (threadGrid.size() < cells) threadGrid.resize(std::max<std::size_t>(cells, 64));
  grid_ = threadGrid.data();
  if (covers_.size() < std::size_t(gridWidth_)) covers_.resize(std::size_t(gridWidth_));
  return CellWalk(grid_, gridLeft_, gridTop_, gridWidth_);
}

void SmallShapeRasterizer::SweepGrid(FillMode fillMode, RenderTarget& target) {
  if (fillMode == FillModeAlternate) {
    SweepRows<true>(target);
  } else {
    SweepRows<false>(target);
  }
}

void SmallShapeRasterizer::Sweep(FillMode fillMode, RenderTarget& target) {
  if (Empty()) return;
  const Vertex* const begin = vertices_.data();
  const Vertex* const end = begin + count_;
  int minX = std::numeric_limits<int>::max(), minY = minX;
  int maxX = std::numeric_limits<int>::min(), maxY = maxX;
  for (const Vertex* v = begin; v != end; ++v) {
    if (v->command == Command::Close) continue;
    minX = std::min(minX, v->subpixel.x);
    maxX = std::max(maxX, v->subpixel.x);
    minY = std::min(minY, v->subpixel.y);
    maxY = std::max(maxY, v->subpixel.y);
  }
  CellWalk walk = PrepareGrid(minX >> kShift, minY >> kShift, maxX >> kShift, maxY >> kShift);

  // Figures close themselves, as in AGG's rasteriser.
  int startX = 0, startY = 0, x = 0, y = 0;
  bool open = false;
  for (const Vertex* v = begin; v != end; ++v) {
    switch (v->command) {
      case Command::Move:
        if (open) walk.Line(x, y, startX, startY);
        startX = x = v->subpixel.x;
        startY = y = v->subpixel.y;
        open = false;
        break;
      case Command::Line: {
        const int nx = v->subpixel.x, ny = v->subpixel.y;
        walk.Line(x, y, nx, ny);
        x = nx;
        y = ny;
        open = true;
        break;
      }
      case Command::Close:
        if (open) walk.Line(x, y, startX, startY);
        x = startX;
        y = startY;
        open = false;
        break;
    }
  }
  if (open) walk.Line(x, y, startX, startY);
  SweepGrid(fillMode, target);
}

// AGG's clipper hands the walk the visible parts of each line, in whole
// subpixels, and runs along the area's edges where a line leaves it.
struct SmallShapeRasterizer::ClippedLines {
  Walk<true>& walk;
  void line(int x1, int y1, int x2, int y2) { walk.Line(x1, y1, x2, y2); }
};

SmallShapeRasterizer::CutGrid SmallShapeRasterizer::GridFor(const RasterBounds& box,
                                                            const Rect& area) {
  // The cut lines lie in the area, its far edges included: the box held to
  // it, with a cell of slack for rounding at the cuts.
  auto span = [](double low, double high, INT from, INT size, int* first, int* last) {
    const double edgeLow = from, edgeHigh = double(from) + size;
    *first = int(std::floor(std::clamp(low + kPixelCentreShift, edgeLow, edgeHigh))) - 1;
    *last = int(std::floor(std::clamp(high + kPixelCentreShift, edgeLow, edgeHigh))) + 1;
  };
  CutGrid grid;
  span(box.left, box.right, area.X, area.Width, &grid.left, &grid.right);
  span(box.top, box.bottom, area.Y, area.Height, &grid.top, &grid.bottom);
  const double cells = double(grid.right - grid.left + 1) * double(grid.bottom - grid.top + 1);
  grid.fits = grid.right - grid.left + 1 <= kMaxClippedWidth && cells <= kMaxClippedCells;
  return grid;
}

template <class Feed>
void SmallShapeRasterizer::SweepCut(const CutGrid& grid, FillMode fillMode, const Rect& area,
                                    Feed&& feed, RenderTarget& target) {
  PrepareGrid(grid.left, grid.top, grid.right, grid.bottom);
  rowSpans_.assign(std::size_t(gridRows_),
                   RowSpan{std::numeric_limits<int>::max(), std::numeric_limits<int>::min()});
  Walk<true> walk(grid_, gridLeft_, gridTop_, gridWidth_, rowSpans_.data());
  ClippedLines lines{walk};
  agg::rasterizer_sl_clip_dbl clipper;
  clipper.clip_box(area.X, area.Y, double(area.X) + area.Width, double(area.Y) + area.Height);
  feed(clipper, lines);
  if (fillMode == FillModeAlternate) {
    SweepSpans<true>(target);
  } else {
    SweepSpans<false>(target);
  }
}

bool SmallShapeRasterizer::SweepClipped(FillMode fillMode, const Rect& area, RenderTarget& target) {
  if (Empty()) return true;
  if (!std::isfinite(bounds_.left) || !std::isfinite(bounds_.right) ||
      !std::isfinite(bounds_.top) || !std::isfinite(bounds_.bottom) || area.Width <= 0 ||
      area.Height <= 0) {
    return false;
  }
  const CutGrid grid = GridFor(bounds_, area);
  if (!grid.fits) return false;
  // Twice the enclosed area, and the length of the edges.
  double area2 = 0, edges = double(count_);
  {
    double startX = 0, startY = 0, x = 0, y = 0;
    bool open = false;
    auto edge = [&](double toX, double toY) {
      area2 += x * toY - toX * y;
      edges += std::fabs(toX - x) + std::fabs(toY - y);
    };
    for (std::size_t i = 0; i < count_; ++i) {
      const Vertex& v = vertices_[i];
      if (v.command == Command::Line) {
        edge(v.x, v.y);
        x = v.x;
        y = v.y;
        open = true;
        continue;
      }
      if (open) edge(startX, startY);
      if (v.command == Command::Move) {
        startX = v.x;
        startY = v.y;
      }
      x = startX;
      y = startY;
      open = false;
    }
    if (open) edge(startX, startY);
  }
  if (std::fabs(area2) / 2 > kSpanCellsPerEdgePixel * edges) return false;

  SweepCut(
      grid, fillMode, area,
      [this](agg::rasterizer_sl_clip_dbl& clipper, ClippedLines& lines) {
        // Figures close themselves, as in AGG's rasteriser.
        double startX = 0, startY = 0;
        bool open = false;
        for (std::size_t i = 0; i < count_; ++i) {
          const Vertex& v = vertices_[i];
          switch (v.command) {
            case Command::Move:
              if (open) clipper.line_to(lines, startX, startY);
              startX = v.x + kPixelCentreShift;
              startY = v.y + kPixelCentreShift;
              clipper.move_to(startX, startY);
              open = false;
              break;
            case Command::Line:
              clipper.line_to(lines, v.x + kPixelCentreShift, v.y + kPixelCentreShift);
              open = true;
              break;
            case Command::Close:
              if (open) clipper.line_to(lines, startX, startY);
              open = false;
              break;
          }
        }
        if (open) clipper.line_to(lines, startX, startY);
      },
      target);
  return true;
}

bool SmallShapeRasterizer::FillCutEllipse(double x, double y, double width, double height,
                                          double flatness, const Rect& area, RenderTarget& target) {
  if (area.Width <= 0 || area.Height <= 0) return false;
  // The flattened points stray from the rectangle by rounding errors only.
  constexpr double kMargin = 1.0 / 1024;
  const CutGrid grid =
      GridFor({x - kMargin, y - kMargin, x + width + kMargin, y + height + kMargin}, area);
  if (!grid.fits) return false;
  // The lines SweepClipped would cut from the path of the ellipse, in its
  // order: the figure, then its closing line.
  SweepCut(
      grid, FillModeAlternate, area,
      [&](agg::rasterizer_sl_clip_dbl& clipper, ClippedLines& lines) {
        double startX = 0, startY = 0;
        RasterPath::FlattenEllipse(
            x, y, width, height, flatness,
            [&](double px, double py) {
              startX = px + kPixelCentreShift;
              startY = py + kPixelCentreShift;
              clipper.move_to(startX, startY);
            },
            [&](double px, double py) {
              clipper.line_to(lines, px + kPixelCentreShift, py + kPixelCentreShift);
            });
        clipper.line_to(lines, startX, startY);
      },
      target);
  return true;
}

void SmallShapeRasterizer::AddPath(const RasterPath& path) {
  AddFigures(path, *this);
}

void SmallShapeRasterizer::Fill(const RasterPath& path, FillMode fillMode, RenderTarget& target) {
  const std::vector<RasterPoint>& points = path.Points();
  if (points.empty()) return;
  if (subpixels_.size() < points.size()) subpixels_.resize(points.size());
  int minX = std::numeric_limits<int>::max(), minY = minX;
  int maxX = std::numeric_limits<int>::min(), maxY = maxX;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const SubpixelPoint p{ToSubpixel(points[i].x), ToSubpixel(points[i].y)};
    subpixels_[i] = p;
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  CellWalk walk = PrepareGrid(minX >> kShift, minY >> kShift, maxX >> kShift, maxY >> kShift);
  // As AntiAliasedRasterizer::AddPath: figures of one point are skipped,
  // every other one is closed.
  for (const RasterFigure& figure : path.Figures()) {
    if (figure.end - figure.begin < 2) continue;
    const SubpixelPoint* p = &subpixels_[figure.begin];
    const std::uint32_t count = figure.end - figure.begin;
    for (std::uint32_t i = 1; i < count; ++i) walk.Line(p[i - 1].x, p[i - 1].y, p[i].x, p[i].y);
    walk.Line(p[count - 1].x, p[count - 1].y, p[0].x, p[0].y);
  }
  SweepGrid(fillMode, target);
}

bool SmallShapeRasterizer::FillEllipse(double x, double y, double width, double height,
                                       double flatness, RenderTarget& target) {
  // Dots at whole positions mostly take the memo's coverage: that costs no
  // plan.
  if (width == wholeDot_.width && height == wholeDot_.height && flatness == wholeDot_.flatness &&
      x == double(INT(x)) && y == double(INT(y))) {
    BlendWholeDot(INT(x), INT(y), target);
    return true;
  }
  PlannedDot dot;
  if (!PlanEllipse(x, y, width, height, flatness, target, &dot)) return false;
  DrawPlanned(dot, target);
  return true;
}

bool SmallShapeRasterizer::PlanEllipse(double x, double y, double width, double height,
                                       double flatness, RenderTarget& target, PlannedDot* dot) {
  // The key is left alone unless it is made: it is most of the plan.
  dot->x = x;
  dot->y = y;
  dot->width = width;
  dot->height = height;
  dot->flatness = flatness;
  dot->keyed = false;
  dot->phased = false;
  // The pixels are wanted only after the outline is made, or the run's
  // earlier dots are drawn: fetch them now.
  target.Prefetch(INT(x + 0.5), INT(y + 0.5), INT(x + width + 0.5), INT(y + height + 0.5));
  if (WholeDotFor(*dot)) return true;
  // Dots come by the thousand in one size, whose step count is worked out
  // once.
  if (width != dotSteps_.width || height != dotSteps_.height || flatness != dotSteps_.flatness) {
    dotSteps_ = DotSteps{width, height, flatness, SureEllipseSteps(width, height, flatness)};
  }
  // Dots of one or two steps are keyed by where they fall in their cells and
  // by the spans of their axis values, with no outline made unless the cache
  // misses.
  DotAxes axes;
  if (DotAxesOf(x, y, width, height, dotSteps_.steps, &axes) &&
      DotCoverCache::MakePhaseKey(axes, &dot->phase)) {
    // Such spans put the low axis values first and the high ones last.
    dot->left = axes.x[0] >> kShift;
    dot->top = axes.y[0] >> kShift;
    dot->columns = (axes.x[4] >> kShift) - dot->left + 1;
    dot->rows = (axes.y[4] >> kShift) - dot->top + 1;
    if (dot->columns <= DotCoverCache::kCells && dot->rows <= DotCoverCache::kCells) {
      dot->keyed = dot->phased = true;
      DotCoverCache::ForThisThread().Prefetch(dot->phase);
    }
    return true;
  }
  SubpixelPoint points[kMaxDotPoints];
  const int count = dotSteps_.steps != 0
                        ? FlattenDotSteps(x, y, width, height, flatness, dotSteps_.steps, points)
                        : FlattenDot(x, y, width, height, flatness, points);
  if (count == 0) return false;
  PlaceDot(points, count, dot);
  if (dot->columns <= DotCoverCache::kCells && dot->rows <= DotCoverCache::kCells &&
      DotCoverCache::MakeKey(points, count, dot->left, dot->top, &dot->key)) {
    dot->keyed = true;
    DotCoverCache::ForThisThread().Prefetch(dot->key);
  }
  return true;
}

void SmallShapeRasterizer::BlendWholeDot(INT x, INT y, RenderTarget& target) const {
  target.BlendBlock(x + wholeDot_.left, y + wholeDot_.top, wholeDot_.columns, wholeDot_.rows,
                    wholeDot_.alpha);
}

void SmallShapeRasterizer::PlaceDot(const SubpixelPoint* points, int count, PlannedDot* dot) {
  int minX = points[0].x, minY = points[0].y, maxX = minX, maxY = minY;
  for (int i = 1; i < count; ++i) {
    minX = std::min(minX, points[i].x);
    maxX = std::max(maxX, points[i].x);
    minY = std::min(minY, points[i].y);
    maxY = std::max(maxY, points[i].y);
  }
  dot->left = minX >> kShift;
  dot->top = minY >> kShift;
  dot->columns = (maxX >> kShift) - dot->left + 1;
  dot->rows = (maxY >> kShift) - dot->top + 1;
}

void SmallShapeRasterizer::DrawPlanned(const PlannedDot& dot, RenderTarget& target) {
  // A dot planned while another size held the memo, or one before it in the
  // run taught the memo its size: either way the memo, when it fits, is
  // this dot's coverage.
  if (WholeDotFor(dot)) {
    BlendWholeDot(INT(dot.x), INT(dot.y), target);
    return;
  }
  const bool whole = dot.x == double(INT(dot.x)) && dot.y == double(INT(dot.y));
  DotCoverCache* cache = nullptr;
  if (dot.keyed) {
    cache = &DotCoverCache::ForThisThread();
    if (!cache->Worthwhile()) {
      cache = nullptr;
    } else if (const DotCoverCache::Cover* cover =
                   dot.phased ? cache->Find(dot.phase) : cache->Find(dot.key)) {
      if (whole) RememberWholeDot(dot, cover->alpha);
      target.BlendBlock(dot.left, dot.top, cover->columns, cover->rows, cover->alpha);
      return;
    }
  }
  // Planned without its points, or planned from the memo: the outline is
  // made again, as it was the first time.
  SubpixelPoint points[kMaxDotPoints];
  const int count = FlattenDot(dot.x, dot.y, dot.width, dot.height, dot.flatness, points);
  PlannedDot placed = dot;
  PlaceDot(points, count, &placed);
  const int left = placed.left, top = placed.top, columns = placed.columns, rows = placed.rows;
  if (columns > kDotCells || rows > kDotCells) {
    CellWalk walk = PrepareGrid(left, top, left + columns - 1, top + rows - 1);
    for (int i = 1; i < count; ++i) {
      walk.Line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
    }
    walk.Line(points[count - 1].x, points[count - 1].y, points[0].x, points[0].y);
    SweepRows<true>(target);
    return;
  }
  BYTE alpha[kDotCells * kDotCells];
  CoverDot(points, count, left, top, columns, rows, alpha);
  if (cache) {
    DotCoverCache::Cover cover{BYTE(columns), BYTE(rows), {}};
    std::copy(alpha, alpha + columns * rows, cover.alpha);
    if (dot.phased) {
      cache->Store(dot.phase, cover);
    } else {
      cache->Store(dot.key, cover);
    }
  }
  if (whole) RememberWholeDot(placed, alpha);
  target.BlendBlock(left, top, columns, rows, alpha);
}

void SmallShapeRasterizer::RememberWholeDot(const PlannedDot& dot, const BYTE* alpha) {
  if (!DotShiftable(dot.x, dot.y, dot.width, dot.height, dot.flatness)) return;
  wholeDot_.width = dot.width;
  wholeDot_.height = dot.height;
  wholeDot_.flatness = dot.flatness;
  wholeDot_.left = dot.left - INT(dot.x);
  wholeDot_.top = dot.top - INT(dot.y);
  wholeDot_.columns = dot.columns;
  wholeDot_.rows = dot.rows;
  std::copy(alpha, alpha + dot.columns * dot.rows, wholeDot_.alpha);
}

void SmallShapeRasterizer::CoverDot(const SubpixelPoint* points, int count, int left, int top,
                                    int columns, int rows, BYTE* alpha) {
  // The dot's grid is small and always at hand, and the many sides that
  // stay in one cell skip the walk (AGG gives them the cell's cover and
  // area in one step too).
  Cell* const cells = dotCells_;
  CellWalk walk(cells, left, top, columns);
  for (int i = 0; i < count; ++i) {
    const SubpixelPoint a = points[i], b = points[i + 1 < count ? i + 1 : 0];
    if (((a.x ^ b.x) | (a.y ^ b.y)) >> kShift) {
      walk.Line(a.x, a.y, b.x, b.y);
      continue;
    }
    Cell& cell = cells[((a.y >> kShift) - top) * columns + ((a.x >> kShift) - left)];
    const int delta = b.y - a.y;
    cell.cover += delta;
    cell.area += ((a.x & kMask) + (b.x & kMask)) * delta;
  }
  for (int row = 0; row < rows; ++row) {
    Cell* cell = &cells[row * columns];
    int cover = 0;
    for (int i = 0; i < columns; ++i) {
      cover += cell[i].cover;
      alpha[row * columns + i] = BYTE(Alpha<true>((cover << (kShift + 1)) - cell[i].area));
      cell[i] = Cell{0, 0};
    }
  }
}

namespace {

// Nothing accumulated in the cell.
template <class Cell>
bool Blank(const Cell& cell) {
  return (cell.cover | cell.area) == 0;
}

// Nothing accumulated in any of four cells, tested at once.
template <class Cell>
bool Blank4(const Cell* cells) {
  return ((cells[0].cover | cells[0].area) | (cells[1].cover | cells[1].area) |
          (cells[2].cover | cells[2].area) | (cells[3].cover | cells[3].area)) == 0;
}

}  // namespace

template <bool EvenOdd>
void SmallShapeRasterizer::SweepRow(int row, int from, int to, RenderTarget& target) {
  Cell* cell = &grid_[std::size_t(row) * gridWidth_];
  // In locals: the byte stores of the covers could alias the members.
  BYTE* const covers = covers_.data();
  const int y = gridTop_ + row, left = gridLeft_;
  int cover = 0;
  int runStart = -1;
  for (int i = from; i < to; ++i) {
    // Between a shape's edges lie long stretches of cells the walk never
    // touched; while no cover is carried they show nothing and are still
    // zero, so they are passed over rather than swept.
    if (cover == 0 && Blank(cell[i])) {
      if (runStart >= 0) {
        target.BlendCovers(y, left + runStart, i - runStart, covers + runStart);
        runStart = -1;
      }
      ++i;
      while (i + 4 <= to && Blank4(cell + i)) i += 4;
      while (i < to && Blank(cell[i])) ++i;
      if (i == to) return;
    }
    cover += cell[i].cover;
    const BYTE alpha = BYTE(Alpha<EvenOdd>((cover << (kShift + 1)) - cell[i].area));
    cell[i] = Cell{0, 0};
    covers[i] = alpha;
    if (alpha != 0) {
      if (runStart < 0) runStart = i;
    } else if (runStart >= 0) {
      target.BlendCovers(y, left + runStart, i - runStart, covers + runStart);
      runStart = -1;
    }
  }
  if (runStart >= 0) target.BlendCovers(y, left + runStart, to - runStart, covers + runStart);
}

template <bool EvenOdd>
void SmallShapeRasterizer::SweepRows(RenderTarget& target) {
  for (int row = 0; row < gridRows_; ++row) SweepRow<EvenOdd>(row, 0, gridWidth_, target);
}

// Cells left of a row's first touched one are empty, and right of its last
// the row's cover has come back to zero: only the span between can show.
template <bool EvenOdd>
void SmallShapeRasterizer::SweepSpans(RenderTarget& target) {
  for (int row = 0; row < gridRows_; ++row) {
    const RowSpan& span = rowSpans_[std::size_t(row)];
    if (span.first > span.last) continue;
    SweepRow<EvenOdd>(row, span.first - gridLeft_, span.last - gridLeft_ + 1, target);
  }
}

}  // namespace Gdiplus
