// Aliased polygon filling with GDI+'s pixel rule: pixel (i, j) is inside
// when the point (i, j) is, left and top edges inclusive, right and bottom
// edges exclusive. Exact on integer and half-integer coordinates, which an
// area-coverage rasteriser with a threshold is not.
#pragma once

#include <cmath>
#include <vector>

#include "GdiplusTypes.h"
#include "RasterPath.h"
#include "RasterSink.h"

namespace Gdiplus {

class AliasedRasterizer final : public RasterSink {
 public:
  // Starts a new shape; only rows top .. bottom - 1 are produced.
  void Reset(INT top, INT bottom);

  // Every figure counts as closed.
  void AddPath(const RasterPath& path);
  // Vertex stream form, for generated outlines.
  void MoveTo(double x, double y) override;
  void LineTo(double x, double y) override;
  void ClosePolygon() override;

  // Calls run(y, left, right) for every run of inside pixels [left, right),
  // top to bottom, left to right.
  template <class Run>
  void Sweep(FillMode fillMode, Run&& run);

  bool Empty() const { return edges_.empty(); }

 private:
  struct Edge {
    double x = 0;      // crossing on row top
    double slope = 0;  // change of x per row
    INT top = 0;
    INT bottom = 0;  // one past the last row
    int winding = 0;
  };
  struct Crossing {
    double x;
    int winding;
  };

  void AddEdge(double x0, double y0, double x1, double y1);
  void SortEdges();
  // Fills crossings_ for row y from the active edges.
  void CollectCrossings(INT y);

  INT top_ = 0;
  INT bottom_ = 0;
  double startX_ = 0, startY_ = 0, lastX_ = 0, lastY_ = 0;
  bool hasStart_ = false;
  std::vector<Edge> edges_;
  std::vector<std::size_t> active_;
  std::vector<Crossing> crossings_;
};

template <class Run>
void AliasedRasterizer::Sweep(FillMode fillMode, Run&& run) {
  ClosePolygon();
  if (edges_.empty()) return;
  SortEdges();
  active_.clear();
  std::size_t next = 0;
  INT y = edges_.front().top;
  while (y < bottom_ && (next < edges_.size() || !active_.empty())) {
    if (active_.empty() && edges_[next].top > y) y = edges_[next].top;
    while (next < edges_.size() && edges_[next].top == y) active_.push_back(next++);
    CollectCrossings(y);
    int winding = 0;
    for (std::size_t i = 0; i + 1 < crossings_.size(); ++i) {
      winding += crossings_[i].winding;
      const bool inside = fillMode == FillModeWinding ? winding != 0 : (winding & 1) != 0;
      if (!inside) continue;
      // Pixels i with left <= i < right.
      const double left = std::ceil(crossings_[i].x);
      const double right = std::ceil(crossings_[i + 1].x);
      if (left < right) run(y, INT(left), INT(right));
    }
    ++y;
    std::erase_if(active_, [&](std::size_t e) { return edges_[e].bottom <= y; });
  }
}

}  // namespace Gdiplus
