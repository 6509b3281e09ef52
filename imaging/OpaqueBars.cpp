#include "OpaqueBars.h"

#include <algorithm>
#include <cstdint>

#include "SolidBrush.h"

namespace MirelGlyphward {

using namespace Gdiplus;

namespace {

// Below this many painted pixels per picture pixel, plain fills are cheaper
// than working out what shows.
constexpr std::int64_t kPlainWorkFactor = 4;
// The pieces a bar may be cut into. Stopping early only paints pixels that get
// covered again.
constexpr std::size_t kMaxPieces = 24;
// Later bars looked at as covers of a bar: the next ones all, then ever
// farther ones, which in long rows of bars reach the rows below.
constexpr std::size_t kDenseCovers = 32;

// Pixels [x0, x1) x [y0, y1).
struct Box {
  std::int64_t x0, y0, x1, y1;
  bool Empty() const { return x0 >= x1 || y0 >= y1; }
};

std::size_t NextCover(std::size_t bar, std::size_t cover) {
  const std::size_t distance = cover - bar;
  return distance < kDenseCovers ? cover + 1 : cover + distance / 8 + 1;
}

bool Usable(const Rect& r) {
  return r.Width > 0 && r.Height > 0;
}

// Pixel (i, j) is centred on (i, j), so the edges of an integer rectangle run
// through pixel centres: it touches pixels X..X+Width and Y..Y+Height, those
// on its border half covered and those inside completely.
Box Footprint(const Rect& r, int width, int height) {
  return {std::max<std::int64_t>(r.X, 0), std::max<std::int64_t>(r.Y, 0),
          std::min<std::int64_t>(std::int64_t(r.X) + r.Width + 1, width),
          std::min<std::int64_t>(std::int64_t(r.Y) + r.Height + 1, height)};
}

Box Interior(const Rect& r) {
  return {std::int64_t(r.X) + 1, std::int64_t(r.Y) + 1, std::int64_t(r.X) + r.Width,
          std::int64_t(r.Y) + r.Height};
}

// Appends the parts of a outside b.
void Subtract(const Box& a, const Box& b, std::vector<Box>& out) {
  if (b.x0 >= a.x1 || b.x1 <= a.x0 || b.y0 >= a.y1 || b.y1 <= a.y0) {
    out.push_back(a);
    return;
  }
  const std::int64_t top = std::max(a.y0, b.y0), bottom = std::min(a.y1, b.y1);
  if (a.y0 < b.y0) out.push_back({a.x0, a.y0, a.x1, b.y0});
  if (b.y1 < a.y1) out.push_back({a.x0, b.y1, a.x1, a.y1});
  if (a.x0 < b.x0) out.push_back({a.x0, top, b.x0, bottom});
  if (b.x1 < a.x1) out.push_back({b.x1, top, a.x1, bottom});
}

// Fills the pixels of piece with the coverage the whole of r gives them: a
// side that is r's own keeps r's edge; a cut side lies on pixel boundaries,
// so the pixels beside it are covered completely.
void FillPiece(Graphics& g, const SolidBrush& brush, const Rect& r, const Box& piece) {
  const std::int64_t right = std::int64_t(r.X) + r.Width, bottom = std::int64_t(r.Y) + r.Height;
  const REAL x0 = piece.x0 == r.X ? REAL(r.X) : REAL(piece.x0) - 0.5f;
  const REAL y0 = piece.y0 == r.Y ? REAL(r.Y) : REAL(piece.y0) - 0.5f;
  const REAL x1 = piece.x1 == right + 1 ? REAL(right) : REAL(piece.x1) - 0.5f;
  const REAL y1 = piece.y1 == bottom + 1 ? REAL(bottom) : REAL(piece.y1) - 0.5f;
  g.FillRectangle(&brush, x0, y0, x1 - x0, y1 - y0);
}

void FillPlain(Graphics& g, const std::vector<OpaqueBar>& bars) {
  for (const OpaqueBar& bar : bars) {
    const SolidBrush brush(bar.color);
    g.FillRectangle(&brush, bar.rect);
  }
}

bool WorthCutting(const Graphics& g, const std::vector<OpaqueBar>& bars, int width, int height) {
  if (g.GetSmoothingMode() != SmoothingModeAntiAlias || width <= 0 || height <= 0) return false;
  std::int64_t work = 0;
  for (const OpaqueBar& bar : bars) {
    if (bar.color.GetA() != 255) return false;
    const Box box = Footprint(bar.rect, width, height);
    if (Usable(bar.rect) && !box.Empty()) work += (box.x1 - box.x0) * (box.y1 - box.y0);
  }
  return work > kPlainWorkFactor * width * height;
}

}  // namespace

void FillOpaqueBars(Graphics& g, const std::vector<OpaqueBar>& bars, int width, int height) {
  if (!WorthCutting(g, bars, width, height)) {
    FillPlain(g, bars);
    return;
  }
  std::vector<Box> pieces, rest;
  SolidBrush brush(Color(0xFF000000));
  for (std::size_t i = 0; i < bars.size(); ++i) {
    const Rect& r = bars[i].rect;
    brush.SetColor(bars[i].color);
    if (!Usable(r)) {
      g.FillRectangle(&brush, r);
      continue;
    }
    pieces.assign(1, Footprint(r, width, height));
    if (pieces.front().Empty()) continue;
    for (std::size_t j = i + 1; j < bars.size() && !pieces.empty() && pieces.size() <= kMaxPieces;
         j = NextCover(i, j)) {
      if (!Usable(bars[j].rect)) continue;
      const Box cover = Interior(bars[j].rect);
      if (cover.Empty()) continue;
      rest.clear();
      for (const Box& piece : pieces) Subtract(piece, cover, rest);
      pieces.swap(rest);
    }
    for (const Box& piece : pieces) FillPiece(g, brush, r, piece);
  }
}

}  // namespace MirelGlyphward
