#include "RasterAliased.h"

#include <algorithm>
#include <cmath>

namespace Gdiplus {

void AliasedRasterizer::Reset(INT top, INT bottom) {
  top_ = top;
  bottom_ = bottom;
  hasStart_ = false;
  edges_.clear();
}

void AliasedRasterizer::AddPath(const RasterPath& path) {
  AddFigures(path, *this);
}

void AliasedRasterizer::MoveTo(double x, double y) {
  ClosePolygon();
  startX_ = lastX_ = x;
  startY_ = lastY_ = y;
  hasStart_ = true;
}

void AliasedRasterizer::LineTo(double x, double y) {
  if (!hasStart_) {
    MoveTo(x, y);
    return;
  }
  AddEdge(lastX_, lastY_, x, y);
  lastX_ = x;
  lastY_ = y;
}

void AliasedRasterizer::ClosePolygon() {
  if (!hasStart_) return;
  AddEdge(lastX_, lastY_, startX_, startY_);
  lastX_ = startX_;
  lastY_ = startY_;
}

void AliasedRasterizer::AddEdge(double x0, double y0, double x1, double y1) {
  if (y0 == y1) return;
  int winding = 1;
  if (y0 > y1) {
    std::swap(x0, x1);
    std::swap(y0, y1);
    winding = -1;
  }
  // Rows y with y0 <= y < y1 sample this edge.
  const double first = std::max(std::ceil(y0), double(top_));
  const double last = std::min(std::ceil(y1), double(bottom_));
  if (first >= last) return;
  Edge edge;
  edge.slope = (x1 - x0) / (y1 - y0);
  edge.x = x0 + (first - y0) * edge.slope;
  edge.top = INT(first);
  edge.bottom = INT(last);
  edge.winding = winding;
  edges_.push_back(edge);
}

void AliasedRasterizer::SortEdges() {
  std::sort(edges_.begin(), edges_.end(),
            [](const Edge& a, const Edge& b) { return a.top < b.top; });
}

void AliasedRasterizer::CollectCrossings(INT y) {
  crossings_.clear();
  for (std::size_t e : active_) {
    const Edge& edge = edges_[e];
    crossings_.push_back({edge.x + (y - edge.top) * edge.slope, edge.winding});
  }
  std::sort(crossings_.begin(), crossings_.end(),
            [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
}

}  // namespace Gdiplus
