#include "RasterSmallShape.h"

#include <agg_basics.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "RenderTarget.h"

namespace Gdiplus {

namespace {

// AGG's cell geometry: pixel (i, j) is centred on (i + 0.5, j + 0.5) there,
// and coordinates are kept in 1/256 pixel.
constexpr double kPixelCentreShift = 0.5;
constexpr int kShift = agg::poly_subpixel_shift;
constexpr int kScale = agg::poly_subpixel_scale;
constexpr int kMask = agg::poly_subpixel_mask;

// Larger shapes go to the general rasteriser, whose cost follows the
// outline rather than the box.
constexpr double kMaxCells = 16384;

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

int Subpixel(double v) {
  return agg::iround((v + kPixelCentreShift) * kScale);
}

}  // namespace

void SmallShapeRasterizer::Reset() {
  vertices_.clear();
  bounds_ = RasterBounds{
      std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
      -std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
}

void SmallShapeRasterizer::MoveTo(double x, double y) {
  vertices_.push_back({x, y, Command::Move});
  bounds_.left = std::min(bounds_.left, x);
  bounds_.right = std::max(bounds_.right, x);
  bounds_.top = std::min(bounds_.top, y);
  bounds_.bottom = std::max(bounds_.bottom, y);
}

void SmallShapeRasterizer::LineTo(double x, double y) {
  vertices_.push_back({x, y, Command::Line});
  bounds_.left = std::min(bounds_.left, x);
  bounds_.right = std::max(bounds_.right, x);
  bounds_.top = std::min(bounds_.top, y);
  bounds_.bottom = std::max(bounds_.bottom, y);
}

void SmallShapeRasterizer::ClosePolygon() {
  vertices_.push_back({0, 0, Command::Close});
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

bool SmallShapeRasterizer::Fits(const Rect& area) const {
  if (Empty()) return false;
  if (!(bounds_.left + kPixelCentreShift > area.X &&
        bounds_.right + kPixelCentreShift < double(area.X) + area.Width &&
        bounds_.top + kPixelCentreShift > area.Y &&
        bounds_.bottom + kPixelCentreShift < double(area.Y) + area.Height)) {
    return false;
  }
  return (bounds_.right - bounds_.left + 3) * (bounds_.bottom - bounds_.top + 3) <= kMaxCells;
}

void SmallShapeRasterizer::Replay(RasterSink& sink) const {
  for (const Vertex& v : vertices_) {
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

void SmallShapeRasterizer::Sweep(FillMode fillMode, RenderTarget& target) {
  if (Empty()) return;
  int minX = std::numeric_limits<int>::max(), minY = minX;
  int maxX = std::numeric_limits<int>::min(), maxY = maxX;
  for (const Vertex& v : vertices_) {
    if (v.command == Command::Close) continue;
    const int x = Subpixel(v.x) >> kShift, y = Subpixel(v.y) >> kShift;
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
  gridLeft_ = minX;
  gridTop_ = minY;
  gridWidth_ = maxX - minX + 1;
  const int rows = maxY - minY + 1;
  // Cells are left zero by the previous sweep.
  cells_.resize(std::size_t(gridWidth_) * std::size_t(rows));
  covers_.resize(std::size_t(gridWidth_));

  // Figures close themselves, as in AGG's rasteriser.
  int startX = 0, startY = 0, x = 0, y = 0;
  bool open = false;
  for (const Vertex& v : vertices_) {
    switch (v.command) {
      case Command::Move:
        if (open) Line(x, y, startX, startY);
        startX = x = Subpixel(v.x);
        startY = y = Subpixel(v.y);
        open = false;
        break;
      case Command::Line: {
        const int nx = Subpixel(v.x), ny = Subpixel(v.y);
        Line(x, y, nx, ny);
        x = nx;
        y = ny;
        open = true;
        break;
      }
      case Command::Close:
        if (open) Line(x, y, startX, startY);
        x = startX;
        y = startY;
        open = false;
        break;
    }
  }
  if (open) Line(x, y, startX, startY);

  if (fillMode == FillModeAlternate) {
    SweepRows<true>(rows, target);
  } else {
    SweepRows<false>(rows, target);
  }
}

template <bool EvenOdd>
void SmallShapeRasterizer::SweepRows(int rows, RenderTarget& target) {
  for (int row = 0; row < rows; ++row) {
    Cell* cell = &cells_[std::size_t(row) * gridWidth_];
    int cover = 0;
    int runStart = -1;
    for (int i = 0; i < gridWidth_; ++i) {
      cover += cell[i].cover;
      const BYTE alpha = BYTE(Alpha<EvenOdd>((cover << (kShift + 1)) - cell[i].area));
      cell[i] = Cell{0, 0};
      covers_[i] = alpha;
      if (alpha != 0) {
        if (runStart < 0) runStart = i;
      } else if (runStart >= 0) {
        target.BlendCovers(gridTop_ + row, gridLeft_ + runStart, i - runStart, &covers_[runStart]);
        runStart = -1;
      }
    }
    if (runStart >= 0) {
      target.BlendCovers(gridTop_ + row, gridLeft_ + runStart, gridWidth_ - runStart,
                         &covers_[runStart]);
    }
  }
}

// The cell walk below follows AGG's rasterizer_cells_aa step for step, so
// that every cell receives the same integer cover and area.
void SmallShapeRasterizer::HorizontalLine(int ey, int x1, int y1, int x2, int y2) {
  int ex1 = x1 >> kShift;
  const int ex2 = x2 >> kShift;
  const int fx1 = x1 & kMask;
  const int fx2 = x2 & kMask;

  if (y1 == y2) {
    SetCell(ex2, ey);
    return;
  }
  if (ex1 == ex2) {
    const int delta = y2 - y1;
    cell_->cover += delta;
    cell_->area += (fx1 + fx2) * delta;
    return;
  }

  int p = (kScale - fx1) * (y2 - y1);
  int first = kScale;
  int incr = 1;
  long long dx = (long long)x2 - (long long)x1;
  if (dx < 0) {
    p = fx1 * (y2 - y1);
    first = 0;
    incr = -1;
    dx = -dx;
  }
  int delta = int(p / dx);
  int mod = int(p % dx);
  if (mod < 0) {
    delta--;
    mod += int(dx);
  }
  cell_->cover += delta;
  cell_->area += (fx1 + first) * delta;

  ex1 += incr;
  SetCell(ex1, ey);
  y1 += delta;

  if (ex1 != ex2) {
    p = kScale * (y2 - y1 + delta);
    int lift = int(p / dx);
    int rem = int(p % dx);
    if (rem < 0) {
      lift--;
      rem += int(dx);
    }
    mod -= int(dx);
    while (ex1 != ex2) {
      delta = lift;
      mod += rem;
      if (mod >= 0) {
        mod -= int(dx);
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

void SmallShapeRasterizer::Line(int x1, int y1, int x2, int y2) {
  long long dx = (long long)x2 - (long long)x1;
  long long dy = (long long)y2 - (long long)y1;
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

  int incr = 1;
  if (dx == 0) {
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

  long long p = (kScale - fy1) * dx;
  int first = kScale;
  if (dy < 0) {
    p = fy1 * dx;
    first = 0;
    incr = -1;
    dy = -dy;
  }
  int delta = int(p / dy);
  int mod = int(p % dy);
  if (mod < 0) {
    delta--;
    mod += int(dy);
  }
  int xFrom = x1 + delta;
  HorizontalLine(ey1, x1, fy1, xFrom, first);
  ey1 += incr;
  SetCell(xFrom >> kShift, ey1);

  if (ey1 != ey2) {
    p = kScale * dx;
    int lift = int(p / dy);
    int rem = int(p % dy);
    if (rem < 0) {
      lift--;
      rem += int(dy);
    }
    mod -= int(dy);
    while (ey1 != ey2) {
      delta = lift;
      mod += rem;
      if (mod >= 0) {
        mod -= int(dy);
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

}  // namespace Gdiplus
